// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GridRow.h"

#include <QList>
#include <QString>

class XmcdRecord;

struct TrackEntry {
    QString title;
    // The track's extended data as " (" text ")"; empty when the record has no line for it.
    QString extendedText;

    bool operator==(const TrackEntry&) const = default;
};

// The fields of a CD record as the lookup window shows them.
struct CddbRecord {
    // The first of the disc's three fields that the record lacks; the fields before it are
    // filled, the tracks only when none is missing.
    enum class Missing { Nothing, Artist, Year, Genre };

    // The track table always holds tracks 0 to 40; a server may name any index, so indices
    // above 99 are ignored rather than allocated.
    static constexpr int MinimumTrackCount = 41;
    static constexpr int HighestTrackIndex = 99;

    // DTITLE is "artist / album", cut at the first " / "; without one, both are the whole
    // value. A title that begins with a digit gets a space in front.
    static CddbRecord fromXmcd(const XmcdRecord& xmcd);

    // One row per index from 0 to `highestTrackIndex`: the track's number from 1, and its
    // title followed by its extended text unless that text is empty.
    QList<GridRow> trackRows() const;

    QString artist;
    QString album;
    QString year;
    QString genre;
    QList<TrackEntry> tracks;
    int highestTrackIndex = -1; // of the TTITLE and EXTT keys read; -1 without any
    Missing missing = Missing::Nothing;
};
