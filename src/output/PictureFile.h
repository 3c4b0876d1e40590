// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Picture.h"

#include <QString>
#include <QStringList>
#include <optional>

class Prompter;

// Reads the picture files a user chooses: bmp, jpg/jpeg, png, gif, ico and, where Qt's image
// plugins are installed, svg, tif/tiff and webp through Qt's image readers; Windows metafiles
// (wmf) as drawings (Metafile).
namespace PictureFile {

// The picture in `path`, or nothing when it cannot be read. Pixels beyond what any output
// shows (the widest face at the finest print quality) are read reduced; the picture keeps its
// own size all the same.
std::optional<Picture> load(const QString& path);

// True when the file in `path` is a JPEG or a PNG, whose pixels `load` leaves to be read when
// an output first needs them.
bool readLazily(const QString& path);

// `load`, and when the picture cannot be read, the message "Le fichier image … ne peut pas
// être lu !" (titled "Erreur").
std::optional<Picture> loadOrTell(const QString& path, Prompter& prompter);

// The file-name patterns of the pictures `load` reads, in lower and upper case, for open
// dialogs: "*.jpg", "*.JPG"…
QStringList patterns();

// The longest side, in pixels, a picture is read at.
int largestSide();

} // namespace PictureFile
