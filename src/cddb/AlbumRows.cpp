// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlbumRows.h"

namespace AlbumRows {

CddbRecord record(const Album& album)
{
    CddbRecord record;
    record.artist = album.artist;
    record.album = album.title;
    record.year = album.year;
    record.genre = album.genre;
    for (const Album::Disc& disc : album.discs)
        for (const Album::Track& track : disc.tracks)
            record.tracks.append({track.title, QString()});
    record.highestTrackIndex = int(record.tracks.size()) - 1;
    return record;
}

QList<GridRow> rows(const Album& album)
{
    QList<GridRow> rows;
    const bool several = album.discs.size() > 1;
    for (std::size_t disc = 0; disc < album.discs.size(); ++disc) {
        const std::vector<Album::Track>& tracks = album.discs[disc].tracks;
        for (std::size_t index = 0; index < tracks.size(); ++index) {
            const Album::Track& track = tracks[index];
            const QString number = several ? QStringLiteral("%1.%2").arg(disc + 1).arg(
                                                 int(index) + 1, 2, 10, QLatin1Char('0'))
                                           : QString::number(index + 1);
            QString title = track.title;
            if (track.seconds > 0)
                title += QStringLiteral(" (%1:%2)")
                             .arg(track.seconds / 60)
                             .arg(track.seconds % 60, 2, 10, QLatin1Char('0'));
            rows.append({number, title});
        }
    }
    return rows;
}

} // namespace AlbumRows
