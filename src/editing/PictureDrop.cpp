// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureDrop.h"

#include "CoverContext.h"
#include "ImageOptions.h"
#include "PictureFile.h"

#include <QDir>
#include <QFileInfo>

namespace PictureDrop {

bool isPictureFile(const QString& path)
{
    return QDir::match(PictureFile::patterns(), QFileInfo(path).fileName());
}

bool dropPictureOnFace(CoverContext& context, int face, const QString& path, bool asLogo)
{
    if (!Face::isValid(face))
        return false;
    const std::optional<Picture> picture = PictureFile::loadOrTell(path, context.prompter);
    if (!picture)
        return false;
    DocumentHistory::Edit edit(context.history, QStringLiteral("l'image déposée"));
    ImageOptions options(context.document);
    if (asLogo)
        options.chooseLogo(ImageOptionsChoices::FromFile, *picture, path, face);
    else
        options.chooseBackground(face, *picture, path);
    options.apply(context.document);
    options.remember(context.document);
    return true;
}

} // namespace PictureDrop
