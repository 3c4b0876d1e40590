// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DiscToc.h"

#include <QString>
#include <optional>

// What reading a drive gave: its disc's table of contents, or why there is none.
struct DiscRead {
    std::optional<DiscToc> toc;
    // Without a table: true when the drive could not be reached or holds no readable disc
    // (trying later may help); otherwise the system refused, and says why.
    bool notReady = true;
    int errorNumber = 0;
    QString errorText;
};

// Where `DiscInfo` gets a table of contents: a real drive (`LibDiscidReader`) or one given in
// advance (`GivenTocReader`), for a machine without a CD drive and for the tests.
class DiscReader {
public:
    virtual ~DiscReader() = default;
    virtual DiscRead read(const QString& drive) = 0;
};
