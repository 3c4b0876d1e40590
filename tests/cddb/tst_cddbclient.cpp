// SPDX-License-Identifier: GPL-3.0-or-later
#include "CddbClient.h"
#include "CddbSource.h"
#include "LoopbackHttpServer.h"
#include "SearchKeywords.h"
#include "TrackList.h"

#include <QEventLoop>
#include <QFile>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using namespace std::chrono_literals;

namespace {

const QString Query = "cddb+query+6909aa09+9+150+18051+42248+57183+75952+89333+114384+142453+"
                      "163641+2476";
const QString Ready = "Prêt";

QByteArray record(const QByteArray& xmcd)
{
    return "210 rock 6909aa09 CD database entry follows\r\n" + xmcd + ".\r\n";
}

QByteArray direStraits()
{
    QFile file(QFINDTESTDATA("cddb/data/6909aa09.xmcd"));
    return record(file.open(QIODevice::ReadOnly) ? file.readAll().replace("\n", "\r\n") : "");
}

QByteArray withTracks(const QByteArray& tracks, const QByteArray& title = "DTITLE=A / B\n")
{
    return record(title + "DYEAR=2001\nDGENRE=Pop\n" + tracks);
}

QStringList joined(const QList<GridRow>& rows)
{
    QStringList lines;
    for (const GridRow& row : rows)
        lines += row.firstCell + '\t' + row.secondCell;
    return lines;
}

} // namespace

class TestCddbClient : public QObject {
    Q_OBJECT
    // Answers every request alike.
    LoopbackHttpServer server;
    const QString cgi = server.url("/~cddb/cddb.cgi");
    void serve(const QByteArray& body, const QByteArray& status = "200 OK")
    {
        server.responses[""] = {body, status};
    }
    std::unique_ptr<CddbClient> client;

    // A command's answer, once it has come; nothing when the command sent nothing. The event
    // loop runs meanwhile, as in the program, so a transfer goes at its own pace.
    template <typename Result, typename Command>
    static std::optional<Result> awaited(Command command, std::chrono::milliseconds limit = 20s)
    {
        std::optional<Result> result;
        QEventLoop loop;
        if (command([&](const Result& answer) {
                result = answer;
                loop.quit();
            })) {
            QTimer::singleShot(limit, &loop, &QEventLoop::quit);
            loop.exec();
        }
        return result;
    }
    std::optional<CddbClient::QueryResult> answerToQuery(const QString& command)
    {
        return awaited<CddbClient::QueryResult>(
            [&](auto done) { return client->CddbQuery(command, done); });
    }
    std::optional<CddbClient::ReadResult> answerToRead(const QString& category,
                                                       const QString& discId)
    {
        return awaited<CddbClient::ReadResult>(
            [&](auto done) { return client->CddbRead(category, discId, done); });
    }
    CddbClient::SitesResult answerToSites()
    {
        return awaited<CddbClient::SitesResult>([&](auto done) {
                   client->CddbSites(done);
                   return true;
               })
            .value_or(CddbClient::SitesResult());
    }
    static HttpTransfer::Result fetch(HttpTransfer& inet, const QString& url)
    {
        return awaited<HttpTransfer::Result>(
                   [&](auto done) {
                       inet.OpenURL(QUrl(url), done);
                       return true;
                   },
                   60s)
            .value_or(HttpTransfer::Result());
    }

private Q_SLOTS:
    void init()
    {
        client = std::make_unique<CddbClient>(300ms);
        client->setServerUrl(cgi);
        server.requests.clear();
    }

