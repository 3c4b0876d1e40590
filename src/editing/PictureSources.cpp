// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureSources.h"

#include "ClipboardPicture.h"
#include "PictureFile.h"
#include "Prompter.h"

namespace PictureSources {

std::optional<Picture> AcquirePicture(bool fromClipboard, Prompter& prompter,
                                      QString& lastPicturePath)
{
    if (fromClipboard) {
        if (std::optional<Picture> pasted = ClipboardPicture::read())
            return pasted;
        prompter.inform(QStringLiteral("Pas d'image valide dans le presse papier ! "),
                        QStringLiteral("Recommencez !"), Prompter::Icon::Exclamation);
        return std::nullopt;
    }
    return AcquirePictureFile(QStringLiteral("Sélectionnez une image"), prompter, lastPicturePath);
}

std::optional<Picture> AcquirePictureFile(const QString& title, Prompter& prompter,
                                          QString& lastPicturePath)
{
    const std::optional<QString> path = prompter.getOpenFileName(
        {title,
         QString(),
         {QStringLiteral("Fichiers images (") + PictureFile::patterns().join(QLatin1Char(' ')) +
              QLatin1Char(')'),
          QStringLiteral("Tous les fichiers (*)")},
         QString()});
    if (!path)
        return std::nullopt;
    std::optional<Picture> loaded = PictureFile::loadOrTell(*path, prompter);
    if (loaded)
        lastPicturePath = *path;
    return loaded;
}

} // namespace PictureSources
