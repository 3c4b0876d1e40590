// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Where the pictures of an album are kept. A cover names its pictures by their files, so a
// picture fetched from the network or taken out of an audio file is written to a file of its
// own before it reaches an album: in the user's pictures folder, under "Jaskel CD", named
// "ARTISTE - ALBUM - recto.jpg" (or "verso"), never over another file.
namespace AlbumPictures {

enum class Side { Front, Back };

// The folder the pictures go to: "Jaskel CD" in the user's pictures folder (or home folder).
QString folder();

// Writes `bytes` (a picture file's contents, JPEG or PNG: the suffix follows what they are) to
// a new file in `into`, named after the album and the side; a name already taken gets " (2)",
// " (3)"…, unless that file holds the same bytes, which it then names. The path, or an empty
// string when it could not be written (nothing is left behind).
QString keep(const QByteArray& bytes, const QString& artist, const QString& album, Side side,
             const QString& into = folder());

} // namespace AlbumPictures
