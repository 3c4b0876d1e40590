// SPDX-License-Identifier: GPL-3.0-or-later
#include "TrackList.h"

#include "CddbRecord.h"

namespace TrackList {

QStringList lines(const CddbRecord& record)
{
    QStringList result = {QStringLiteral("Artiste : ") + record.artist + QStringLiteral(" - ") +
                              QStringLiteral("Album : ") + record.album,
                          QStringLiteral("Année : ") + record.year + QStringLiteral(" - ") +
                              QStringLiteral("Genre : ") + record.genre,
                          QString()};
    // Every track the record names, beyond the 41st too: a long CD keeps all its titles.
    for (qsizetype index = 0; index < record.tracks.size(); ++index) {
        const QString& title = record.tracks[index].title;
        if (!title.isEmpty())
            result << QStringLiteral("%1-").arg(index + 1, 2, 10, QLatin1Char('0')) + title;
    }
    return result;
}

QString proposedName(const CddbRecord& record)
{
    return record.artist + QLatin1Char('-') + record.album;
}

} // namespace TrackList
