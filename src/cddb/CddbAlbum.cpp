// SPDX-License-Identifier: GPL-3.0-or-later
#include "CddbAlbum.h"

#include "CddbRecord.h"

#include <cmath>

namespace CddbAlbum {

Album fromRecord(const CddbRecord& record, const std::optional<DiscToc>& toc)
{
    Album album;
    album.artist = record.artist.trimmed();
    album.title = record.album.trimmed();
    album.year = record.year.trimmed();
    album.genre = record.genre.trimmed();
    const int tracks = std::max(record.highestTrackIndex + 1, toc ? toc->trackCount() : 0);
    Album::Disc disc;
    for (int index = 0; index < tracks; ++index) {
        Album::Track track;
        // The record puts a space before a title that starts with a digit, for its grid.
        track.title =
            index < record.tracks.size() ? record.tracks[index].title.trimmed() : QString();
        if (track.title.isEmpty())
            track.title = QStringLiteral("Piste %1").arg(index + 1);
        if (toc && index < toc->trackCount()) {
            const QList<int>& starts = toc->offsets();
            const int end = index + 1 < starts.size() ? starts[index + 1] : toc->leadOut();
            track.seconds =
                int(std::lround(double(end - starts[index]) / DiscToc::framesPerSecond));
        }
        disc.tracks.push_back(track);
    }
    if (!disc.tracks.empty())
        album.discs.push_back(std::move(disc));
    return album;
}

} // namespace CddbAlbum
