// SPDX-License-Identifier: GPL-3.0-or-later
#include "FitTextInFace.h"

#include "CoverLayout.h"
#include "DragRules.h"
#include "JewelCaseDocument.h"
#include "SelectionController.h"
#include "TextMetrics.h"

#include <algorithm>
#include <cmath>

TextElement& fitTextInFace(const JewelCaseDocument& document, SelectionController& selection,
                           TextElement& element, int face)
{
    if (selection.currentSelection().isSpine() || !Face::isValid(face))
        return element;
    return FitTextInArea(element, document.faces[std::size_t(face)].frame);
}

TextElement& FitTextInArea(TextElement& element, const QRectF& frame, bool wrapLines)
{
    const double minimum = DragRules::minimumSize;
    if (element.left + element.width > fittedRight(frame)) {
        element.width = float(std::max(minimum, fittedRight(frame) - element.left));
        if (wrapLines && element.autoSize())
            element.height =
                float(TextMetrics::wrappedHeight(element.font(), element.caption(), element.width));
        element.setAutoSize(false);
    }
    if (element.top + element.height > fittedBottom(frame))
        element.height = float(std::max(minimum, fittedBottom(frame) - element.top));
    return element;
}
