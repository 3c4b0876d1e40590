// SPDX-License-Identifier: GPL-3.0-or-later
#include "PicturePlacement.h"

#include "CoverLayout.h"
#include "JewelCaseDocument.h"

#include <algorithm>

namespace PicturePlacement {

namespace {

using CoverLayout::logoInset;

// The rectangle of a picture that covers its face, one inset in from each edge.
QRectF faceFit(const QRectF& face)
{
    return QRectF(face.left() + logoInset, logoInset, face.width() - 2 * logoInset,
                  face.height() - 2 * logoInset);
}

// A slot at the face-fit size or larger (the Recto's logo starts as large as its face) covers
// its face: a small picture placed in a corner must not inherit that size.
bool coversFace(const QSizeF& slot, const QSizeF& faceFitSize)
{
    return slot.width() > faceFitSize.width() - 0.01 && slot.height() > faceFitSize.height() - 0.01;
}

} // namespace

LogoDisplayMode logoDisplayModeFromNumber(int number)
{
    return LogoDisplayMode(
        std::clamp(number, int(LogoDisplayMode::Hidden), int(LogoDisplayMode::Centred)));
}

BackgroundFitMode backgroundFitModeFromNumber(int number)
{
    return number == int(BackgroundFitMode::CentredProportional)
               ? BackgroundFitMode::CentredProportional
               : BackgroundFitMode::WholeFace;
}

std::optional<QPointF> logoPosition(LogoDisplayMode mode, const QRectF& area, const QSizeF& size,
                                    double inset)
{
    const double left = area.left() + inset;
    const double right = area.left() + area.width() - size.width() - inset;
    const double top = area.top() + inset;
    const double bottom = area.top() + area.height() - size.height() - inset;
    switch (mode) {
    case LogoDisplayMode::TopLeft:
        return QPointF(left, top);
    case LogoDisplayMode::TopRight:
        return QPointF(right, top);
    case LogoDisplayMode::BottomLeft:
        return QPointF(left, bottom);
    case LogoDisplayMode::BottomRight:
        return QPointF(right, bottom);
    case LogoDisplayMode::Centred:
        return QPointF(area.left() + (area.width() - size.width()) / 2,
                       area.top() + (area.height() - size.height()) / 2);
    case LogoDisplayMode::Hidden:
    case LogoDisplayMode::FittedToFace:
    case LogoDisplayMode::Free:
        break;
    }
    return std::nullopt;
}

LogoDisplayMode shownLogoMode(const ImageSlot& logo)
{
    if (logo.isEmpty() || !logo.visible)
        return LogoDisplayMode::Hidden;
    return logo.fittedToFace ? LogoDisplayMode::FittedToFace : LogoDisplayMode::Free;
}

bool FitPictureToFace(ImageSlot& target, const QRectF& faceFrame, bool stretch)
{
    const QSizeF natural = target.picture.naturalSize();
    if (natural.width() > faceFrame.width() || natural.height() > faceFrame.height()) {
        target.rect = faceFit(faceFrame);
        target.stretch = true;
        return false;
    }
    if (coversFace(target.rect.size(), faceFit(faceFrame).size()))
        target.rect.setSize(QSizeF(CoverLayout::logoSide, CoverLayout::logoSide));
    target.stretch = stretch;
    if (!stretch)
        target.rect.setSize(natural);
    return true;
}

void PlaceLogo(JewelCaseDocument& document, int face, LogoDisplayMode mode, bool border,
               const Picture& picture)
{
    if (!Face::isValid(face))
        return;
    const QRectF frame = document.faces[std::size_t(face)].frame;
    ImageSlot& logo = document.faces[std::size_t(face)].logo;
    logo.visible = false;
    logo.setPicture(picture);
    if (picture.isNull() || mode == LogoDisplayMode::Hidden)
        return;
    FitPictureToFace(logo, frame, true);

    logo.stretch = true;
    logo.fittedToFace = mode == LogoDisplayMode::FittedToFace;
    if (logo.fittedToFace)
        logo.rect = faceFit(frame);
    else if (const std::optional<QPointF> at =
                 logoPosition(mode, frame, logo.rect.size(), logoInset))
        logo.rect.moveTo(*at);
    logo.borderStyle = border ? BorderStyle::Single : BorderStyle::None;
    logo.visible = true;
}

void PlaceBackground(JewelCaseDocument& document, int face, OleColor colour, BackgroundFitMode mode,
                     const Picture& picture)
{
    if (!Face::isValid(face))
        return;
    Face& target = document.faces[std::size_t(face)];
    ImageSlot& background = target.background;
    background.visible = false;
    target.color = colour;
    if (picture.isNull()) {
        background.picture = Picture();
        return;
    }
    background.setPicture(picture);
    const bool fits = FitPictureToFace(background, target.frame, false);
    if (!fits || mode == BackgroundFitMode::WholeFace) {
        background.stretch = true;
        background.rect = faceFit(target.frame);
        background.fittedToFace = true;
    } else {
        const QSizeF size = background.rect.size();
        background.rect.moveTo(target.frame.left() + (target.frame.width() - size.width()) / 2,
                               (target.frame.height() - size.height()) / 2);
        background.fittedToFace = false;
    }
    background.visible = true;
}

} // namespace PicturePlacement
