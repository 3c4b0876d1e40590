// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlbumPictures.h"
#include "AlbumSource.h"
#include "DiscToc.h"
#include "HttpTransfer.h"
#include "MusicBrainzClient.h"
#include "MusicBrainzJson.h"

#include <QString>
#include <chrono>
#include <optional>
#include <vector>

// Where the MusicBrainz web service and the Cover Art Archive are, and where fetched pictures
// are kept; the defaults are the real ones. The tests give servers on loopback.
struct MusicBrainzServers {
    static constexpr auto DefaultServiceUrl = "https://musicbrainz.org";
    static constexpr auto DefaultCoverArtUrl = "https://coverartarchive.org";

    QString serviceUrl = QString::fromLatin1(DefaultServiceUrl); // the web service is at /ws/2
    QString coverArtUrl = QString::fromLatin1(DefaultCoverArtUrl);
    std::chrono::milliseconds timeout = HttpTransfer::DefaultTimeout;
    QString picturesFolder = AlbumPictures::folder();
};

// What MusicBrainz is asked for: a disc (by its id, with its table of contents for the lookup
// by table when the id is not known), releases by artist and title, or one release.
struct MusicBrainzQuery {
    enum class Kind { Disc, Search, Release };

    Kind kind = Kind::Disc;
    QString discId;
    std::optional<DiscToc> toc;
    QString artist;
    QString album;
    QString releaseId;
    // A search text without " - ": it may be the artist or the album.
    bool eitherName = false;
    // When several releases match: the first is taken whole rather than offered for a choice
    // (for the commands that ask nobody).
    bool takeFirst = false;

    // The disc of a table of contents, read from a drive or typed: its id is libdiscid's.
    static MusicBrainzQuery disc(const DiscToc& toc);
    static MusicBrainzQuery disc(const QString& discId);
    static MusicBrainzQuery search(const QString& artist, const QString& album);
    // "ARTISTE - ALBUM" cut at its first " - "; without one, the text is either.
    static MusicBrainzQuery search(const QString& artistAndAlbum);
    static MusicBrainzQuery release(const QString& releaseId);
};

// An album source on MusicBrainz. One release found is finished whole: its tracks with their
// lengths, its genre, and the front and back pictures of the Cover Art Archive kept as files
// (a release without them is no failure). Several found are offered: the reply holds one album
// each, with `candidates` in the same order, and the one chosen is then asked for with
// `MusicBrainzQuery::release`. None found is a reply without albums.
class MusicBrainzSource : public AlbumSource {
    Q_OBJECT
public:
    struct Candidate {
        QString releaseId;
        QString description; // "ARTISTE / ALBUM (year, country, formats, tracks)"
    };

    explicit MusicBrainzSource(MusicBrainzQuery query, MusicBrainzServers servers = {},
                               QObject* parent = nullptr);
    ~MusicBrainzSource() override;

    void start() override;
    void cancel() override;

    const std::vector<Candidate>& candidates() const { return offered; }
    // The address of the web service's request for the query, as sent.
    QUrl queryUrl() const;

Q_SIGNALS:
    // What the search is doing, for a status bar.
    void statusChanged(const QString& text);

private:
    QUrl serviceUrl(const QString& path, const QList<std::pair<QString, QString>>& items) const;
    QUrl releaseUrl(const QString& releaseId) const;
    void releasesAnswered(const MusicBrainzClient::Answer& answer);
    void lookUp(const QString& releaseId);
    void releaseAnswered(const MusicBrainzClient::Answer& answer);
    void fetchPictures(MusicBrainzJson::Release release);
    void fetchPicture(AlbumPictures::Side side, std::function<void()> then);
    void finish(Reply reply);
    void fail(const QString& failure);

    MusicBrainzQuery query;
    MusicBrainzServers servers;
    MusicBrainzClient client;
    std::vector<Candidate> offered;
    MusicBrainzJson::Release found; // the release whose pictures are being fetched
};
