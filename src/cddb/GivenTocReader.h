// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DiscReader.h"

// A drive that always holds the same disc, or none: the table of contents is given in advance.
class GivenTocReader : public DiscReader {
public:
    explicit GivenTocReader(std::optional<DiscToc> toc) : disc(std::move(toc)) {}

    DiscRead read(const QString& drive) override;

private:
    std::optional<DiscToc> disc;
};