    // Nothing is sent without a disc id and a category; the address in every request is encoded.
    // Each failure ends the search with its text and nothing half read; the size limit from both
    // sides. A command given up (the next one, or an abort) never answers, and the pointer is
    // given back. Servers too slow or cut short are the window's.
    void requestsAndTransfers()
    {
        client->setUserEmail("ann+cd fan@example.org");
        const QString hello = "&hello=ann%2Bcd%20fan%40example.org+localhost+xmcd+v1.0PL0&proto=6";
        QVERIFY(!answerToQuery(QString()));
        QVERIFY(!answerToRead("rock", QString()));
        QVERIFY(!answerToRead(QString(), "6909aa09"));
        QVERIFY(server.requests.isEmpty());

        QVERIFY(answerToQuery(Query));
        serve(direStraits());
        QCOMPARE(answerToRead("rock", "6909aa09")->albumKeywords, "dire straits");
        QCOMPARE(SearchKeywords("Le Theatre and Roll to the Top et la Lethe"),
                 "theatre roll top lethe");
        serve(
            "210 OK\r\ncd.example.org http 8080 /cddb.cgi N048.51 E002.21 Paris,  France\r\n"
            "gnudb.gnudb.org cddbp 8880 - N000.00 W000.00 gnudb\r\n.\r\nlate http 80 /x a b c\r\n");
        QCOMPARE(joined(answerToSites().sites),
                 QStringList({"cd.example.org:8080/cddb.cgi\tParis,  France"}));
        QCOMPARE(server.requests,
                 QStringList({"/~cddb/cddb.cgi?cmd=" + Query + hello,
                              "/~cddb/cddb.cgi?cmd=cddb+read+rock+6909aa09" + hello,
                              "/~cddb/cddb.cgi?cmd=sites" + hello}));
        serve("401 No site information\r\n");
        QCOMPARE(answerToSites().status, "Pas d'information disponible.");

        serve("Not found", "404 Not Found");
        QCOMPARE(answerToQuery(Query)->status, "Le serveur a refusé la requête.");
        const QByteArray limit = "210 x\n" + QByteArray(1024 * 1024 - 6, 'x');
        serve(limit);
        QVERIFY(answerToSites().rawAnswer.size() == 1024 * 1024);
        serve(limit + 'x');
        const auto huge = answerToRead("rock", "6909aa09");
        QCOMPARE(huge->status, "La réponse du serveur est trop volumineuse.");
        QVERIFY(huge->rawAnswer.isEmpty() && !huge->complete && huge->rows.isEmpty());
        QVERIFY(!client->StillExecuting());

        // Time enough for 20 MB under the sanitizers, on a loaded machine.
        HttpTransfer inet(60s);
        serve(QByteArray(20 * 1024 * 1024 + 1, 'x')); // the bound of pages and pictures
        QCOMPARE(fetch(inet, cgi).failure, HttpTransfer::Failure::TooLarge);

        server.responses["/slow"] = {"slow answer", "200 OK", "text/plain",
                                     LoopbackHttpServer::Manner::Trickle};
        serve("quick answer");
        int givenUp = 0;
        inet.OpenURL(QUrl(server.url("/slow")), [&](const HttpTransfer::Result&) { ++givenUp; });
        QVERIFY(inet.StillExecuting());
        QCOMPARE(fetch(inet, cgi).data, "quick answer");
        inet.OpenURL(QUrl(server.url("/slow")), [&](const HttpTransfer::Result&) { ++givenUp; });
        inet.abort();
        QVERIFY(!inet.StillExecuting());

        QList<bool> busy;
        connect(client.get(), &CddbClient::busyChanged, this, [&](bool on) { busy += on; });
        client->setServerUrl(server.url("/slow"));
        client->CddbSites([&](const CddbClient::SitesResult&) { ++givenUp; });
        client->abort();
        QCOMPARE(busy, QList<bool>({true, false}));
        QVERIFY(!client->StillExecuting());
        QCOMPARE(givenUp, 0);
    }

