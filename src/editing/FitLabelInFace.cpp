#include "FitLabelInFace.h"

#include "CoverSelection.h"
#include "DragRules.h"
#include "JewelCaseDocument.h"

#include <algorithm>

TextElement& FitLabelInFace(const JewelCaseDocument& document, CoverSelection& selection,
                            TextElement& element, int face)
{
    if (selection.currentSelection.isSpine() || face < 0 || face >= JewelCaseDocument::faceCount)
        return element;
    const QRectF frame = document.faces[std::size_t(face)].frame;
    const double minimum = DragRules::minimumSize;
    if (element.left + element.width > frame.left() + frame.width()) {
        element.width = float(std::max(minimum, frame.left() + frame.width() - element.left - 60));
        element.setAutoSize(false);
        if (document.text(selection.currentSelection) == &element)
            selection.forgetWidening();
    }
    if (element.top + element.height > frame.height())
        element.height = float(std::max(minimum, frame.height() - element.top - 60));
    return element;
}
