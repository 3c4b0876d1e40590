// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <vector>

// An album as every source gives it (a CDDB record, MusicBrainz, audio files, a catalogue
// record): what a cover and a label are filled from. A plain value, with no window and no
// network behind it.
struct Album {
    struct Track {
        QString title;
        int seconds = 0; // 0 when the source does not know the length

        bool operator==(const Track&) const = default;
    };
    // One disc of the album; most albums have one.
    struct Disc {
        QString title; // a disc's own title, if the source gives one
        std::vector<Track> tracks;

        bool operator==(const Disc&) const = default;
    };

    QString artist;
    QString title;
    QString year;
    QString genre;
    std::vector<Disc> discs;
    // The pictures, as files (a cover names its pictures by path): a fetched or embedded picture
    // is written to a file before it reaches an album. Empty when there is none.
    QString frontPicture;
    QString backPicture;

    // The artist and the title, trimmed, joined by `separator`; the one missing left out.
    QString name(const QString& separator) const
    {
        const QString a = artist.trimmed();
        const QString t = title.trimmed();
        return a.isEmpty() || t.isEmpty() ? a + t : a + separator + t;
    }

    int trackCount() const
    {
        int count = 0;
        for (const Disc& disc : discs)
            count += int(disc.tracks.size());
        return count;
    }

    bool operator==(const Album&) const = default;
};
