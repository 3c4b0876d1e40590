// SPDX-License-Identifier: GPL-3.0-or-later
// The start of the fuzz targets whose readers measure text or paint: a QGuiApplication
// before the first input, as the program has one.
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzSupport::startGuiApplication();
    return 0;
}
