// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Album.h"

#include <QString>
#include <vector>

class CdLabelDocument;
class JewelCaseDocument;
class Prompter;

// An album laid onto a cover or a CD label, as a function of the documents alone: the cover
// window, the lookup window and the headless commands fill their documents with it.
namespace AlbumLayout {

// One line of an album's track list: a disc's heading ("Disque 2") when the album has several
// discs, or a track numbered from 1 on its disc with its duration ("4:05", empty when
// unknown).
struct ListLine {
    QString title;
    QString duration;
    bool heading = false;
};
std::vector<ListLine> listLines(const Album& album);

// "4:05", "1:02:07"; empty for an unknown length.
QString duration(int seconds);

// Lays `album` onto the cover as the catalogue record import lays a record of tracks (it is
// meant for an emptied cover, and adds to what the cover holds): artist and album as the
// spines' text; the artist, the title and the year and genre at the top of the Recto; the
// track list on the Verso and on the Dos, in columns of titles and of durations aligned right,
// fitted to the face's room beside a logo it shows; the front picture as the Recto's
// background and the back picture as the Dos's. A picture that cannot be read is said through
// `prompter` and left out. Every text ends inside its face.
void fillCover(JewelCaseDocument& document, const Album& album, Prompter& prompter);

// Lays `album` onto the CD label: the front picture over the disc, the album's title above the
// hub and the artist below it. A picture that cannot be read is said and left out.
void fillLabel(CdLabelDocument& label, const Album& album, Prompter& prompter);

} // namespace AlbumLayout
