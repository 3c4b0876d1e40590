// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureExport.h"

#include "BmpFile.h"
#include "JewelCaseDocument.h"
#include "Prompter.h"

#include <QDir>

namespace PictureExport {

namespace {

QString dialogTitle(int entry)
{
    switch (entry) {
    case Face::Verso:
        return QStringLiteral("Enregistrer image Verso au format image BMP");
    case Face::Recto:
        return QStringLiteral("Enregistrer image Recto au format image BMP");
    case Face::Dos:
        return QStringLiteral("Enregistrer image Dos au format image BMP");
    default:
        return QStringLiteral("Enregistrer image Logo au format image BMP");
    }
}

} // namespace

Picture pictureOf(const JewelCaseDocument& document, int entry)
{
    if (Face::isValid(entry))
        return document.faces[std::size_t(entry)].background.picture;
    return document.logo();
}

bool SavePictureAsBmp(JewelCaseDocument& document, int entry, const Picture& picture,
                      Prompter& prompter, QString& lastPicturePath)
{
    if (entry < 0 || entry > logoEntry || picture.isNull())
        return false;
    QString& path = document.picturePath(entry);
    const std::optional<QString> chosen = saveAsBmp(picture, dialogTitle(entry), path, prompter);
    if (!chosen)
        return false;
    lastPicturePath = *chosen;
    path = *chosen;
    return true;
}

std::optional<QString> saveAsBmp(const Picture& picture, const QString& title,
                                 const QString& proposed, Prompter& prompter)
{
    if (picture.isNull())
        return std::nullopt;
    const std::optional<QString> chosen =
        prompter.getSaveFileName({title,
                                  proposed == JewelCaseDocument::noPicture ? QString() : proposed,
                                  {QStringLiteral("Fichier image BMP (*.bmp)")},
                                  QStringLiteral("bmp")});
    if (!chosen || chosen->isEmpty())
        return std::nullopt;
    if (!BmpFile::write(picture.toImage(), *chosen)) {
        prompter.inform(QStringLiteral("Impossible d'écrire le fichier %1.")
                            .arg(QDir::toNativeSeparators(*chosen)),
                        title, Prompter::Icon::Exclamation);
        return std::nullopt;
    }
    return chosen;
}

} // namespace PictureExport
