// SPDX-License-Identifier: GPL-3.0-or-later
#include "CddbRecord.h"

#include "XmcdRecord.h"

#include <optional>

namespace {

// The track index that follows a TTITLE or EXTT key: decimal digits only, at most 99.
std::optional<int> trackIndex(QStringView digits)
{
    if (digits.isEmpty() || digits.size() > 9)
        return std::nullopt;
    int index = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        index = index * 10 + (c.unicode() - u'0');
    }
    if (index > CddbRecord::HighestTrackIndex)
        return std::nullopt;
    return index;
}

} // namespace

CddbRecord CddbRecord::fromXmcd(const XmcdRecord& xmcd)
{
    CddbRecord record;
    if (!xmcd.contains(QStringLiteral("DTITLE"))) {
        record.missing = Missing::Artist;
        return record;
    }
    const QString title = xmcd.value(QStringLiteral("DTITLE"));
    const qsizetype cut = title.indexOf(QLatin1String(" / "));
    record.artist = (cut < 0 ? title : title.left(cut)).trimmed();
    record.album = (cut < 0 ? title : title.mid(cut + 3)).trimmed();

    if (!xmcd.contains(QStringLiteral("DYEAR"))) {
        record.missing = Missing::Year;
        return record;
    }
    record.year = xmcd.value(QStringLiteral("DYEAR")).trimmed();

    if (!xmcd.contains(QStringLiteral("DGENRE"))) {
        record.missing = Missing::Genre;
        return record;
    }
    record.genre = xmcd.value(QStringLiteral("DGENRE")).trimmed();

    record.tracks.resize(MinimumTrackCount);
    for (const QString& key : xmcd.keys()) {
        const bool isTitle = key.startsWith(QLatin1String("TTITLE"));
        const bool isExtended = key.startsWith(QLatin1String("EXTT"));
        if (!isTitle && !isExtended)
            continue;
        const std::optional<int> index = trackIndex(QStringView(key).mid(isTitle ? 6 : 4));
        if (!index)
            continue;
        if (*index >= record.tracks.size())
            record.tracks.resize(*index + 1);
        record.highestTrackIndex = std::max(record.highestTrackIndex, *index);
        const QString value = xmcd.value(key).trimmed();
        TrackEntry& track = record.tracks[*index];
        if (isExtended)
            track.extendedText = QLatin1String(" (") + value + u')';
        else if (!value.isEmpty() && value.front() >= u'0' && value.front() <= u'9')
            track.title = u' ' + value;
        else
            track.title = value;
    }
    return record;
}

QList<GridRow> CddbRecord::trackRows() const
{
    QList<GridRow> rows;
    for (int index = 0; index <= highestTrackIndex; ++index) {
        const TrackEntry& track = tracks.at(index);
        const bool noExtended = track.extendedText == QLatin1String(" ()");
        rows.append({QString::number(index + 1),
                     noExtended ? track.title : track.title + track.extendedText});
    }
    return rows;
}
