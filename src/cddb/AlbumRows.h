// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Album.h"
#include "CddbRecord.h"
#include "GridRow.h"

#include <QList>

// An album of any source as the lookup window shows and saves a CDDB record: its four fields
// and its tracks, every disc's in order, so that "Enregistrer la liste dans un fichier texte"
// serves it too.
namespace AlbumRows {

CddbRecord record(const Album& album);
// A row a track: its number ("2.05" for the fifth of the second disc when there are several)
// and its title, followed by its length ("(4:05)") when the source knows it.
QList<GridRow> rows(const Album& album);

} // namespace AlbumRows
