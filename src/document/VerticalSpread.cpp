// SPDX-License-Identifier: GPL-3.0-or-later
#include "VerticalSpread.h"

namespace {

std::vector<double> stacked(const std::vector<double>& heights, double top, double gap)
{
    std::vector<double> tops;
    for (const double height : heights) {
        tops.push_back(top);
        top += height + gap;
    }
    return tops;
}

bool anyLeaves(const std::vector<double>& tops, const std::vector<double>& heights,
               const QRectF& frame)
{
    for (std::size_t i = 0; i < tops.size(); ++i) {
        if (tops[i] < frame.top() || tops[i] + heights[i] > frame.bottom())
            return true;
    }
    return false;
}

} // namespace

std::vector<double> spreadVertically(const std::vector<double>& heights,
                                     const VerticalSpread& spread)
{
    const std::vector<double> tops = stacked(heights, spread.top, spread.gap);
    const bool crowded = spread.within ? anyLeaves(tops, heights, *spread.within) : spread.gap < 0;
    if (!crowded)
        return tops;
    const double count = double(heights.size());
    const double overlap =
        heights.size() > 1 ? (spread.crowdedBottom - spread.crowdedTop - spread.total) / (count - 1)
                           : 0;
    return stacked(heights, spread.crowdedTop, overlap);
}
