// SPDX-License-Identifier: GPL-3.0-or-later
#include "MusicBrainzSource.h"

#include "DiscInfo.h"

#include <QBuffer>
#include <QImageReader>
#include <QStringList>

namespace {

// What every release is asked with: its artists as credited, its tracks and their lengths, its
// release group (for the year of a release without a date) and the genres.
const QString ReleaseIncludes = QStringLiteral("artist-credits+recordings+release-groups+genres");
// A search asks for a page of this many releases, the best first.
const QString SearchLimit = QStringLiteral("25");

const QString Unreadable = QStringLiteral("La réponse du serveur MusicBrainz est illisible.");

// A phrase of the search syntax: the text in quotes, its quotes and backslashes escaped.
QString phrase(const QString& text)
{
    QString escaped = text.simplified();
    escaped.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
    return u'"' + escaped + u'"';
}

QString encoded(const QString& value)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

// A picture only if it reads as one: an archive's error page is no cover.
bool isPicture(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return QImageReader(&buffer).canRead();
}

} // namespace

MusicBrainzQuery MusicBrainzQuery::disc(const DiscToc& toc)
{
    MusicBrainzQuery query = disc(DiscInfo::musicBrainzIdOf(toc));
    query.toc = toc;
    return query;
}

MusicBrainzQuery MusicBrainzQuery::disc(const QString& discId)
{
    MusicBrainzQuery query;
    query.kind = Kind::Disc;
    query.discId = discId.trimmed();
    return query;
}

MusicBrainzQuery MusicBrainzQuery::search(const QString& artist, const QString& album)
{
    MusicBrainzQuery query;
    query.kind = Kind::Search;
    query.artist = artist.simplified();
    query.album = album.simplified();
    return query;
}

MusicBrainzQuery MusicBrainzQuery::search(const QString& artistAndAlbum)
{
    const qsizetype dash = artistAndAlbum.indexOf(QStringLiteral(" - "));
    if (dash >= 0)
        return search(artistAndAlbum.left(dash), artistAndAlbum.mid(dash + 3));
    MusicBrainzQuery query = search(artistAndAlbum, artistAndAlbum);
    query.eitherName = true;
    return query;
}

MusicBrainzQuery MusicBrainzQuery::release(const QString& releaseId)
{
    MusicBrainzQuery query;
    query.kind = Kind::Release;
    query.releaseId = releaseId.trimmed();
    return query;
}

MusicBrainzSource::MusicBrainzSource(MusicBrainzQuery query, MusicBrainzServers servers,
                                     QObject* parent)
    : AlbumSource(parent), query(std::move(query)), servers(std::move(servers)),
      client(this->servers.timeout)
{
}

MusicBrainzSource::~MusicBrainzSource() = default;

QUrl MusicBrainzSource::serviceUrl(const QString& path,
                                   const QList<std::pair<QString, QString>>& items) const
{
    QString base = servers.serviceUrl.trimmed();
    while (base.endsWith(u'/'))
        base.chop(1);
    if (base.endsWith(QStringLiteral("/ws/2")))
        base.chop(5);
    QStringList pairs;
    for (const auto& [key, value] : items)
        pairs << key + u'=' + value;
    pairs << QStringLiteral("fmt=json");
    QUrl url(base + QStringLiteral("/ws/2/") + path);
    url.setQuery(pairs.join(u'&'), QUrl::StrictMode);
    return url;
}

QUrl MusicBrainzSource::queryUrl() const
{
    switch (query.kind) {
    case MusicBrainzQuery::Kind::Disc: {
        QList<std::pair<QString, QString>> items{{QStringLiteral("inc"), ReleaseIncludes},
                                                 {QStringLiteral("cdstubs"), QStringLiteral("no")}};
        // With the table, a disc id the service does not know is looked up by its table.
        if (query.toc)
            items.append({QStringLiteral("toc"), query.toc->toString().replace(u' ', u'+')});
        const QString id = query.discId.isEmpty() ? QStringLiteral("-") : query.discId;
        return serviceUrl(QStringLiteral("discid/") + encoded(id), items);
    }
    case MusicBrainzQuery::Kind::Search: {
        QStringList terms;
        if (!query.artist.isEmpty())
            terms << QStringLiteral("artist:") + phrase(query.artist);
        if (!query.album.isEmpty())
            terms << QStringLiteral("release:") + phrase(query.album);
        const QString words =
            terms.join(query.eitherName ? QStringLiteral(" OR ") : QStringLiteral(" AND "));
        return serviceUrl(QStringLiteral("release"), {{QStringLiteral("query"), encoded(words)},
                                                      {QStringLiteral("limit"), SearchLimit}});
    }
    case MusicBrainzQuery::Kind::Release:
        break;
    }
    return releaseUrl(query.releaseId);
}

