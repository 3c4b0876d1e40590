// SPDX-License-Identifier: GPL-3.0-or-later
#include "LabelPictureCommands.h"

#include "DocumentHistory.h"
#include "LabelContext.h"
#include "PictureExport.h"
#include "PictureFile.h"
#include "PictureSources.h"
#include "Prompter.h"
#include "ScannerWindows.h"

void LabelPictureCommands::fromFile()
{
    QString chosen;
    const std::optional<Picture> picture = PictureSources::AcquirePictureFile(
        QStringLiteral("Choisir une image"), context_.prompter, chosen);
    if (picture)
        placeFile(chosen, *picture);
}

bool LabelPictureCommands::dropPicture(const QString& path)
{
    const std::optional<Picture> picture = PictureFile::loadOrTell(path, context_.prompter);
    if (picture)
        placeFile(path, *picture);
    return bool(picture);
}

void LabelPictureCommands::placeFile(const QString& path, const Picture& picture)
{
    context_.selection.EndDrag();
    DocumentHistory::Edit edit(context_.history, QStringLiteral("l'image"));
    context_.label.setPicture(path, picture, CdLabelDocument::insertedPictureRect);
}

void LabelPictureCommands::fromClipboard()
{
    QString unused;
    if (const std::optional<Picture> pasted =
            PictureSources::AcquirePicture(true, context_.prompter, unused))
        placeAsBmp(*pasted);
}

void LabelPictureCommands::fromScanner()
{
    if (const std::optional<Picture> scanned = ScannerWindows::AcquireScannedPicture(window_))
        placeAsBmp(*scanned);
}

void LabelPictureCommands::placeAsBmp(const Picture& picture)
{
    CdLabelDocument& label = context_.label;
    const std::optional<QString> path = PictureExport::saveAsBmp(
        picture, QStringLiteral("Enregistrer image numérisée au format image BMP"),
        label.pictureFileName, context_.prompter);
    if (!path)
        return;
    context_.selection.EndDrag();
    DocumentHistory::Edit edit(context_.history, QStringLiteral("l'image"));
    // Where the last picture stood (the first goes near the centre).
    label.setPicture(*path, picture, label.picture.rect);
}

void LabelPictureCommands::deletePicture()
{
    if (!context_.label.hasPictureFile())
        return;
    context_.selection.EndDrag();
    DocumentHistory::Edit edit(context_.history, QStringLiteral("la suppression de l'image"));
    context_.label.removePicture();
}

void LabelPictureCommands::labelColour()
{
    const std::optional<OleColor> chosen = context_.prompter.getColor(context_.label.backColor);
    if (!chosen)
        return;
    DocumentHistory::Edit edit(context_.history, QStringLiteral("la couleur de l'étiquette"));
    context_.label.backColor = *chosen;
}
