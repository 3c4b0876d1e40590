// SPDX-License-Identifier: GPL-3.0-or-later
#include "HugePages.h"

#include <cstdint>
#include <sys/mman.h>

namespace HugePages {

void advise(void* data, qsizetype size)
{
#ifdef MADV_HUGEPAGE
    constexpr std::uintptr_t block = std::uintptr_t(2) << 20;
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (start + block - 1) & ~(block - 1);
    const std::uintptr_t end = (start + std::uintptr_t(size)) & ~(block - 1);
    if (size > 0 && end > first)
        madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE); // advice only
#else
    Q_UNUSED(data);
    Q_UNUSED(size);
#endif
}

} // namespace HugePages
