// SPDX-License-Identifier: GPL-3.0-or-later
#include "CatalogueRecord.h"

#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <limits>

namespace {

int leadingNumber(const QString& text)
{
    const QString value = text.trimmed();
    qsizetype position = 0;
    const bool negative = value.startsWith(QLatin1Char('-'));
    if (negative || value.startsWith(QLatin1Char('+')))
        ++position;
    qint64 number = 0;
    for (; position < value.size(); ++position) {
        const char16_t digit = value[position].unicode();
        if (digit < u'0' || digit > u'9')
            break;
        number = std::min<qint64>(number * 10 + (digit - u'0'), std::numeric_limits<int>::max());
    }
    return int(negative ? -number : number);
}

// "4:05" or "1:02:07" in seconds; 0 for anything else, an unknown length.
int seconds(const QString& length)
{
    const QStringList parts = length.trimmed().split(QLatin1Char(':'));
    if (parts.size() < 2 || parts.size() > 3)
        return 0;
    qint64 total = 0;
    for (const QString& part : parts) {
        bool ok = false;
        const int value = part.toInt(&ok);
        if (!ok || value < 0 || value > 100000)
            return 0;
        total = total * 60 + value;
    }
    return int(std::min<qint64>(total, std::numeric_limits<int>::max()));
}

} // namespace

CatalogueRecord CatalogueRecord::read(const QString& path)
{
    CatalogueRecord record;
    record.profile_ = PrivateProfile::read(path);
    return record;
}

QString CatalogueRecord::get(const char* section, const QString& key, const QString& fallback) const
{
    return profile_.value(QLatin1String(section), key).value_or(fallback);
}

QString CatalogueRecord::get(const char* section, const char* key, const QString& fallback) const
{
    return get(section, QLatin1String(key), fallback);
}

int CatalogueRecord::number(const char* section, const char* key) const
{
    return leadingNumber(get(section, key, QStringLiteral("0")));
}

int CatalogueRecord::subRecordCount() const
{
    return std::clamp(number("RecordData", "NrSubRecords"), 0, largestCount);
}

QString CatalogueRecord::trackTitle(int track) const
{
    return get("SubRec", QStringLiteral("Track%1").arg(track),
               QStringLiteral("Track %1").arg(track, 2, 10, QLatin1Char('0')));
}

QString CatalogueRecord::trackLength(int track) const
{
    return get("SubRec", QStringLiteral("Length%1").arg(track), QStringLiteral("0:00"));
}

std::optional<Album> CatalogueRecord::album() const
{
    if (kind() != AlbumKind)
        return std::nullopt;
    Album album;
    album.artist = get("Core", "Artist").trimmed();
    album.title = get("Core", "Title").trimmed();
    if (album.title == QLatin1String("N/A"))
        album.title.clear();
    const QString picture = get("Core", "CoverArt");
    if (!picture.isEmpty() && QFileInfo(picture).isFile())
        album.frontPicture = picture;
    Album::Disc& disc = album.discs.emplace_back();
    for (int track = 1; track <= subRecordCount(); ++track)
        disc.tracks.push_back({trackTitle(track), seconds(trackLength(track))});
    return album;
}
