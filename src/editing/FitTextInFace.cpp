// SPDX-License-Identifier: GPL-3.0-or-later
#include "FitTextInFace.h"

#include "CoverLayout.h"
#include "JewelCaseDocument.h"
#include "SelectionController.h"

TextElement& fitTextInFace(const JewelCaseDocument& document, SelectionController& selection,
                           TextElement& element, int face)
{
    if (selection.currentSelection().isSpine() || !Face::isValid(face))
        return element;
    return FitTextInArea(element, document.faces[std::size_t(face)].frame);
}
