// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Picture.h"

#include <QString>
#include <optional>

class Prompter;

// Where the image options take a picture from: a file the user chooses, or the clipboard.
namespace PictureSources {

// From the clipboard: its picture, or the message "Pas d'image valide dans le presse papier ! "
// and nothing. From a file: the picture of the file chosen in the open dialog, which becomes
// `lastPicturePath`; a cancelled dialog gives nothing, and so does a file that cannot be read,
// after saying so ("Le fichier image … ne peut pas être lu !"); `lastPicturePath` is then left
// as it was.
std::optional<Picture> AcquirePicture(bool fromClipboard, Prompter& prompter,
                                      QString& lastPicturePath);

// From a file only, chosen in an open dialog titled `title` ("Sélectionnez une image" for the
// image options, "Choisir une image" for the CD label).
std::optional<Picture> AcquirePictureFile(const QString& title, Prompter& prompter,
                                          QString& lastPicturePath);

} // namespace PictureSources
