// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TextFont.h"

#include <QRectF>
#include <QString>
#include <vector>

struct Face;

// How a list of lines (an album's tracks, a catalogue record's sub-records) takes the part of a
// face it may use: in one column at the list's own size while it fits, else at smaller whole
// sizes, then in two columns, then in three, before any line is left without a line's height.
// One or two columns go no smaller than a readable 8 pt, where another column shows the list
// larger; three go down to 6 pt, the smallest. The album's cover and the record import place
// their texts by it.
namespace TrackListLayout {

constexpr float smallestSize = 6;
constexpr float readableSize = 8;
constexpr int mostColumns = 3;
// Between two columns.
constexpr double columnGap = 240;
// A list starts this far right of its face's left edge, as the record import's tracks always
// have; it stands this far from a logo it avoids.
constexpr double listIndent = 120;
// A column narrower than this would show too little of its titles: fewer columns then.
constexpr double narrowestColumn = 1200;

struct Column {
    QRectF rect; // the column's share of the area, the area's whole height
    int first = 0;
    int count = 0;
};

struct Plan {
    QRectF area;
    float size = 0;
    // An auto-sized text of one line at `size` is this high, in whole twips.
    double lineHeight = 0;
    std::vector<Column> columns;
    // Every line has a line's height in its column. Otherwise the most columns the area's width
    // allows, at the smallest size, hold more lines than they show one under the other.
    bool fits = false;
    // The widest line is no wider than a column: no line ends with "…".
    bool wholeLines = true;
};

// The plan for `lineCount` lines of `font` in `area`, the widest of them `widestLine` twips wide
// at the font's own size. A line marked in `headings` (a disc's "Disque 2") is not left alone at
// a column's foot when it can start the next one.
Plan plan(int lineCount, const TextFont& font, const QRectF& area,
          const std::vector<bool>& headings = {}, double widestLine = 0);

// The inside of a face that a list may take: from `listIndent` right of its left edge and the
// inside margin below its top to where a fitted text ends.
QRectF listArea(const QRectF& frame);

// The plan on a face: over its whole list area, or, when a logo shown on it does not cover the
// face, in the room above, below, left or right of the logo where the list fits best: whole
// first, then with its lines whole, in fewer columns, larger.
Plan planOnFace(const Face& face, int lineCount, const TextFont& font,
                const std::vector<bool>& headings = {}, double widestLine = 0);

// Whether a caption is a track list: at least three of its lines, and most of them, start
// with a track number ("01-Titre", "1. Titre", "12 Titre").
bool isTrackList(const QString& caption);

// The largest whole size, from the font's own down to 6 pt, at which `caption` sized to its
// text is no higher than `height`; the font's own when it is already, or when it is under
// 6 pt; 6 pt when no size is.
float fittingSize(const TextFont& font, const QString& caption, double height);

} // namespace TrackListLayout
