// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRectF>
#include <cmath>

// The cover's own measures, in twips (567 to the centimetre). Everything the cover lays out
// at start-up comes from these numbers and from nothing a window knows.
namespace CoverLayout {

// The most texts a fill of a face (an import, an album) places: more than any face can show.
constexpr int mostFilledTexts = 999;

// The faces: Recto and Verso 12 × 12 cm, the Dos 13.85 × 11.8 cm between its spines.
constexpr float bookletFaceWidth = 6803.15f;
constexpr float bookletFaceHeight = 6803.15f;
constexpr float dosFaceWidth = 7851.97f;
constexpr float dosFaceHeight = 6689.76f;
constexpr float spineWidth = 340;

// The Verso lies right of the Recto on their sheet, this far from it.
constexpr float faceGap = 15;
// Room a sheet keeps below its faces, and right of them.
constexpr float sheetBottomMargin = 60;
constexpr float rectoSheetRightMargin = 120;
constexpr float dosSheetRightMargin = 90;

// Picture slots at start-up: the logo of the Verso and the Dos is a square at the top-left
// corner of its face, inset like the Recto's logo, which covers its whole face.
constexpr float logoInset = 15;
constexpr float logoSide = 2855;

// The image options show each face at this scale.
constexpr double previewScale = 0.3329414;

// How far inside its face a text is kept when it is fitted, shrunk to the alignment bar,
// or aligned on the bar: its right and bottom edges end this far from the face's edges.
constexpr float insideMargin = 60;

// No fitted, dragged or resized text is made narrower or lower than this.
constexpr double smallestText = 60;

// The right and bottom edges a fitted text ends on, inside a face frame or an area: on the
// whole twip at or before the inside margin, where the drag rules measure it.
inline double fittedRight(const QRectF& frame)
{
    return std::floor(frame.right() - insideMargin);
}
inline double fittedBottom(const QRectF& frame)
{
    return std::floor(frame.bottom() - insideMargin);
}

// Whether an alignment bar whose right edge is at `barRight` stands in a face: texts are
// aligned on it only between the face's inside margins.
inline bool barInFace(double barRight, const QRectF& faceFrame)
{
    return faceFrame.left() + insideMargin <= barRight &&
           barRight <= faceFrame.right() - insideMargin;
}

// A new text starts this far right of its face's middle.
constexpr float insertionOffset = 30;

// The rotated text of a spine starts this far outside the spine's outer edge.
constexpr float spineTextOffset = 30;

} // namespace CoverLayout
