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

    const double fl = frame.left();
    const double fw = frame.width();
    const double fh = frame.height();
    const double w = logo.rect.width();
    const double h = logo.rect.height();
    logo.stretch = true;
    logo.fittedToFace = false;
    switch (mode) {
    case LogoDisplayMode::FittedToFace:
        logo.rect = faceFit(frame);
        logo.fittedToFace = true;
        break;
    case LogoDisplayMode::TopLeft:
        logo.rect.moveTo(fl + logoInset, logoInset);
        break;
    case LogoDisplayMode::TopRight:
        logo.rect.moveTo(fl + fw - w - logoInset, logoInset);
        break;
    case LogoDisplayMode::BottomLeft:
        logo.rect.moveTo(fl + logoInset, fh - h - logoInset);
        break;
    case LogoDisplayMode::BottomRight:
        logo.rect.moveTo(fl + fw - w - logoInset, fh - h - logoInset);
        break;
    case LogoDisplayMode::Centred:
        logo.rect.moveTo(fl + (fw - w) / 2, (fh - h) / 2);
        break;
    case LogoDisplayMode::Free:
    case LogoDisplayMode::Hidden:
        break;
    }
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
