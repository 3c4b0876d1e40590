// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <csignal>
#include <sys/resource.h>

// Runs `write` while the process may write no file larger than `bytes`, as on a full disk: a
// write past it fails instead of ending the process.
template <typename Write> auto withFileSizeLimit(rlim_t bytes, Write write)
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{bytes, limit.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    const auto result = write();
    setrlimit(RLIMIT_FSIZE, &limit);
    return result;
}
