// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Face.h"
#include "SheetOverlay.h"

#include <QPointF>
#include <QRectF>
#include <array>

class JewelCaseDocument;

// The two views of the cover window: the Recto sheet, or the Dos sheet.
enum class View { RectoVerso = 0, Dos = 1 };

// What only the cover window shows of the cover, and never saves: the view, which sheet is
// shown and where, the captions under the faces, the alignment bars and the selection marks.
struct CoverScreen {
    CoverScreen();

    View currentView = View::RectoVerso;
    std::array<SheetOverlay, 2> overlays;
    std::array<bool, 2> sheetShown{}; // the first view switch shows one of the two
    std::array<bool, Face::count> captionShown{true, true, true};

    // The sheet of the current view: the one whose marks are in use.
    SheetIndex activeSheet() const { return currentView == View::Dos ? DosSheet : RectoSheet; }
    void setBarsVisible(bool visible);

    // Where a sheet's top-left corner stands in the window's sheet area, in twips.
    static QPointF sheetPlace(int sheet);
    // The caption under a face, in the window's sheet area: as wide as the face.
    static QRectF captionRect(const JewelCaseDocument& document, int face);
};
