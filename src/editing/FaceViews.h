#pragma once

#include <QString>
#include <array>

class CoverSelection;
class JewelCaseDocument;

// What a view switch leaves on the window: the toolbar, the face-dependent menu entries and
// the window's width. The window applies it; the cover and the selection are already changed.
struct ViewState {
    int view = 0; // 0 Recto-Verso, 1 Dos
    bool rectoVersoPressed = true;
    bool dosPressed = false;
    bool insertRectoEnabled = true;
    bool insertVersoEnabled = true;
    bool insertDosEnabled = false;
    QString insertEntry0;
    QString alignEntry0;
    QString spaceEntry0;
    bool entry1Visible = true; // "Verso" entries exist only in the Recto-Verso view
    bool sheetSwitched = false;
    double windowWidth = 0; // twips; meaningful when the sheet was switched
};

namespace FaceViews {

enum Entry { RectoVerso = 0, Verso = 1, Dos = 2 };

// Shows view `entry` ("&Recto Verso", "&Verso" or "&Dos"): ends the selection, shows the sheet
// of the view, and sets `currentView`, `handleBase` and `currentFace`.
ViewState ShowView(JewelCaseDocument& document, CoverSelection& selection, int entry);

} // namespace FaceViews
