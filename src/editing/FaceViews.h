// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CoverScreen.h"

#include <QString>
#include <optional>

struct CoverContext;

// What a view switch leaves on the window: the toolbar, the face-dependent menu entries and
// the window's width. The window applies it; the cover and the selection are already changed.
struct ViewState {
    View view = View::RectoVerso;
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

// The entries of the "&Affichage" menu.
enum Entry { RectoVerso = 0, Verso = 1, Dos = 2 };

// The face an entry of a face-dependent menu ("&Insérer Nouveau texte", the alignment and
// spacing entries) addresses in a view: entry 0 the Recto and entry 1 the Verso; in the Dos
// view either entry the Dos. Nothing for an entry that does not exist.
std::optional<int> faceOfEntry(View view, int entry);

// Shows view `entry` ("&Recto Verso", "&Verso", or "&Dos" for 2 and above): ends the
// selection, shows the sheet of the view, and sets the current view and face. Nothing
// happens for a negative entry.
std::optional<ViewState> ShowView(CoverContext& context, int entry);

} // namespace FaceViews
