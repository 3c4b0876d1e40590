// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// One row of the lookup window's two-column grid: a track's number and title, or a server's
// address and place.
struct GridRow {
    QString firstCell;
    QString secondCell;

    bool operator==(const GridRow&) const = default;
};
