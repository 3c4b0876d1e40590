// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageOptions.h"

#include "VerticalTextDrawing.h"

#include <algorithm>

namespace {

using PicturePlacement::BackgroundFitMode;
using PicturePlacement::LogoDisplayMode;

// The logo and background a preview shows before they stand anywhere on the cover.
constexpr double untouchedLogoSide = 855;
constexpr double untouchedBackgroundSide = 1170;
// How far in from the preview's edges a logo and a background are drawn.
constexpr double logoPreviewInset = 10;
constexpr double fittedLogoPreviewInset = 20;
constexpr double backgroundPreviewInset = 10;

} // namespace

ImageOptions::ImageOptions(const JewelCaseDocument& document) : document_(document)
{
    // The lists as the user last left them, each within its entries.
    const ImageOptionsChoices& choices = document.imageChoices;
    for (int face = 0; face < Face::count; ++face) {
        const Face& source = document.faces[std::size_t(face)];
        FaceOptions& options = faces[std::size_t(face)];
        const std::size_t f = std::size_t(face);
        options.logoMode =
            int(PicturePlacement::logoDisplayModeFromNumber(choices.logoDisplayMode[f]));
        options.logoBorder = std::clamp(choices.logoBorderStyle[f], int(BorderStyle::None),
                                        int(BorderStyle::Single));
        options.backgroundMode =
            std::clamp(choices.backgroundFitMode[f], int(BackgroundFitMode::WholeFace),
                       int(BackgroundFitMode::CentredProportional));
        if (!source.logo.isEmpty()) {
            options.logo = source.logo.picture;
            options.logoTrueSize = PicturePlacement::shownLogoMode(source.logo) ==
                                   PicturePlacement::LogoDisplayMode::Free;
        }
        if (!source.background.isEmpty()) {
            options.background = source.background.picture;
            options.backgroundTrueSize = !source.background.fittedToFace;
        }
        options.backgroundPath = document.picturePath(face);
        options.colour = source.color;
    }
    // Without a logo the list says so; with one, where the user said it came from.
    const bool anyLogo = !document.logo().isNull();
    logoSource = anyLogo ? std::clamp(choices.logoSource, int(ImageOptionsChoices::FromFile),
                                      int(ImageOptionsChoices::Scanned))
                         : ImageOptionsChoices::NoPicture;
    logoPath = document.logoImagePath;
    verticalAlignment = document.verticalTextAlignment;
}

void ImageOptions::chooseBackground(int face, const Picture& picture, const QString& path)
{
    if (!Face::isValid(face))
        return;
    FaceOptions& options = faces[std::size_t(face)];
    options.background = picture;
    options.backgroundPath = path;
    options.backgroundMode = int(PicturePlacement::BackgroundFitMode::WholeFace);
    options.backgroundTrueSize = false;
}

void ImageOptions::chooseLogo(int source, const Picture& picture, const QString& path, int shownOn)
{
    logoSource = source;
    logoPath = path;
    for (int face = 0; face < Face::count; ++face) {
        FaceOptions& options = faces[std::size_t(face)];
        options.logo = picture;
        if (face == shownOn && options.logoMode == int(PicturePlacement::LogoDisplayMode::Hidden)) {
            options.logoMode = int(PicturePlacement::LogoDisplayMode::FittedToFace);
            options.logoTrueSize = false;
        }
    }
}

void ImageOptions::apply(JewelCaseDocument& document) const
{
    using namespace PicturePlacement;
    for (int face = 0; face < Face::count; ++face) {
        const FaceOptions& options = faces[std::size_t(face)];
        PlaceLogo(document, face, logoDisplayModeFromNumber(options.logoMode),
                  options.logoBorder != int(BorderStyle::None), options.logo);
        PlaceBackground(document, face, options.colour,
                        backgroundFitModeFromNumber(options.backgroundMode), options.background);
        document.picturePath(face) = options.backgroundPath;
    }
    document.logoImagePath = logoPath;
    document.imageChoices.logoSource = logoSource;
    document.verticalTextAlignment = verticalAlignment;
    DrawRotatedText(document, document.verticalText.caption());
}

void ImageOptions::remember(JewelCaseDocument& document) const
{
    ImageOptionsChoices& choices = document.imageChoices;
    for (std::size_t face = 0; face < faces.size(); ++face) {
        choices.logoDisplayMode[face] = faces[face].logoMode;
        choices.logoBorderStyle[face] = faces[face].logoBorder;
        choices.backgroundFitMode[face] = faces[face].backgroundMode;
    }
}

QSizeF ImageOptions::previewSize(int face) const
{
    if (!Face::isValid(face))
        return {};
    return document_.faces[std::size_t(face)].frame.size() * previewScale;
}

QRectF ImageOptions::logoPreview(int face) const
{
    if (!Face::isValid(face))
        return {};
    const FaceOptions& options = faces[std::size_t(face)];
    const QSizeF area = previewSize(face);
    const double pw = area.width();
    const double ph = area.height();
    if (options.logoMode == int(LogoDisplayMode::FittedToFace))
        return QRectF(fittedLogoPreviewInset, fittedLogoPreviewInset, pw - fittedLogoPreviewInset,
                      ph - fittedLogoPreviewInset);
    const ImageSlot& logo = document_.faces[std::size_t(face)].logo;
    const QSizeF size = options.logoTrueSize ? logo.rect.size() * previewScale
                                             : QSizeF(untouchedLogoSide, untouchedLogoSide);
    const LogoDisplayMode mode = LogoDisplayMode(options.logoMode);
    if (mode == LogoDisplayMode::Free)
        return QRectF(QPointF((logo.rect.left() - document_.faces[std::size_t(face)].frame.left()) *
                                  previewScale,
                              logo.rect.top() * previewScale),
                      size);
    // The corners and the centre as on the face, in the preview and its own inset.
    const std::optional<QPointF> at =
        PicturePlacement::logoPosition(mode, QRectF(QPointF(0, 0), area), size, logoPreviewInset);
    return at ? QRectF(*at, size) : QRectF(); // hidden
}

QRectF ImageOptions::backgroundPreview(int face) const
{
    if (!Face::isValid(face))
        return {};
    const FaceOptions& options = faces[std::size_t(face)];
    const QSizeF area = previewSize(face);
    if (options.backgroundMode == int(BackgroundFitMode::WholeFace))
        return QRectF(backgroundPreviewInset, backgroundPreviewInset,
                      area.width() - backgroundPreviewInset,
                      area.height() - backgroundPreviewInset);
    const QSizeF size =
        options.backgroundTrueSize
            ? document_.faces[std::size_t(face)].background.rect.size() * previewScale
            : QSizeF(untouchedBackgroundSide, untouchedBackgroundSide);
    return QRectF(QPointF((area.width() - size.width()) / 2, (area.height() - size.height()) / 2),
                  size);
}
