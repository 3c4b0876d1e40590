// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextFitting.h"

#include "CoverLayout.h"
#include "TextElement.h"
#include "TextMetrics.h"

#include <algorithm>

TextElement& FitTextInArea(TextElement& element, const QRectF& frame, bool wrapLines)
{
    const double minimum = CoverLayout::smallestText;
    if (element.left + element.width > CoverLayout::fittedRight(frame)) {
        element.width = float(std::max(minimum, CoverLayout::fittedRight(frame) - element.left));
        if (wrapLines && element.autoSize())
            element.height =
                float(TextMetrics::wrappedHeight(element.font(), element.caption(), element.width));
        element.setAutoSize(false);
    }
    if (element.top + element.height > CoverLayout::fittedBottom(frame))
        element.height = float(std::max(minimum, CoverLayout::fittedBottom(frame) - element.top));
    return element;
}
