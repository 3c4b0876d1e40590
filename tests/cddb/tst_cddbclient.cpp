#include "CddbClient.h"
#include "LoopbackHttpServer.h"
#include "SearchKeywords.h"
#include "TrackList.h"

#include <QFile>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTimer>
#include <QtTest>

using namespace std::chrono_literals;

namespace {

const QString Query = "cddb+query+6909aa09+9+150+18051+42248+57183+75952+89333+114384+142453+"
                      "163641+2476";
const QString Ready = "Prêt";

QByteArray record(const QByteArray& xmcd)
{
    return "210 rock 6909aa09 CD database entry follows (until terminating `.')\r\n" + xmcd +
           ".\r\n";
}

QByteArray recordFile(const QString& name, bool crlf)
{
    QFile file(QFINDTESTDATA("cddb/data/" + name));
    const QByteArray text = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    return record(crlf ? QByteArray(text).replace("\n", "\r\n") : text);
}

// The record's first 3 lines, then `tracks`.
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
    void serve(const QByteArray& body, const QByteArray& status = "200 OK",
               LoopbackHttpServer::Manner manner = LoopbackHttpServer::Manner::Whole)
    {
        server.responses[""] = {body, status, "text/plain", manner};
    }
    QByteArray answered() const { return server.responses.value("").body; }
    std::unique_ptr<CddbClient> client;

private Q_SLOTS:
    void init()
    {
        client = std::make_unique<CddbClient>(300ms);
        client->setServerUrl(cgi);
        serve({});
        server.requests.clear();
    }

    void requests()
    {
        client->setUserEmail("ann+cd fan@example.org");
        const QString hello = "&hello=ann%2Bcd%20fan%40example.org+localhost+xmcd+v1.0PL0&proto=6";
        QVERIFY(!client->CddbQuery(QString()));
        QVERIFY(!client->CddbRead("rock", QString()));
        QVERIFY(!client->CddbRead(QString(), "6909aa09"));
        QVERIFY(server.requests.isEmpty());

        QVERIFY(client->CddbQuery(Query));
        serve(recordFile("6909aa09.xmcd", true));
        QSignalSpy status(client.get(), &CddbClient::statusChanged);
        QSignalSpy busy(client.get(), &CddbClient::busyChanged);
        const auto read = client->CddbRead("rock", "6909aa09");
        QCOMPARE(status, QList<QList<QVariant>>(
                             {{"Questionne la base de données (Contenu du CD) ..."}, {Ready}}));
        QCOMPARE(busy, QList<QList<QVariant>>({{true}, {false}}));
        QVERIFY(read->artistKeywords == "dire straits" && read->albumKeywords == "dire straits");
        QCOMPARE(read->record.tracks.size(), CddbRecord::MinimumTrackCount);
        client->CddbSites();
        QCOMPARE(server.requests,
                 QStringList({"/~cddb/cddb.cgi?cmd=" + Query + hello,
                              "/~cddb/cddb.cgi?cmd=cddb+read+rock+6909aa09" + hello,
                              "/~cddb/cddb.cgi?cmd=sites" + hello}));
    }

