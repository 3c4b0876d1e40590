#pragma once

#include "Picture.h"

#include <QString>
#include <optional>

// Reads the picture files a user chooses: bmp, jpg/jpeg, png, gif, ico and, where Qt's image
// plugins are installed, svg, tif/tiff and webp through Qt's image readers; Windows metafiles
// (wmf) as drawings (Metafile).
namespace PictureFile {

// The picture in `path`, or nothing when it cannot be read.
std::optional<Picture> load(const QString& path);

} // namespace PictureFile
