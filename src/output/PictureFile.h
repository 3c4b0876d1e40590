#pragma once

#include "Picture.h"

#include <QString>
#include <optional>

// Reads the picture files a user chooses: bmp, jpg/jpeg, png, gif, ico and, where Qt's image
// plugins are installed, svg, tif/tiff and webp through Qt's image readers; Windows metafiles
// (wmf) as drawings (Metafile).
namespace PictureFile {

// The picture in `path`, or nothing when it cannot be read. Pixels beyond what any output
// shows (the widest face at the finest print quality) are read reduced; the picture keeps its
// own size all the same.
std::optional<Picture> load(const QString& path);

// The longest side, in pixels, a picture is read at.
int largestSide();

} // namespace PictureFile