    void query_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<int>("choice"); // the line chosen from 1; 0: no chooser
        QTest::addColumn<int>("offered");
        QTest::addColumn<QString>("match");
        QTest::addColumn<QString>("status");
        const QByteArray three =
            "211 close matches\r\nrock aa A / B\r\nblues bb C\r\nfolk cc D\r\n";
        const auto row = [](const char* name, const QByteArray& answer, const QString& match,
                            const QString& status = Ready, int choice = 0, int offered = 0) {
            QTest::newRow(name) << answer << choice << offered << match << status;
        };
        const QString none = "Erreur|Erreur";
        row("200: the local disc id", "200 rock ffffffff Dire Straits\r\n", "rock|6909aa09");
        row("211 with '.'", three + ".\r\n", "blues|bb", Ready, 2, 3);
        row("211 without '.'", three + "jazz dd E", "jazz|dd", Ready, 4, 4);
        row("210 first", "210 found\r\nrock 6909aa09 X\r\n.\r\n", "rock|6909aa09", Ready, 1, 1);
        // Closing the window while it offers them is the window's test.
        row("211 without chooser", three, "", "Recherche annulée.", 0, 3);
        row("211 empty list", "211 close\r\n.\r\n", none);
        row("202", "202 No match\r\n", none, "Ce CD n'existe pas dans la base de données.");
        row("409", "409 No handshake\r\n", none, "Vous êtes mal identifié.");
        row("500", "500 Syntax error\r\n", none,
            "La structure de la requête envoyée est incorrecte.");
        row("other code", "401 Whatever\r\n", none);
        row("binary", QByteArray("\x00\xff\x13\r\n\x80", 6).repeated(1000), none);
    }

    void query()
    {
        QFETCH(QByteArray, answer);
        QFETCH(int, choice);
        serve(answer);
        QStringList offered;
        if (choice > 0)
            client->setCategoryChooser([&](const QStringList& lines) -> std::optional<QString> {
                offered = lines;
                return lines.value(choice - 1);
            });
        const auto result = client->CddbQuery(Query);
        QVERIFY(result);
        QTEST(result->match, "match");
        QTEST(result->status, "status");
        QTEST(int(result->categories.size()), "offered");
        if (choice > 0)
            QCOMPARE(offered, result->categories);
        QCOMPARE(result->rawAnswer,
                 answer.startsWith('5') ? answer.left(3) : QString::fromLatin1(answer));
    }

    void read_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QString>("fields"); // artist|album|year|genre
        QTest::addColumn<int>("rowCount");
        QTest::addColumn<QStringList>("rows"); // some of them
        QTest::addColumn<QString>("status");
        const auto row = [](const char* name, const QByteArray& answer, const QString& fields,
                            int rowCount, const QStringList& rows, const QString& status = Ready) {
            QTest::newRow(name) << answer << fields << rowCount << rows << status;
        };
        row("6909aa09", recordFile("6909aa09.xmcd", true), "DIRE STRAITS|Dire Straits|1978|Rock", 9,
            {"1\tDown to the waterline", "9\tLions"});
        row("d50dd30f, LF lines", recordFile("d50dd30f.xmcd", false),
            "Various|Ska Island|1997|Reggae", 15, {"12\tShame and Scandal In The Family"});
        row("first ' / ' cuts", withTracks("", "DTITLE=AC/DC / Back in Black / Live\n"),
            "AC/DC|Back in Black / Live|2001|Pop", 0, {});
        row("no ' / '", withTracks("", "DTITLE= AC/DC \n"), "AC/DC|AC/DC|2001|Pop", 0, {});
        row("continuation lines, escapes",
            withTracks("TTITLE0=Side one \nTTITLE0=and two\nTTITLE3=Hel\nTTITLE3=lo\n"
                       "TTITLE1=Tab\\tin\\\\out\\\nTTITLE1=nend\nEXTT1=a \nEXTT1=b\n",
                       "DTITLE=Long Art\nDTITLE=ist / Album\n"),
            "Long Artist|Album|2001|Pop", 4,
            {"1\tSide one and two", "2\tTab\tin\\out\nend (a b)", "3\t", "4\tHello"});
        const QString ab = "A|B|2001|Pop";
        row("digit first, EXTT empty or live",
            withTracks("TTITLE0=1999\nTTITLE3=A\nTTITLE4=B\nEXTT3=\nEXTT4=live\n"), ab, 5,
            {"1\t 1999", "4\tA", "5\tB (live)"});
        row("index 99 kept, above ignored",
            withTracks("TTITLE99=Last\nTTITLE100=x\nEXTT100=y\nTTITLE999999999=z\n"
                       "TTITLE99999999999999999999=w\n"),
            ab, 100, {"99\t", "100\tLast"});
        row("keys without a number",
            withTracks("TTITLE=x\nEXTT=y\nTTITLEx=z\nTTITLE+1=v\nTTITLE0=A\n"), ab, 1, {"1\tA"});
        const QByteArray bjork = "DTITLE=Björk / Début\nDYEAR=\nDGENRE=\n";
        row("UTF-8", record(bjork), "Björk|Début||", 0, {});
        row("Latin-1", record(QString(bjork).toLatin1()), "Björk|Début||", 0, {});
        const QString analysis = "Problème a l'analyse des données (%1).";
        row("no DTITLE", record("DYEAR=1\nDGENRE=g\nTTITLE0=x\n"), "|||", 0, {},
            analysis.arg("artiste"));
        row("no DYEAR", record("DTITLE=A / B\nDGENRE=g\nTTITLE0=x\n"), "A|B||", 0, {},
            analysis.arg("année"));
        row("no DGENRE", record("DTITLE=A / B\nDYEAR=1\n\nDGENRE=g\nTTITLE0=x\n"), "A|B|1|", 0, {},
            analysis.arg("genre"));
        row("binary record", record(QByteArray("\x00\xff=\r\n\x80", 6).repeated(1000)), "|||", 0,
            {}, analysis.arg("artiste"));
        for (const auto& [code, status] :
             {std::pair{"401", "Ce CD n'existe pas dans la base de données."},
              {"402", "Erreur dûe au serveur."},
              {"403", "Problème de transmission de données."},
              {"409", "Vous êtes mal identifié. (mail en cours)"},
              {"530", "La structure de la requête envoyée est incorrecte."},
              {"211", "Prêt"}})
            row(code, QByteArray(code) + " Whatever\r\nDTITLE=A / B\r\n", "|||", 0, {}, status);
    }

    void read()
    {
        QFETCH(QByteArray, answer);
        QFETCH(QStringList, rows);
        serve(answer);
        const auto result = client->CddbRead("rock", "6909aa09");
        QVERIFY(result);
        QTEST(result->status, "status");
        const CddbRecord& r = result->record;
        QTEST(QStringList({r.artist, r.album, r.year, r.genre}).join('|'), "fields");
        QCOMPARE(result->complete, answer.startsWith("210") && result->status == Ready);
        QTEST(int(result->rows.size()), "rowCount");
        const QStringList actual = joined(result->rows);
        for (const QString& row : rows)
            QVERIFY2(actual.contains(row), qPrintable(row + " in " + actual.join(" | ")));
        if (answer.startsWith('5'))
            QCOMPARE(result->rawAnswer, answer.left(3));
        else
            QVERIFY(result->rawAnswer.size() >= answer.size() - 2); // decoded, whole
    }

    void sites()
    {
        serve("210 OK, site information follows\r\n"
              "gnudb.gnudb.org http 80 /~cddb/cddb.cgi N000.00 W000.00 main server\r\n"
              "gnudb.gnudb.org cddbp 8880 - N000.00 W000.00 gnudb\r\n"
              "cd.example.org http 8080 /cddb.cgi N048.51 E002.21 Paris,  France\r\n"
              ".\r\nlate http 80 /x a b c\r\n");
        CddbClient::SitesResult result = client->CddbSites();
        QVERIFY(result.status == Ready && result.rawAnswer == answered());
        QCOMPARE(joined(result.sites),
                 QStringList({"gnudb.gnudb.org/~cddb/cddb.cgi\tmain server",
                              "cd.example.org:8080/cddb.cgi\tParis,  France"}));
        serve("401 No site information\r\n");
        result = client->CddbSites();
        QCOMPARE(result.status, "Pas d'information disponible.");
        QVERIFY(result.rawAnswer == answered() && result.sites.isEmpty());
    }

    // A server too slow is the window's test, with the other hostile ones.
    void failedTransfers_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("status");
        const auto row = [](const char* name, const char* failure, const char* status) {
            QTest::newRow(name) << QString(failure) << QString(status);
        };
        row("closed port", "closed", "Connexion au serveur impossible.");
        row("1 MB and a byte", "huge", "La réponse du serveur est trop volumineuse.");
        row("HTTP 404", "404", "Le serveur a refusé la requête.");
    }

    void failedTransfers()
    {
        QFETCH(QString, failure);
        QFETCH(QString, status);
        serve(failure == "huge" ? "210 OK\r\n" + QByteArray(CddbClient::MaxAnswerBytes - 8 + 1, 'x')
                                : QByteArray("Not found"),
              failure == "404" ? "404 Not Found" : "200 OK");
        if (failure == "closed") {
            QTcpServer closed; // its port, closed once it is gone
            closed.listen(QHostAddress::LocalHost);
            client->setServerUrl(QString("http://127.0.0.1:%1/cddb.cgi").arg(closed.serverPort()));
        }
        const auto query = client->CddbQuery(Query);
        QVERIFY(query->status == status && query->match.isEmpty() && query->rawAnswer.isEmpty());
        const auto read = client->CddbRead("rock", "6909aa09");
        QCOMPARE(read->status, status);
        QVERIFY(read->rawAnswer.isEmpty() && !read->complete && read->rows.isEmpty());
        const CddbClient::SitesResult sites = client->CddbSites();
        QVERIFY(sites.status == status && sites.rawAnswer.isEmpty() && sites.sites.isEmpty());
        QVERIFY(!client->StillExecuting());
    }

    // The size limit from both sides, and an abort while the transfer runs.
    void openUrl()
    {
        InetCtrl inet(300ms);
        const QUrl url(cgi);
        serve("13 bytes here");
        QCOMPARE(inet.OpenURL(url, 13).data, answered());
        QCOMPARE(inet.OpenURL(url, 12).failure, InetCtrl::Failure::TooLarge);
        serve(QByteArray(CddbClient::MaxAnswerBytes - 6, 'x').prepend("210 x\n"));
        QVERIFY(client->CddbSites().rawAnswer.size() == CddbClient::MaxAnswerBytes);

        serve("210 x\r\n", "200 OK", LoopbackHttpServer::Manner::Trickle);
        bool runningMeanwhile = false;
        QTimer::singleShot(50, [&] {
            runningMeanwhile = inet.StillExecuting();
            inet.abort();
        });
        QCOMPARE(inet.OpenURL(url).failure, InetCtrl::Failure::Aborted);
        QVERIFY(runningMeanwhile && !inet.StillExecuting());
    }

    void keywords()
    {
        QCOMPARE(SearchKeywords("The Best of the Band"), "best of band");
        QCOMPARE(SearchKeywords("Rock and Roll to the Top"), "rock roll top");
        QCOMPARE(SearchKeywords("Le Chant et la Danse"), "chant danse");
        QCOMPARE(SearchKeywords("Theatre Lethe"), "theatre lethe");
    }

    void savedListKeepsEveryTitledTrack()
    {
        CddbRecord record;
        record.artist = "Nina";
        record.album = "Été";
        record.year = "2001";
        record.genre = "Jazz";
        record.tracks.resize(60);
        record.tracks[0].title = "Intro";
        record.tracks[56].title = "Fin"; // past the 41st: still written
        QCOMPARE(TrackList::lines(record),
                 (QStringList{"Artiste : Nina - Album : Été", "Année : 2001 - Genre : Jazz", "",
                              "01-Intro", "57-Fin"}));
        QCOMPARE(TrackList::proposedName(record), "Nina-Été");
    }
};

QTEST_GUILESS_MAIN(TestCddbClient)
#include "tst_cddbclient.moc"
