// SPDX-License-Identifier: GPL-3.0-or-later
#include "JewelCaseDocument.h"

#include "CoverLayout.h"

using namespace CoverLayout;

namespace {

// Where the template text (element 0) of each face stands, Verso, Recto, Dos.
constexpr std::array<QPointF, Face::count> templatePositions = {
    QPointF(9240, 120), QPointF(2520, 240), QPointF(1785, 600)};

// The vertical text as the window was designed with it.
// A whole size, as the cover file keeps it: saved and reopened, the spines look the same.
constexpr float verticalTextSize = 14;
const QRectF verticalTextRect(300, 3075, 1500, 315);

} // namespace

JewelCaseDocument::JewelCaseDocument()
{
    for (int face = 0; face < Face::count; ++face) {
        TextElement& element = faces[std::size_t(face)].texts[0];
        element.index = 0;
        element.left = float(templatePositions[std::size_t(face)].x());
        element.top = float(templatePositions[std::size_t(face)].y());
        element.visible = false;
    }

    verticalText.setAutoSize(false);
    verticalText.setCaption(QStringLiteral("Texte vertical"));
    TextFont spineFont;
    spineFont.size = verticalTextSize;
    verticalText.setFont(spineFont);
    verticalText.setRect(verticalTextRect);
    verticalText.setAutoSize(true);
    verticalText.visible = false;

    layOut();
}

void JewelCaseDocument::reset()
{
    *this = JewelCaseDocument();
}

void JewelCaseDocument::layOut()
{
    Face& verso = faces[Face::Verso];
    Face& recto = faces[Face::Recto];
    Face& dosFace = faces[Face::Dos];

    recto.frame = QRectF(0, 0, bookletFaceWidth, bookletFaceHeight);
    verso.frame = QRectF(bookletFaceWidth + faceGap, 0, bookletFaceWidth, bookletFaceHeight);
    dosFace.frame = QRectF(spineWidth, 0, dosFaceWidth, dosFaceHeight);

    sheets[RectoSheet].size = QSizeF(2 * bookletFaceWidth + faceGap + rectoSheetRightMargin,
                                     bookletFaceHeight + sheetBottomMargin);
    sheets[DosSheet].size = QSizeF(2 * spineWidth + dosFaceWidth + dosSheetRightMargin,
                                   dosFaceHeight + sheetBottomMargin);

    spines[0].rect = QRectF(0, 0, spineWidth, dosFaceHeight);
    spines[1].rect = QRectF(spineWidth + dosFaceWidth, 0, spineWidth, dosFaceHeight);

    // Every background covers its face (the Recto's starts one inset in, as it always has);
    // the Recto's logo covers its face too, the others are squares in the top-left corner.
    for (Face* face : {&verso, &recto, &dosFace}) {
        face->background.rect = face->frame;
        face->logo.rect =
            QRectF(face->frame.left(), face->frame.top() + logoInset, logoSide, logoSide);
    }
    recto.background.rect.moveLeft(logoInset);
    recto.logo.rect = QRectF(logoInset, logoInset, bookletFaceWidth, bookletFaceHeight);
}

QString& JewelCaseDocument::picturePath(int face)
{
    switch (face) {
    case Face::Verso:
        return versoImagePath;
    case Face::Recto:
        return rectoImagePath;
    case Face::Dos:
        return dosImagePath;
    default:
        return logoImagePath;
    }
}

const QString& JewelCaseDocument::picturePath(int face) const
{
    return const_cast<JewelCaseDocument*>(this)->picturePath(face);
}

Picture JewelCaseDocument::logo() const
{
    for (int face : {int(Face::Recto), int(Face::Verso), int(Face::Dos)}) {
        if (!faces[std::size_t(face)].logo.isEmpty())
            return faces[std::size_t(face)].logo.picture;
    }
    return Picture();
}

TextElement* JewelCaseDocument::text(int face, int index)
{
    return Face::isValid(face) ? faces[std::size_t(face)].text(index) : nullptr;
}

const TextElement* JewelCaseDocument::text(int face, int index) const
{
    return Face::isValid(face) ? faces[std::size_t(face)].text(index) : nullptr;
}

TextElement& JewelCaseDocument::insertText(int face)
{
    using namespace CoverLayout;
    Face& target = faces[std::size_t(face)];
    TextElement& element = target.loadText(target.highestIndex() + 1);
    QPointF position;
    switch (face) {
    case Face::Recto:
        position = {bookletFaceWidth / 2 + insertionOffset, dosFaceWidth / 2};
        break;
    case Face::Verso:
        position = {bookletFaceWidth / 2 + insertionOffset + bookletFaceWidth, dosFaceWidth / 2};
        break;
    default:
        position = {bookletFaceHeight / 2 + insertionOffset + spines[0].rect.width(),
                    dosFaceHeight / 2};
    }
    element.setAutoSize(true);
    element.setCaption(QStringLiteral("Texte"));
    element.left = float(position.x());
    element.top = float(position.y());
    element.visible = true;
    bringToFront(element);
    element.setAutoSize(false);
    return element;
}
