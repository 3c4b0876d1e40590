#include "FitLabelInFace.h"

#include "CoverLayout.h"
#include "DragRules.h"
#include "JewelCaseDocument.h"
#include "SelectionController.h"

#include <algorithm>
#include <cmath>

double fittedRight(const QRectF& frame)
{
    return std::floor(frame.right() - CoverLayout::insideMargin);
}

double fittedBottom(const QRectF& frame)
{
    return std::floor(frame.bottom() - CoverLayout::insideMargin);
}

TextElement& FitLabelInFace(const JewelCaseDocument& document, SelectionController& selection,
                            TextElement& element, int face)
{
    if (selection.currentSelection().isSpine() || !Face::isValid(face))
        return element;
    const QRectF frame = document.faces[std::size_t(face)].frame;
    const double minimum = DragRules::minimumSize;
    if (element.left + element.width > fittedRight(frame)) {
        element.width = float(std::max(minimum, fittedRight(frame) - element.left));
        element.setAutoSize(false);
    }
    if (element.top + element.height > fittedBottom(frame))
        element.height = float(std::max(minimum, fittedBottom(frame) - element.top));
    return element;
}
