// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DiscReader.h"

// Reads the table of contents of the disc in a drive (a device path such as "/dev/sr0") with
// libdiscid, without the catalogue number and ISRCs, which the disc id does not need.
class LibDiscidReader : public DiscReader {
public:
    DiscRead read(const QString& drive) override;
};
