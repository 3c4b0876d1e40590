// SPDX-License-Identifier: GPL-3.0-or-later
#include "FaceViews.h"

#include "CoverContext.h"
#include "JewelCaseDocument.h"

namespace FaceViews {

namespace {
// The window is as wide as the shown sheet's right edge plus this.
constexpr double windowRightMargin = 90;
} // namespace

std::optional<int> faceOfEntry(View view, int entry)
{
    if (entry != 0 && entry != 1)
        return std::nullopt;
    if (view == View::Dos)
        return Face::Dos;
    return entry == 0 ? Face::Recto : Face::Verso;
}

std::optional<ViewState> ShowView(CoverContext& context, int entry)
{
    if (entry < 0)
        return std::nullopt;
    context.selection.EndDrag();

    ViewState state;
    state.view = entry >= Dos ? View::Dos : View::RectoVerso;
    const int face = state.view == View::Dos ? int(Face::Dos) : *faceOfEntry(state.view, entry);
    const bool dos = state.view == View::Dos;
    state.rectoVersoPressed = !dos;
    state.dosPressed = dos;
    state.insertDosEnabled = dos;
    state.insertRectoEnabled = !dos;
    state.insertVersoEnabled = !dos;

    CoverScreen& screen = context.screen;
    screen.captionShown[Face::Dos] = dos;
    screen.captionShown[Face::Recto] = !dos;
    screen.captionShown[Face::Verso] = !dos;

    const SheetIndex shown = dos ? DosSheet : RectoSheet;
    if (!screen.sheetShown[shown]) {
        screen.sheetShown[shown] = true;
        screen.sheetShown[dos ? RectoSheet : DosSheet] = false;
        state.sheetSwitched = true;
    }
    state.windowWidth = CoverScreen::sheetPlace(shown).x() +
                        context.document.sheets[shown].size.width() + windowRightMargin;

    if (dos) {
        state.insertEntry0 = QStringLiteral("Insérer sur le Dos");
        state.alignEntry0 = QStringLiteral("&Aligner sur Dos");
        state.spaceEntry0 = QStringLiteral("&Aligner sur Dos");
    } else {
        state.insertEntry0 = QStringLiteral("Insérer sur le Recto");
        state.alignEntry0 = QStringLiteral("&Aligner sur Recto   ");
        state.spaceEntry0 = QStringLiteral("&Aligner sur Recto");
    }
    state.entry1Visible = !dos;

    screen.currentView = state.view;
    context.selection.Deselect(face);
    return state;
}

} // namespace FaceViews