    // A list to choose from leaves the match to the choice; what cannot be read or chosen says so.
    void query_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QString>("match");
        QTest::addColumn<QStringList>("categories");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("rawAnswer"); // null: the answer as it came
        const QByteArray three = "211 close matches\r\nrock 000000aa A / B\r\nblues 000000bb C\r\n"
                                 "folk 000000cc D\r\n";
        const auto row = [](const char* name, const QByteArray& answer, const QString& match,
                            const QString& status = Ready, const QStringList& categories = {},
                            const QString& raw = {}) {
            QTest::newRow(name) << answer << match << categories << status << raw;
        };
        const QString none = "Erreur|Erreur";
        const QStringList offered{"rock 000000aa A / B", "blues 000000bb C", "folk 000000cc D"};
        row("200: the local disc id", "200 rock ffffffff Dire Straits\r\n", "rock|6909aa09");
        row("211 with '.'", three + ".\r\n", "", Ready, offered);
        row("211 without '.'", three + "jazz 000000dd E", "", Ready,
            offered + QStringList{"jazz 000000dd E"});
        const QString unreadable = "Problème a l'analyse des données (catégories).";
        row("211, lines that name no match left out",
            "211 close\r\nrock\r\nrock 6909aa0\r\nr&b 6909aa09 x\r\nrock 6909aa09 y\r\n.\r\n", "",
            Ready, {"rock 6909aa09 y"});
        row("211 empty list", "211 close\r\n.\r\n", none, unreadable);
        row("211, no line to choose", "211 close\r\nsee you\r\n\r\n", none, unreadable);
        row("200 without a category", "200\r\n", none, unreadable);
        row("202", "202 No match\r\n", none, "Ce CD n'existe pas dans la base de données.");
        row("409", "409 No handshake\r\n", none, "Vous êtes mal identifié.");
        row("500", "500 Syntax error\r\n", none,
            "La structure de la requête envoyée est incorrecte.", {}, "500");
        row("500, e-mail refused", "500 Unknown developer email\r\n", none,
            "Adresse e-mail refusée par le serveur.", {}, "500 Unknown developer email");
        row("empty", "", none, "Le serveur a envoyé une réponse vide.");
        row("binary", QByteArray("\x00\xff\x13\r\n\x80", 6).repeated(1000), none,
            "Problème a l'analyse des données (réponse du serveur).");
    }

    void query()
    {
        QFETCH(QByteArray, answer);
        QFETCH(QString, rawAnswer);
        serve(answer);
        const auto result = answerToQuery(Query);
        QVERIFY(result);
        QTEST(result->match, "match");
        QTEST(result->categories, "categories");
        QTEST(result->status, "status");
        QCOMPARE(result->rawAnswer, rawAnswer.isNull() ? QString::fromLatin1(answer) : rawAnswer);
        QCOMPARE(result->emailRefused, answer.contains("email"));
    }

    void read_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QString>("fields"); // artist|album|year|genre
        QTest::addColumn<int>("rowCount");
        QTest::addColumn<QStringList>("rows"); // some of them
        QTest::addColumn<QString>("status");
        const auto row = [](const char* name, const QByteArray& answer, const QString& fields,
                            const QString& status, int rowCount = 0, const QStringList& rows = {}) {
            QTest::newRow(name) << answer << fields << rowCount << rows << status;
        };
        row("6909aa09", direStraits(), "DIRE STRAITS|Dire Straits|1978|Rock", Ready, 9,
            {"1\tDown to the waterline", "9\tLions"});
        row("continuation lines, escapes, first ' / ' cuts",
            withTracks("TTITLE0=Side one \nTTITLE0=and two\nTTITLE3=Hel\nTTITLE3=lo\n"
                       "TTITLE1=Tab\\tin\\\\out\\\nTTITLE1=nend\nEXTT1=a \nEXTT1=b\n",
                       "DTITLE=AC/DC / Back\nDTITLE= in Black / Live\n"),
            "AC/DC|Back in Black / Live|2001|Pop", Ready, 4,
            {"1\tSide one and two", "2\tTab\tin\\out\nend (a b)", "3\t", "4\tHello"});
        row("index 99 kept, above ignored, keys without a number",
            withTracks("TTITLE99=Last\nTTITLE100=x\nEXTT100=y\nTTITLE999999999=z\n"
                       "TTITLE99999999999999999999=w\nTTITLE=x\nEXTT=y\nTTITLEx=z\nTTITLE+1=v\n"),
            "A|B|2001|Pop", Ready, 100, {"1\t", "2\t", "99\t", "100\tLast"});
        const QByteArray bjork = "DTITLE=Björk / Début\nDYEAR=\nDGENRE=\n";
        row("UTF-8", record(bjork), "Björk|Début||", Ready);
        row("Latin-1", record(QString(bjork).toLatin1()), "Björk|Début||", Ready);
        const QString missing = "Problème a l'analyse des données (%1).";
        row("no DTITLE", record("DYEAR=1\nDGENRE=g\nTTITLE0=x\n"), "|||", missing.arg("artiste"));
        row("no DYEAR", record("DTITLE=A / B\nDGENRE=g\nTTITLE0=x\n"), "A|B||",
            missing.arg("année"));
        row("no DGENRE", record("DTITLE=A / B\nDYEAR=1\n\nDGENRE=g\nTTITLE0=x\n"), "A|B|1|",
            missing.arg("genre"));
        row("binary record", record(QByteArray("\x00\xff=\r\n\x80", 6).repeated(1000)), "|||",
            missing.arg("artiste"));
        row("402", "402 Whatever\r\nDTITLE=A / B\r\n", "|||", "Erreur dûe au serveur.");
        row("403", "403 Whatever\r\n", "|||", "Problème de transmission de données.");
        row("409", "409 Whatever\r\n", "|||", "Vous êtes mal identifié. (mail en cours)");
    }

    void read()
    {
        QFETCH(QByteArray, answer);
        QFETCH(QStringList, rows);
        serve(answer);
        const auto result = answerToRead("rock", "6909aa09");
        QVERIFY(result);
        QTEST(result->status, "status");
        const CddbRecord& r = result->record;
        QTEST(QStringList({r.artist, r.album, r.year, r.genre}).join('|'), "fields");
        QCOMPARE(result->complete, answer.startsWith("210") && result->status == Ready);
        QTEST(int(result->rows.size()), "rowCount");
        const QStringList actual = joined(result->rows);
        for (const QString& row : rows)
            QVERIFY2(actual.contains(row), qPrintable(row + " in " + actual.join(" | ")));
    }

    // The disc as an album source: the query, then the read of its match (the first of several),
    // the lengths from the table; an unknown disc is no album and no failure; a refusal of either
    // request is a failure in the status bar's words. A cancelled search never answers.
    void albumSource_data()
    {
        QTest::addColumn<QByteArray>("queryAnswer");
        QTest::addColumn<QByteArray>("readAnswer");
        QTest::addColumn<QString>("readRequest"); // what the read asks for; empty: no read
        QTest::addColumn<QString>("failure");
        const QByteArray three =
            "211 close matches\r\nblues 000000bb C\r\nrock 6909aa09 A\r\n.\r\n";
        QTest::newRow("one match") << QByteArray("200 rock ffffffff Dire Straits\r\n")
                                   << direStraits() << "rock+6909aa09" << QString();
        QTest::newRow("several") << three << direStraits() << "blues+000000bb" << QString();
        QTest::newRow("unknown") << QByteArray("202 No match\r\n") << QByteArray() << QString()
                                 << QString();
        QTest::newRow("e-mail refused")
            << QByteArray("500 Unknown developer email\r\n") << QByteArray() << QString()
            << "Adresse e-mail refusée par le serveur.";
        QTest::newRow("read refused") << QByteArray("200 rock ffffffff Dire Straits\r\n")
                                      << QByteArray("403 No\r\n") << "rock+6909aa09"
                                      << "Problème de transmission de données.";
    }

    void albumSource()
    {
        QFETCH(QByteArray, queryAnswer);
        QFETCH(QByteArray, readAnswer);
        QFETCH(QString, readRequest);
        QFETCH(QString, failure);
        server.firstResponses[""] = {{queryAnswer}};
        serve(readAnswer);
        const std::optional<DiscToc> toc = DiscToc::fromString(
            u"1 9 185700 150 18051 42248 57183 75952 89333 114384 142453 163641");
        QVERIFY(toc);
        CddbSource source(*toc, {cgi, QStringLiteral("moi@exemple.fr")});
        QSignalSpy finished(&source, &AlbumSource::finished);
        source.start();
        QVERIFY(finished.isEmpty());
        QVERIFY(finished.wait(20000));
        const auto reply = finished.takeFirst().at(0).value<AlbumSource::Reply>();
        QCOMPARE(reply.failure, failure);
        QVERIFY(server.requests.first().contains(Query));
        QVERIFY(server.requests.first().contains("moi%40exemple.fr"));
        QCOMPARE(server.requests.size(), readRequest.isEmpty() ? 1 : 2);
        const bool found = failure.isEmpty() && !readRequest.isEmpty();
        QCOMPARE(reply.albums.size(), std::size_t(found));
        QCOMPARE(source.record().has_value(), found);
        if (found) {
            QVERIFY(server.requests.last().contains("cddb+read+" + readRequest));
            const Album& album = reply.albums.front();
            QCOMPARE(album.artist, "DIRE STRAITS");
            QCOMPARE(album.trackCount(), 9);
            QCOMPARE(album.discs.front().tracks.front().title, "Down to the waterline");
            QCOMPARE(album.discs.front().tracks.front().seconds, 239); // 17901 frames, rounded
        }

        // Cancelled on its way, it never answers.
        server.firstResponses[""] = {{queryAnswer}};
        source.start();
        source.cancel();
        QTest::qWait(300);
        QVERIFY(finished.isEmpty());
    }

    // The window's test checks the list's heading and bytes.
    void savedListKeepsEveryTitledTrack()
    {
        CddbRecord record;
        record.tracks.resize(60);
        record.tracks[0].title = "Intro";
        record.tracks[56].title = "Fin"; // past the 41st: still written
        QCOMPARE(TrackList::lines(record).mid(3), QStringList({"01-Intro", "57-Fin"}));
    }
};

QTEST_GUILESS_MAIN(TestCddbClient)
#include "tst_cddbclient.moc"
