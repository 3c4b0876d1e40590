// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

struct CoverContext;

// A picture file dropped on a face of the cover.
namespace PictureDrop {

// Whether `path` names a picture of a kind the image options open (by its suffix).
bool isPictureFile(const QString& path);

// The picture of `path` as the background of `face`, or with `asLogo` as the cover's logo shown
// on that face: the cover as "Options Images" leaves it after that file was chosen there and
// "&Valider && Fermer" pressed. A file that cannot be read is said ("Le fichier image … ne peut
// pas être lu !") and changes nothing; false then, and for a face that does not exist.
bool dropPictureOnFace(CoverContext& context, int face, const QString& path, bool asLogo);

} // namespace PictureDrop
