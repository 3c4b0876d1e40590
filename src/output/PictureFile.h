#pragma once

#include "Picture.h"

#include <QString>
#include <optional>

// Reads the picture files a user chooses: bmp, jpg/jpeg, gif, ico and png through Qt's image
// readers, and Windows metafiles (wmf), turned into a drawing by libwmf's wmf2svg.
namespace PictureFile {

// The picture in `path`, or nothing when it cannot be read.
std::optional<Picture> load(const QString& path);

// A placeable metafile's size in twips, from its header; nothing for any other bytes.
std::optional<QSizeF> placeableMetafileSize(const QByteArray& bytes);

} // namespace PictureFile
