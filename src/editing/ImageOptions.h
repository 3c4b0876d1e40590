// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CoverLayout.h"
#include "ImageOptionsChoices.h"
#include "JewelCaseDocument.h"
#include "Picture.h"
#include "PicturePlacement.h"

#include <QRectF>
#include <array>

// What the image options dialog holds while it is open, with no widget: for each face its
// previewed logo and background, the files they come from, its colour and its four lists; the
// cover's logo source and the spines' alignment. The dialog shows it and changes it;
// "&Valider && Fermer" applies it.
class ImageOptions {
public:
    // The previews are the faces at this scale.
    static constexpr double previewScale = CoverLayout::previewScale;

    struct FaceOptions {
        Picture logo;
        Picture background;
        // The file the cover names for the background: "Aucun" once the user removed it, and
        // still the cover's own for a picture that could not be found.
        QString backgroundPath;
        OleColor colour = OleColors::white;
        int logoMode = int(PicturePlacement::LogoDisplayMode::Hidden);
        int logoBorder = int(BorderStyle::None); // a BorderStyle, without or with
        int backgroundMode = int(PicturePlacement::BackgroundFitMode::WholeFace);
        bool logoTrueSize = false;       // the preview shows the logo at its size on the face
        bool backgroundTrueSize = false; // the same for the background
    };

    // The dialog's start: the previews and lists from the cover as it stands.
    explicit ImageOptions(const JewelCaseDocument& document);

    // A picture chosen in a face's background list: over the whole face, named `path`.
    void chooseBackground(int face, const Picture& picture, const QString& path);
    // A picture chosen in the logo list from `source` (an ImageOptionsChoices::PictureSource),
    // named `path`: every face's logo, shown fitted on `shownOn` if that face hid its logo.
    void chooseLogo(int source, const Picture& picture, const QString& path,
                    int shownOn = Face::Recto);

    // "&Valider && Fermer": every face's logo and background placed and named, the spines'
    // alignment set.
    void apply(JewelCaseDocument& document) const;
    // Both closing buttons: the lists are remembered.
    void remember(JewelCaseDocument& document) const;

    // The size of a face's preview, and where its logo and background stand in it.
    QSizeF previewSize(int face) const;
    QRectF logoPreview(int face) const;
    QRectF backgroundPreview(int face) const;

    std::array<FaceOptions, Face::count> faces;
    // The entry of "Choix du logo" and the file the cover names for the logo.
    int logoSource = ImageOptionsChoices::NoPicture;
    QString logoPath;
    VerticalAlignment verticalAlignment = VerticalAlignment::Start;

private:
    const JewelCaseDocument& document_;
};
