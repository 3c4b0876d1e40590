// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRectF>
#include <optional>
#include <vector>

// How texts are spread down a face, by the menu's vertical spacing and by the record import,
// each with its own gap and margins: one below the other in their order, the first at `top`,
// each next one `gap` below the one before.
struct VerticalSpread {
    double top = 0;
    double gap = 0;
    // The texts are crowded when one would leave `within`, or, without it, when the gap is
    // negative. Crowded, they stand from `crowdedTop` so that the last one ends at
    // `crowdedBottom`, overlapping evenly if they must; `total` is their heights' sum.
    std::optional<QRectF> within;
    double crowdedTop = 0;
    double crowdedBottom = 0;
    double total = 0;
};

// The tops of texts of the given heights, in their order.
std::vector<double> spreadVertically(const std::vector<double>& heights,
                                     const VerticalSpread& spread);
