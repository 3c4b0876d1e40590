// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// Large buffers written once, whole (a file's bytes, a decoded photo), backed by huge pages
// where the system gives them on request: one page fault a 2-MiB block instead of 512, and
// each fault is dear in a virtual machine (a 13-MiB photo's 3,300 faults cost 35 ms there).
namespace HugePages {

// Asks for huge pages under the whole 2-MiB blocks of `data`, before anything is written there;
// nothing changes where the system does not give them.
void advise(void* data, qsizetype size);

} // namespace HugePages
