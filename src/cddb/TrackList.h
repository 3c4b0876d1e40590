// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

struct CddbRecord;

// "Enregistrer la liste dans un fichier texte": the record as lines of text that the text
// editor inserts into a cover: artist and album, year and genre, an empty line, then
// "01-Title" for every track that has a title.
namespace TrackList {

QStringList lines(const CddbRecord& record);
// The name proposed for the file: artist "-" album.
QString proposedName(const CddbRecord& record);

} // namespace TrackList
