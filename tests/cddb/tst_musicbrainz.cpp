// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscInfo.h"
#include "FileContents.h"
#include "GivenTocReader.h"
#include "LoopbackHttpServer.h"
#include "MusicBrainzSource.h"
#include "PictureBytes.h"

#include <QBuffer>
#include <QImage>
#include <QNetworkProxy>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

namespace {

const QString DireStraitsToc =
    QStringLiteral("1 9 185700 150 18051 42248 57183 75952 89333 114384 142453 163641");
const QString DireStraitsId = QStringLiteral("_YDhD3s18ZnHhitAtTviK04dWsU-");
const QString DireStraitsRelease = QStringLiteral("5e5b8f3e-2c55-4c3b-9f6b-1978a0000001");
const QString DeuxSoirs = QStringLiteral("0b8e6d2a-1c3f-4e5d-9a7b-2004d0000003");

QByteArray answer(const QString& name)
{
    return readAll(QFINDTESTDATA("data/musicbrainz/" + name));
}

LoopbackHttpServer::Response json(const QByteArray& body, QByteArray status = "200 OK")
{
    return {body, status, "application/json"};
}

// The source's one reply, once it has come (each request has its time-out).
AlbumSource::Reply run(MusicBrainzSource& source)
{
    QSignalSpy finished(&source, &AlbumSource::finished);
    source.start();
    if (finished.isEmpty() && !finished.wait(15000))
        return {{}, "no reply"};
    return finished.first().first().value<AlbumSource::Reply>();
}

} // namespace

class TestMusicBrainz : public QObject {
    Q_OBJECT
    // The web service, the archive, and the host the archive sends its pictures from. The
    // service's server lives as long as the test, so the pace is checked across all requests.
    LoopbackHttpServer service, archive, pictureHost;
    QTemporaryDir pictures;

    MusicBrainzServers servers() const
    {
        return {service.url({}), archive.url({}), 1500ms, pictures.path()};
    }

    // Every request the program sent the service names it, and none came within a second of
    // the one before, whichever search sent it.
    void checkServiceRules()
    {
        static const QRegularExpression agent(
            QStringLiteral(R"(^JaskelCD/\d+\.\d+\.\d+ \( jaskelcd@jaskel\.fr \)$)"));
        for (const auto* server : {&service, &archive})
            for (const LoopbackHttpServer::Received& request : server->received)
                QVERIFY2(agent.match(QString::fromLatin1(request.header("User-Agent"))).hasMatch(),
                         request.head.constData());
        for (qsizetype i = 1; i < service.received.size(); ++i)
            QVERIFY2(service.received[i].at - service.received[i - 1].at >= 950ms,
                     qPrintable(service.received[i].target));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        QVERIFY(pictures.isValid());
    }

    // A typed table gets the id libdiscid gives the disc in a drive: the example of the
    // service's documentation, and the disc of the tests below.
    void discId()
    {
        for (const auto& [toc, id] :
             {std::pair{QStringLiteral("1 6 95462 150 15363 32314 46592 63414 80489"),
                        QStringLiteral("49HHV7Eb8UKF3aQiNmu1GR8vKTY-")},
              std::pair{DireStraitsToc, DireStraitsId}}) {
            GivenTocReader reader(DiscToc::fromString(toc));
            DiscInfo disc(reader);
            disc.Init({});
            QCOMPARE(DiscInfo::musicBrainzIdOf(*disc.toc()), id);
        }
    }

