// SPDX-License-Identifier: GPL-3.0-or-later
#include "GivenTocReader.h"

DiscRead GivenTocReader::read(const QString& /*drive*/)
{
    DiscRead result;
    result.toc = disc;
    result.notReady = !disc.has_value();
    return result;
}
