// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Picture.h"

#include <QString>
#include <optional>

class JewelCaseDocument;
class Prompter;

// "Enregistrer l'image du ... au format BMP": one picture of the cover written as a BMP file,
// which the cover then refers to.
namespace PictureExport {

// The entries: the backgrounds of the faces by their index (Verso, Recto, Dos), then the logo.
constexpr int logoEntry = 3;

// The picture the entry writes: the face's background, or the cover's logo; null without one.
Picture pictureOf(const JewelCaseDocument& document, int entry);

// Asks where to write `picture` and writes it there; the chosen file becomes the entry's path
// and `lastPicturePath`, and the cover is modified. A cancelled dialog changes nothing; a file
// that cannot be written is reported and changes nothing. True when the file was written.
bool SavePictureAsBmp(JewelCaseDocument& document, int entry, const Picture& picture,
                      Prompter& prompter, QString& lastPicturePath);

// What every picture's BMP export does: the save dialog titled `title`, proposing `proposed`
// ("Aucun" proposes nothing), and the picture written at its own size. The file written, or
// nothing when the dialog was cancelled or the file could not be written (which is said).
std::optional<QString> saveAsBmp(const Picture& picture, const QString& title,
                                 const QString& proposed, Prompter& prompter);

} // namespace PictureExport
