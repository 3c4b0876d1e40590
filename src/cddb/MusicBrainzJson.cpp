// SPDX-License-Identifier: GPL-3.0-or-later
#include "MusicBrainzJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QStringList>
#include <cmath>

namespace MusicBrainzJson {

namespace {

QString text(const QJsonObject& object, QLatin1StringView key)
{
    return object.value(key).toString().trimmed();
}

// The credit as printed: each name followed by its join phrase (" & ", " feat. "…).
QString artistOf(const QJsonArray& credit)
{
    QString artist;
    for (const QJsonValue& part : credit) {
        const QJsonObject name = part.toObject();
        QString shown = name.value(QLatin1String("name")).toString();
        if (shown.isEmpty())
            shown = name.value(QLatin1String("artist"))
                        .toObject()
                        .value(QLatin1String("name"))
                        .toString();
        artist += shown + name.value(QLatin1String("joinphrase")).toString();
    }
    return artist.trimmed();
}

// The genre most voted for, with a capital as the other sources write it; the release's own,
// else its release group's.
QString genreOf(const QJsonObject& release)
{
    for (const QJsonObject& owner :
         {release, release.value(QLatin1String("release-group")).toObject()}) {
        QString best;
        double bestCount = -1;
        for (const QJsonValue& value : owner.value(QLatin1String("genres")).toArray()) {
            const QJsonObject genre = value.toObject();
            const double count = genre.value(QLatin1String("count")).toDouble();
            if (count > bestCount && !text(genre, QLatin1String("name")).isEmpty()) {
                best = text(genre, QLatin1String("name"));
                bestCount = count;
            }
        }
        if (!best.isEmpty())
            return best.left(1).toUpper() + best.mid(1);
    }
    return {};
}

int secondsOf(const QJsonObject& track)
{
    QJsonValue length = track.value(QLatin1String("length"));
    if (!length.isDouble())
        length = track.value(QLatin1String("recording")).toObject().value(QLatin1String("length"));
    const double milliseconds = length.toDouble();
    return milliseconds > 0 && milliseconds < 1e9 ? int(std::lround(milliseconds / 1000)) : 0;
}

QString describe(const QJsonObject& release, int trackCount)
{
    QStringList parts;
    if (const QString year = text(release, QLatin1String("date")).left(4); !year.isEmpty())
        parts << year;
    if (const QString country = text(release, QLatin1String("country")); !country.isEmpty())
        parts << country;
    QStringList formats;
    int mediaTracks = 0;
    for (const QJsonValue& value : release.value(QLatin1String("media")).toArray()) {
        const QJsonObject medium = value.toObject();
        const QString format = text(medium, QLatin1String("format"));
        if (!format.isEmpty() && !formats.contains(format))
            formats << format;
        mediaTracks += medium.value(QLatin1String("track-count")).toInt();
    }
    const int media = int(release.value(QLatin1String("media")).toArray().size());
    if (!formats.isEmpty())
        parts << (media > 1 ? QString::number(media) + u'×' : QString()) + formats.join(u'+');
    const int tracks = trackCount > 0    ? trackCount
                       : mediaTracks > 0 ? mediaTracks
                                         : release.value(QLatin1String("track-count")).toInt();
    if (tracks > 0)
        parts << QStringLiteral("%1 piste%2").arg(tracks).arg(tracks > 1 ? "s" : "");
    const QString album = QStringLiteral("%1 / %2").arg(
        artistOf(release.value(QLatin1String("artist-credit")).toArray()),
        text(release, QLatin1String("title")));
    return parts.isEmpty() ? album
                           : album + QStringLiteral(" (") + parts.join(QStringLiteral(", ")) + u')';
}

} // namespace

Release readRelease(const QJsonObject& object)
{
    Release release;
    release.id = text(object, QLatin1String("id"));
    Album& album = release.album;
    album.artist = artistOf(object.value(QLatin1String("artist-credit")).toArray());
    album.title = text(object, QLatin1String("title"));
    album.year = text(object, QLatin1String("date")).left(4);
    if (album.year.isEmpty())
        album.year = text(object.value(QLatin1String("release-group")).toObject(),
                          QLatin1String("first-release-date"))
                         .left(4);
    album.genre = genreOf(object);
    for (const QJsonValue& value : object.value(QLatin1String("media")).toArray()) {
        const QJsonObject medium = value.toObject();
        if (!medium.contains(QLatin1String("tracks")))
            continue; // a search's media: counts only
        Album::Disc disc;
        disc.title = text(medium, QLatin1String("title"));
        for (const QJsonValue& track : medium.value(QLatin1String("tracks")).toArray())
            disc.tracks.push_back(
                {text(track.toObject(), QLatin1String("title")), secondsOf(track.toObject())});
        album.discs.push_back(std::move(disc));
    }
    const QJsonObject art = object.value(QLatin1String("cover-art-archive")).toObject();
    release.hasFront = art.value(QLatin1String("front")).toBool(true);
    release.hasBack = art.value(QLatin1String("back")).toBool(true);
    release.description = describe(object, album.trackCount());
    return release;
}

std::optional<std::vector<Release>> releases(const QByteArray& json)
{
    const QJsonDocument document = QJsonDocument::fromJson(json);
    if (!document.isObject() || !document.object().value(QLatin1String("releases")).isArray())
        return std::nullopt;
    std::vector<Release> found;
    for (const QJsonValue& value : document.object().value(QLatin1String("releases")).toArray())
        if (value.isObject() && !text(value.toObject(), QLatin1String("id")).isEmpty())
            found.push_back(readRelease(value.toObject()));
    return found;
}

std::optional<Release> release(const QByteArray& json)
{
    const QJsonDocument document = QJsonDocument::fromJson(json);
    if (!document.isObject() || text(document.object(), QLatin1String("id")).isEmpty())
        return std::nullopt;
    return readRelease(document.object());
}

} // namespace MusicBrainzJson
