// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "OleColor.h"

#include <QPointF>
#include <optional>

class JewelCaseDocument;
class Picture;
class QRectF;
class QSizeF;
struct ImageSlot;

// How the pictures of a face are placed: the logo in one of the display modes of the image
// options, the background covering its face or centred at its own size.
namespace PicturePlacement {

// The entries of the logo's display list, and of the background's mode list.
enum class LogoDisplayMode {
    Hidden = 0,
    FittedToFace = 1,
    Free = 2,
    TopLeft = 3,
    TopRight = 4,
    BottomLeft = 5,
    BottomRight = 6,
    Centred = 7
};
enum class BackgroundFitMode { WholeFace = 0, CentredProportional = 1 };

// A stored list entry as a mode: a logo's beyond the list is the nearest entry; a background's
// is centred for its second entry only.
LogoDisplayMode logoDisplayModeFromNumber(int number);
BackgroundFitMode backgroundFitModeFromNumber(int number);

// The list entry that describes a placed logo: no picture or hidden is Hidden, covering its
// face is FittedToFace, anywhere else is Free.
LogoDisplayMode shownLogoMode(const ImageSlot& logo);

// Where a logo of `size` stands in `area` in the modes that place it by the area's edges
// (TopLeft to Centred), `inset` in from them: on its face, and in the image options' preview of
// the face. Nothing in the other modes.
std::optional<QPointF> logoPosition(LogoDisplayMode mode, const QRectF& area, const QSizeF& size,
                                    double inset);

// Sizes a slot for its picture on a face: a picture larger than the face (either way) covers
// the face 15 twips in, stretched; otherwise a slot still at that size (or larger) becomes
// 2855 twips square and takes `stretch`. True when the picture fits the face at its natural size.
bool FitPictureToFace(ImageSlot& target, const QRectF& faceFrame, bool stretch);

// Shows `picture` as the logo of `face` in `mode` with `border`; mode Hidden, or no picture,
// keeps the picture in the slot and the slot hidden. Nothing for a face that does not exist.
void PlaceLogo(JewelCaseDocument& document, int face, LogoDisplayMode mode, bool border,
               const Picture& picture);

// Gives `face` its colour and shows `picture` as its background: covering the face, or centred
// at its natural size when it fits and that is the mode. No picture hides the background.
void PlaceBackground(JewelCaseDocument& document, int face, OleColor colour, BackgroundFitMode mode,
                     const Picture& picture);

} // namespace PicturePlacement
