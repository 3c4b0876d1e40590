// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverScreen.h"

#include "CoverLayout.h"
#include "JewelCaseDocument.h"

namespace {

// The sheets sit below the window's toolbar, the Recto sheet a little in from the left.
constexpr std::array<QPointF, JewelCaseDocument::sheetCount> sheetPlaces = {QPointF(120, 120),
                                                                            QPointF(0, 120)};
constexpr double captionGap = 30; // between a sheet and the captions under its faces
constexpr double captionHeight = 465;
// Each bar starts this far right of its first face's left edge.
constexpr double barInset = 600;

} // namespace

CoverScreen::CoverScreen()
{
    using namespace CoverLayout;
    overlays[RectoSheet].bar = QRectF(barInset, 0, AlignmentBar::width, bookletFaceHeight);
    overlays[DosSheet].bar = QRectF(spineWidth + barInset, 0, AlignmentBar::width, dosFaceHeight);
}

void CoverScreen::setBarsVisible(bool visible)
{
    for (SheetOverlay& overlay : overlays)
        overlay.barVisible = visible;
}

QPointF CoverScreen::sheetPlace(int sheet)
{
    return sheet == DosSheet ? sheetPlaces[DosSheet] : sheetPlaces[RectoSheet];
}

QRectF CoverScreen::captionRect(const JewelCaseDocument& document, int face)
{
    if (!Face::isValid(face))
        return {};
    const QRectF frame = document.faces[std::size_t(face)].frame;
    const SheetIndex sheet = Face::sheetOf(face);
    const QPointF place = sheetPlace(sheet);
    const double sheetBottom = place.y() + document.sheets[sheet].size.height();
    return QRectF(place.x() + frame.left(), sheetBottom + captionGap, frame.width(), captionHeight);
}