QUrl MusicBrainzSource::releaseUrl(const QString& releaseId) const
{
    return serviceUrl(QStringLiteral("release/") + encoded(releaseId),
                      {{QStringLiteral("inc"), ReleaseIncludes}});
}

void MusicBrainzSource::start()
{
    cancel();
    offered.clear();
    found = {};
    switch (query.kind) {
    case MusicBrainzQuery::Kind::Disc:
        if (query.discId.isEmpty() && !query.toc)
            return fail(QStringLiteral("Aucun identifiant de disque à chercher."));
        break;
    case MusicBrainzQuery::Kind::Search:
        if (query.artist.isEmpty() && query.album.isEmpty())
            return fail(QStringLiteral("Tapez l'artiste ou le titre de l'album à chercher."));
        break;
    case MusicBrainzQuery::Kind::Release:
        return lookUp(query.releaseId);
    }
    Q_EMIT statusChanged(QStringLiteral("Recherche sur MusicBrainz ..."));
    client.askService(
        queryUrl(), [this](const MusicBrainzClient::Answer& answer) { releasesAnswered(answer); });
}

void MusicBrainzSource::cancel()
{
    client.abort();
}

void MusicBrainzSource::releasesAnswered(const MusicBrainzClient::Answer& answer)
{
    if (!answer.failure.isEmpty())
        return fail(answer.failure);
    if (!answer.found)
        return finish({}); // an unknown disc id without a table
    std::optional<std::vector<MusicBrainzJson::Release>> releases =
        MusicBrainzJson::releases(answer.body);
    if (!releases)
        return fail(Unreadable);
    if (releases->empty())
        return finish({});
    if (releases->size() == 1 || query.takeFirst) {
        MusicBrainzJson::Release& first = releases->front();
        // A disc's answer holds the tracks already; a search's has only the names.
        if (query.kind == MusicBrainzQuery::Kind::Disc && first.album.trackCount() > 0)
            return fetchPictures(std::move(first));
        return lookUp(first.id);
    }
    Reply reply;
    for (MusicBrainzJson::Release& release : *releases) {
        offered.push_back({release.id, release.description});
        reply.albums.push_back(std::move(release.album));
    }
    finish(std::move(reply));
}

void MusicBrainzSource::lookUp(const QString& releaseId)
{
    if (releaseId.isEmpty())
        return fail(QStringLiteral("Aucune parution à lire."));
    Q_EMIT statusChanged(QStringLiteral("Lecture de la parution sur MusicBrainz ..."));
    client.askService(releaseUrl(releaseId),
                      [this](const MusicBrainzClient::Answer& answer) { releaseAnswered(answer); });
}

void MusicBrainzSource::releaseAnswered(const MusicBrainzClient::Answer& answer)
{
    if (!answer.failure.isEmpty())
        return fail(answer.failure);
    if (!answer.found)
        return fail(QStringLiteral("Cette parution n'existe plus sur MusicBrainz."));
    std::optional<MusicBrainzJson::Release> release = MusicBrainzJson::release(answer.body);
    if (!release)
        return fail(Unreadable);
    fetchPictures(std::move(*release));
}

void MusicBrainzSource::fetchPictures(MusicBrainzJson::Release release)
{
    found = std::move(release);
    fetchPicture(AlbumPictures::Side::Front, [this] {
        fetchPicture(AlbumPictures::Side::Back, [this] { finish({{found.album}, {}}); });
    });
}

void MusicBrainzSource::fetchPicture(AlbumPictures::Side side, std::function<void()> then)
{
    const bool front = side == AlbumPictures::Side::Front;
    if (!(front ? found.hasFront : found.hasBack))
        return then();
    Q_EMIT statusChanged(front ? QStringLiteral("Image du recto ...")
                               : QStringLiteral("Image du verso ..."));
    QString base = servers.coverArtUrl.trimmed();
    while (base.endsWith(u'/'))
        base.chop(1);
    const QUrl url(base + QStringLiteral("/release/") + encoded(found.id) +
                   (front ? QStringLiteral("/front-1200") : QStringLiteral("/back-1200")));
    // Missing art is the common case, and art that cannot be had leaves the album as it is.
    client.fetchPicture(url, [this, side, front,
                              then = std::move(then)](const MusicBrainzClient::Answer& answer) {
        if (answer.found && isPicture(answer.body)) {
            const QString path = AlbumPictures::keep(
                answer.body, found.album.artist, found.album.title, side, servers.picturesFolder);
            (front ? found.album.frontPicture : found.album.backPicture) = path;
        }
        then();
    });
}

void MusicBrainzSource::finish(Reply reply)
{
    Q_EMIT statusChanged(QStringLiteral("Prêt"));
    // Last: a receiver may start another search, or end this one.
    Q_EMIT finished(reply);
}

void MusicBrainzSource::fail(const QString& failure)
{
    Q_EMIT statusChanged(failure);
    Q_EMIT finished({{}, failure});
}
