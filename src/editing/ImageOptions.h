#pragma once

#include "CoverLayout.h"
#include "ImageOptionsChoices.h"
#include "JewelCaseDocument.h"
#include "Picture.h"
#include "PicturePlacement.h"

#include <QRectF>
#include <array>

// What the image options dialog holds while it is open, with no widget: for each face its
// previewed logo and background, its colour and its four lists; the cover's logo source and
// the spines' alignment. The dialog shows it and changes it; "&Valider && Fermer" applies it.
class ImageOptions {
public:
    // The previews are the faces at this scale.
    static constexpr double previewScale = CoverLayout::previewScale;

    struct FaceOptions {
        Picture logo;
        Picture background;
        OleColor colour = OleColors::white;
        int logoMode = 0;                // a PicturePlacement::LogoDisplayMode
        int logoBorder = 0;              // 0 without, 1 with a border
        int backgroundMode = 0;          // a PicturePlacement::BackgroundFitMode
        bool logoTrueSize = false;       // the preview shows the logo at its size on the face
        bool backgroundTrueSize = false; // the same for the background
    };

    // The dialog's start: the previews and lists from the cover as it stands.
    explicit ImageOptions(const JewelCaseDocument& document);

    // The lists put back from the choices remembered from the last showing.
    void restore(const ImageOptionsChoices& choices);
    // "&Valider && Fermer": every face's logo and background placed, the spines' alignment set.
    void apply(JewelCaseDocument& document) const;
    // Both closing buttons: the lists are remembered, and the cover counts as modified.
    void remember(ImageOptionsChoices& choices, JewelCaseDocument& document) const;

    // The size of a face's preview, and where its logo and background stand in it.
    QSizeF previewSize(int face) const;
    QRectF logoPreview(int face) const;
    QRectF backgroundPreview(int face) const;

    std::array<FaceOptions, Face::count> faces;
    VerticalAlignment verticalAlignment = VerticalAlignment::Start;

private:
    const JewelCaseDocument& document_;
};
