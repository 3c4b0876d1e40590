#include "FaceViews.h"

#include "CoverSelection.h"
#include "JewelCaseDocument.h"

#include <cstdlib>

namespace FaceViews {

ViewState ShowView(JewelCaseDocument& document, CoverSelection& selection, int entry)
{
    selection.ShowHandles(false);
    selection.EndDrag();

    ViewState state;
    int face = 0;
    if (entry >= Dos) {
        state.view = 1;
        state.rectoVersoPressed = false;
        state.dosPressed = true;
        state.insertDosEnabled = true;
        state.insertRectoEnabled = false;
        state.insertVersoEnabled = false;
        face = Face::Dos;
    } else {
        state.view = 0;
        face = std::abs(entry - 1);
    }
    document.faces[Face::Dos].captionVisible = state.view == 1;
    document.faces[Face::Recto].captionVisible = state.view == 0;
    document.faces[Face::Verso].captionVisible = state.view == 0;

    Sheet& shown = document.sheets[state.view];
    if (!shown.visible) {
        shown.visible = true;
        document.sheets[1 - state.view].visible = false;
        state.sheetSwitched = true;
    }
    state.windowWidth = shown.geometry.left() + shown.geometry.width() + 90;

    if (state.view == 0) {
        state.insertEntry0 = QStringLiteral("Insérer sur le Recto");
        state.alignEntry0 = QStringLiteral("&Aligner sur Recto   ");
        state.spaceEntry0 = QStringLiteral("&Aligner sur Recto");
    } else {
        state.insertEntry0 = QStringLiteral("Insérer sur le Dos");
        state.alignEntry0 = QStringLiteral("&Aligner sur Dos");
        state.spaceEntry0 = QStringLiteral("&Aligner sur Dos");
    }
    state.entry1Visible = state.view == 0;

    document.currentView = state.view;
    selection.handleBase = 8 * state.view;
    selection.Deselect(face);
    return state;
}

} // namespace FaceViews