    // Every search ends with its albums or the service's failure in French. One release is
    // finished whole: tracks and lengths by disc, the artists with their join phrase, the
    // genre most voted for, the year, the pictures the archive has kept as files (following
    // its redirect), a missing one being no failure. A 503 is asked again once, after the pause
    // the service asks for; a silent server ends with its time-out.
    void lookups_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("expected"); // the album, or the failure
        QTest::newRow("disc, one release, its front picture on another host")
            << "disc"
            << "Dire Straits / Dire Straits / 1978 / Rock / recto png, no verso / "
               "1: Down to the Waterline 239, Water of Love 323, Setting Me Up 199, Six Blade "
               "Knife 250, Southbound Again 178, Sultans of Swing 334, In the Gallery 374, "
               "Wild West End 283, Lions 294";
        QTest::newRow("search, one release, a 503 once, no picture")
            << "search"
            << "Alice Martin & Les Voisins / Deux soirs \"live\" / 2004 / Chanson française / "
               "no recto, no verso / Premier soir: Ouverture 61, La Rue d'en face 246, Rappel "
               "90 / Second soir: Ouverture (reprise) 60, Fin 0";
        QTest::newRow("503 twice")
            << "503"
            << "Le serveur MusicBrainz est surchargé (erreur 503). Réessayez dans "
               "quelques minutes.";
        QTest::newRow("silent") << "silent"
                                << "Le serveur MusicBrainz ne répond pas (délai dépassé).";
        QTest::newRow("not JSON") << "garbage"
                                  << "La réponse du serveur MusicBrainz est illisible.";
    }

    void lookups()
    {
        QFETCH(QString, query);
        const QString discPath = "/ws/2/discid/" + DireStraitsId;
        const QString release = "/ws/2/release/" + DeuxSoirs;
        service.responses = {{discPath, json(answer("discid-one.json"))},
                             {"/ws/2/release?", json(answer("search-one.json"))},
                             {release, json(answer("release-deux-soirs.json"))}};
        service.firstResponses.clear();
        archive.responses = {{"/release/" + DireStraitsRelease + "/front-1200",
                              {"See elsewhere",
                               "307 Temporary Redirect",
                               "text/plain",
                               LoopbackHttpServer::Manner::Whole,
                               {{"Location", pictureHost.url("/ia/front.png").toLatin1()}}}}};
        pictureHost.responses = {{"/ia/front.png", {pngBytes(Qt::red), "200 OK", "image/png"}}};
        archive.requests.clear();
        LoopbackHttpServer::Response busy = json("{}", "503 Service Unavailable");
        busy.headers = {{"Retry-After", "2"}};
        if (query == "search")
            service.firstResponses[release] = {busy};
        busy.headers = {{"Retry-After", "1"}};
        if (query == "503")
            service.firstResponses[discPath] = {busy, busy};
        if (query == "silent")
            service.responses[discPath].manner = LoopbackHttpServer::Manner::Silent;
        if (query == "garbage")
            service.responses[discPath].body = "<html>maintenance</html>";
        const qsizetype before = service.received.size();

        MusicBrainzSource source(
            query == "search" ? MusicBrainzQuery::search(u"Alice Martin - Deux soirs \"live\""_s)
                              : MusicBrainzQuery::disc(*DiscToc::fromString(DireStraitsToc)),
            servers());
        const AlbumSource::Reply reply = run(source);
        QString shown = reply.failure;
        for (const Album& album : reply.albums) {
            QStringList parts{album.artist, album.title, album.year, album.genre};
            const auto picture = [](const QString& path, const char* side) {
                return path.isEmpty() ? "no " + QString(side)
                                      : QString(side) + ' ' + QFileInfo(path).suffix();
            };
            parts << picture(album.frontPicture, "recto") + ", " +
                         picture(album.backPicture, "verso");
            for (const Album::Disc& disc : album.discs) {
                QStringList tracks;
                for (const Album::Track& track : disc.tracks)
                    tracks << track.title + ' ' + QString::number(track.seconds);
                parts << (disc.title.isEmpty() ? "1" : disc.title) + ": " + tracks.join(", ");
            }
            shown = parts.join(" / ");
        }
        QTEST(shown, "expected");
        checkServiceRules();

        const QStringList asked = service.requests.mid(before);
        if (query == "disc") {
            // The disc is asked for by its id, with its table for a lookup by table.
            QCOMPARE(asked, QStringList{discPath + "?inc=artist-credits+recordings+release-groups+"
                                                   "genres&cdstubs=no&toc=1+9+185700+150+18051+"
                                                   "42248+57183+75952+89333+114384+142453+163641"
                                                   "&fmt=json"});
            QCOMPARE(archive.requests,
                     QStringList({"/release/" + DireStraitsRelease + "/front-1200",
                                  "/release/" + DireStraitsRelease + "/back-1200"}));
            const QString kept = pictures.filePath("Dire Straits - Dire Straits - recto.png");
            QCOMPARE(reply.albums.front().frontPicture, kept);
            QCOMPARE(readAll(kept), pngBytes(Qt::red));
        } else if (query == "search") {
            QCOMPARE(asked.size(), 3);
            QCOMPARE(asked[0], "/ws/2/release?query=artist%3A%22Alice%20Martin%22%20AND%20"
                               "release%3A%22Deux%20soirs%20%5C%22live%5C%22%22&limit=25&fmt=json");
            QCOMPARE(asked[1], asked[2]);
            // The retry waited for the pause the service asked for.
            const auto& received = service.received;
            QVERIFY(received.last().at - received[received.size() - 2].at >= 1950ms);
            // The release says the archive holds no back picture: only the front is asked.
            QCOMPARE(archive.requests, QStringList{"/release/" + DeuxSoirs + "/front-1200"});
        } else {
            QCOMPARE(asked.size(), query == "503" ? 2 : 1);
            QVERIFY(archive.requests.isEmpty());
        }
    }

    // Searches share the pace and wait their turn in order; one cancelled while it waits is
    // never sent. A disc the service does not know, and a search that finds nothing, are
    // albums of none, not failures; several releases are offered, each told apart.
    void sharedPace()
    {
        service.responses = {{"/ws/2/discid/", json(R"({"error":"Not Found"})", "404 Not Found")},
                             {"/ws/2/release?", json(answer("discid-two.json"))}};
        service.firstResponses.clear();
        const qsizetype before = service.received.size();
        MusicBrainzSource unknown(MusicBrainzQuery::disc(u"unknown"_s), servers());
        MusicBrainzSource cancelled(MusicBrainzQuery::disc(u"cancelled"_s), servers());
        MusicBrainzSource several(MusicBrainzQuery::search(u"Dire Straits"_s), servers());
        QSignalSpy unknownDone(&unknown, &AlbumSource::finished);
        QSignalSpy cancelledDone(&cancelled, &AlbumSource::finished);
        unknown.start();
        cancelled.start();
        cancelled.cancel();
        const AlbumSource::Reply offered = run(several);
        QTRY_COMPARE(unknownDone.size(), 1);
        const auto none = unknownDone.first().first().value<AlbumSource::Reply>();
        QVERIFY(!none.failed() && none.albums.empty());
        QCOMPARE(cancelledDone.size(), 0);
        const QStringList asked = service.requests.mid(before);
        QCOMPARE(asked.size(), 2);
        QVERIFY(asked[0].startsWith("/ws/2/discid/unknown?"));
        QVERIFY(asked[1].contains("query=artist%3A%22Dire%20Straits%22%20OR%20release"));

        QVERIFY(!offered.failed());
        QCOMPARE(offered.albums.size(), 2u);
        QCOMPARE(several.candidates().size(), 2u);
        QCOMPARE(several.candidates()[1].releaseId, "7a1c2d3e-4f50-4a6b-8c7d-1996e0000002");
        QCOMPARE(several.candidates()[0].description,
                 "Dire Straits / Dire Straits (1978, GB, CD, 9 pistes)");
        QCOMPARE(several.candidates()[1].description,
                 "Dire Straits / Dire Straits (1996, DE, CD, 9 pistes)");
        QCOMPARE(offered.albums[1].discs.front().tracks[5].title, "Sultans of Swing");
        checkServiceRules();
    }

    // A picture is kept under the album's name, in the folder given, never over another file;
    // what a file name cannot hold is replaced; a PNG keeps its suffix; the same picture kept
    // again is the file kept before. Nothing is written for
    // nothing, nor where no folder can be made.
    void keptPictures_data()
    {
        QTest::addColumn<QString>("artist");
        QTest::addColumn<QString>("album");
        QTest::addColumn<bool>("front");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("taken"); // files there before
        QTest::addColumn<QString>("expected");
        const QByteArray jpeg = "\xFF\xD8\xFF\xE0 not much of a picture";
        QTest::newRow("plain") << "Dire Straits"
                               << "Dire Straits" << true << jpeg << QStringList()
                               << "Dire Straits - Dire Straits - recto.jpg";
        QTest::newRow("taken twice")
            << "A"
            << "B" << false << pngBytes(Qt::blue)
            << QStringList{"A - B - verso.png", "A - B - verso (2).png"} << "A - B - verso (3).png";
        QTest::newRow("bad characters")
            << "AC/DC"
            << "Back\\in\tBlack\n"
            << true << jpeg << QStringList() << "AC-DC - Back-in Black - recto.jpg";
        QTest::newRow("hidden names")
            << ".."
            << "...Cachés" << true << jpeg << QStringList() << "Cachés - recto.jpg";
        QTest::newRow("nothing") << "A"
                                 << "B" << true << QByteArray() << QStringList() << "";
        QTest::newRow("no folder") << "A"
                                   << "B" << true << jpeg << QStringList{"dossier"} << "";
    }

    void keptPictures()
    {
        QFETCH(QString, artist);
        QFETCH(QString, album);
        QFETCH(bool, front);
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, taken);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        for (const QString& name : taken)
            QVERIFY(writeAll(dir.filePath(name), name.toUtf8()));
        // A folder that cannot be made: its parent is a file.
        const QString into =
            taken.contains("dossier") ? dir.filePath("dossier/Jaskel CD") : dir.path();
        const QString kept = AlbumPictures::keep(
            bytes, artist, album, front ? AlbumPictures::Side::Front : AlbumPictures::Side::Back,
            into);
        QCOMPARE(kept.isEmpty() ? QString() : QFileInfo(kept).fileName(), expected);
        if (!kept.isEmpty()) {
            QCOMPARE(readAll(kept), bytes);
            // Kept again, the same picture is the same file.
            QCOMPARE(AlbumPictures::keep(
                         bytes, artist, album,
                         front ? AlbumPictures::Side::Front : AlbumPictures::Side::Back, into),
                     kept);
        }
        for (const QString& name : taken)
            QCOMPARE(readAll(dir.filePath(name)), name.toUtf8()); // never written over
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(),
                 taken.size() + (kept.isEmpty() ? 0 : 1));
    }
};

QTEST_GUILESS_MAIN(TestMusicBrainz)
#include "tst_musicbrainz.moc"
