#include "ImageOptions.h"

#include "VerticalTextDrawing.h"

#include <algorithm>

namespace {

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
    for (int face = 0; face < Face::count; ++face) {
        const Face& source = document.faces[std::size_t(face)];
        FaceOptions& options = faces[std::size_t(face)];
        options.logoBorder = source.logo.borderStyle == BorderStyle::Single ? 1 : 0;
        if (!source.logo.isEmpty()) {
            options.logo = source.logo.picture;
            options.logoMode = int(PicturePlacement::shownLogoMode(source.logo));
            options.logoTrueSize = options.logoMode == int(PicturePlacement::LogoDisplayMode::Free);
        }
        if (!source.background.isEmpty()) {
            options.background = source.background.picture;
            options.backgroundMode = int(PicturePlacement::shownBackgroundMode(source.background));
            options.backgroundTrueSize = !source.background.fittedToFace;
        }
        options.colour = source.color;
    }
    verticalAlignment = document.verticalTextAlignment;
}

void ImageOptions::restore(const ImageOptionsChoices& choices)
{
    for (std::size_t face = 0; face < faces.size(); ++face) {
        faces[face].logoMode = choices.logoDisplayMode[face];
        faces[face].logoBorder = choices.logoBorderStyle[face];
        faces[face].backgroundMode = choices.backgroundFitMode[face];
    }
}

void ImageOptions::apply(JewelCaseDocument& document) const
{
    using namespace PicturePlacement;
    for (int face = 0; face < Face::count; ++face) {
        const FaceOptions& options = faces[std::size_t(face)];
        const int logoMode = std::clamp(options.logoMode, 0, 7);
        PlaceLogo(document, face, LogoDisplayMode(logoMode), options.logoBorder != 0, options.logo);
        PlaceBackground(document, face, options.colour,
                        options.backgroundMode == 1 ? BackgroundFitMode::CentredProportional
                                                    : BackgroundFitMode::WholeFace,
                        options.background);
    }
    document.verticalTextAlignment = verticalAlignment;
    DrawRotatedText(document, document.verticalText.caption());
}

void ImageOptions::remember(ImageOptionsChoices& choices, JewelCaseDocument& document) const
{
    for (std::size_t face = 0; face < faces.size(); ++face) {
        choices.logoDisplayMode[face] = faces[face].logoMode;
        choices.logoBorderStyle[face] = faces[face].logoBorder;
        choices.backgroundFitMode[face] = faces[face].backgroundMode;
    }
    document.documentModified = true;
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
    if (options.logoMode == 1)
        return QRectF(fittedLogoPreviewInset, fittedLogoPreviewInset, pw - fittedLogoPreviewInset,
                      ph - fittedLogoPreviewInset);
    const ImageSlot& logo = document_.faces[std::size_t(face)].logo;
    const QSizeF size = options.logoTrueSize ? logo.rect.size() * previewScale
                                             : QSizeF(untouchedLogoSide, untouchedLogoSide);
    const double w = size.width();
    const double h = size.height();
    const double inset = logoPreviewInset;
    QPointF at;
    switch (options.logoMode) {
    case 2:
        at = QPointF((logo.rect.left() - document_.faces[std::size_t(face)].frame.left()) *
                         previewScale,
                     logo.rect.top() * previewScale);
        break;
    case 3:
        at = QPointF(inset, inset);
        break;
    case 4:
        at = QPointF(pw - w - inset, inset);
        break;
    case 5:
        at = QPointF(inset, ph - h - inset);
        break;
    case 6:
        at = QPointF(pw - w - inset, ph - h - inset);
        break;
    case 7:
        at = QPointF((pw - w) / 2, (ph - h) / 2);
        break;
    default:
        return {}; // hidden
    }
    return QRectF(at, size);
}

QRectF ImageOptions::backgroundPreview(int face) const
{
    if (!Face::isValid(face))
        return {};
    const FaceOptions& options = faces[std::size_t(face)];
    const QSizeF area = previewSize(face);
    if (options.backgroundMode == 0)
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
