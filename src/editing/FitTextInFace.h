// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CoverLayout.h"
#include "TextFitting.h"

class JewelCaseDocument;
class SelectionController;
class TextElement;

// Keeps a text inside its face: one whose right or bottom edge lies beyond 60 twips inside the
// face is cut back to end there (on the whole twip at or before that line, where the drag rules
// measure it), keeping its Left and Top, and never made smaller than 60 twips. A text the
// program fitted can therefore always be dragged: its selection, 30 twips wider, still ends
// 30 twips inside the face. Nothing is fitted while a spine is selected.
TextElement& fitTextInFace(const JewelCaseDocument& document, SelectionController& selection,
                           TextElement& element, int face);

// The right and bottom edges a fitted text ends on, inside a face frame or an area.
using CoverLayout::fittedBottom;
using CoverLayout::fittedRight;
