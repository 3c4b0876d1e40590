#include "CddbClient.h"
#include "LoopbackHttpServer.h"
#include "SearchKeywords.h"
#include "TrackList.h"

#include <QFile>
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

private Q_SLOTS:
    void init()
    {
        client = std::make_unique<CddbClient>(300ms);
        client->setServerUrl(cgi);
        server.requests.clear();
    }

    // Nothing is sent without a disc id and a category; the address in every request is encoded.
    // Each failure ends the search with its text and nothing half read; the size limit from both
    // sides; an abort while the transfer runs. Servers too slow or cut short are the window's.
    void requestsAndTransfers()
    {
        client->setUserEmail("ann+cd fan@example.org");
        const QString hello = "&hello=ann%2Bcd%20fan%40example.org+localhost+xmcd+v1.0PL0&proto=6";
        QVERIFY(!client->CddbQuery(QString()));
        QVERIFY(!client->CddbRead("rock", QString()));
        QVERIFY(!client->CddbRead(QString(), "6909aa09"));
        QVERIFY(server.requests.isEmpty());

        QVERIFY(client->CddbQuery(Query));
        serve(direStraits());
        QCOMPARE(client->CddbRead("rock", "6909aa09")->albumKeywords, "dire straits");
        QCOMPARE(SearchKeywords("Le Theatre and Roll to the Top et la Lethe"),
                 "theatre roll top lethe");
        serve(
            "210 OK\r\ncd.example.org http 8080 /cddb.cgi N048.51 E002.21 Paris,  France\r\n"
            "gnudb.gnudb.org cddbp 8880 - N000.00 W000.00 gnudb\r\n.\r\nlate http 80 /x a b c\r\n");
        QCOMPARE(joined(client->CddbSites().sites),
                 QStringList({"cd.example.org:8080/cddb.cgi\tParis,  France"}));
        QCOMPARE(server.requests,
                 QStringList({"/~cddb/cddb.cgi?cmd=" + Query + hello,
                              "/~cddb/cddb.cgi?cmd=cddb+read+rock+6909aa09" + hello,
                              "/~cddb/cddb.cgi?cmd=sites" + hello}));
        serve("401 No site information\r\n");
        QCOMPARE(client->CddbSites().status, "Pas d'information disponible.");

        serve("Not found", "404 Not Found");
        QCOMPARE(client->CddbQuery(Query)->status, "Le serveur a refusé la requête.");
        const QByteArray limit = "210 x\n" + QByteArray(1024 * 1024 - 6, 'x');
        serve(limit);
        QVERIFY(client->CddbSites().rawAnswer.size() == 1024 * 1024);
        serve(limit + 'x');
        const auto huge = client->CddbRead("rock", "6909aa09");
        QCOMPARE(huge->status, "La réponse du serveur est trop volumineuse.");
        QVERIFY(huge->rawAnswer.isEmpty() && !huge->complete && huge->rows.isEmpty());
        QVERIFY(!client->StillExecuting());

        // Time enough for 20 MB under the sanitizers, on a loaded machine.
        InetCtrl inet(60s);
        serve(QByteArray(20 * 1024 * 1024 + 1, 'x')); // the bound of pages and pictures
        QCOMPARE(inet.OpenURL(QUrl(cgi)).failure, InetCtrl::Failure::TooLarge);
        server.responses[""].manner = LoopbackHttpServer::Manner::Trickle;
        bool runningMeanwhile = false;
        QTimer::singleShot(50, [&] {
            runningMeanwhile = inet.StillExecuting();
            inet.abort();
        });
        QCOMPARE(inet.OpenURL(QUrl(cgi)).failure, InetCtrl::Failure::Aborted);
        QVERIFY(runningMeanwhile && !inet.StillExecuting());
    }

    void query_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<int>("choice"); // the line chosen from 1; 0: no chooser
        QTest::addColumn<QString>("match");
        QTest::addColumn<QString>("status");
        const QByteArray three =
            "211 close matches\r\nrock aa A / B\r\nblues bb C\r\nfolk cc D\r\n";
        const auto row = [](const char* name, const QByteArray& answer, const QString& match,
                            const QString& status = Ready, int choice = 0) {
            QTest::newRow(name) << answer << choice << match << status;
        };
        const QString none = "Erreur|Erreur";
        row("200: the local disc id", "200 rock ffffffff Dire Straits\r\n", "rock|6909aa09");
        row("211 with '.'", three + ".\r\n", "blues|bb", Ready, 2);
        row("211 without '.'", three + "jazz dd E", "jazz|dd", Ready, 4);
        // Closing the window while it offers them is the window's test.
        row("211 without chooser", three, "", "Recherche annulée.");
        row("211 empty list", "211 close\r\n.\r\n", none);
        row("202", "202 No match\r\n", none, "Ce CD n'existe pas dans la base de données.");
        row("409", "409 No handshake\r\n", none, "Vous êtes mal identifié.");
        row("500", "500 Syntax error\r\n", none,
            "La structure de la requête envoyée est incorrecte.");
        row("binary", QByteArray("\x00\xff\x13\r\n\x80", 6).repeated(1000), none);
    }

    void query()
    {
        QFETCH(QByteArray, answer);
        QFETCH(int, choice);
        serve(answer);
        if (choice > 0)
            client->setCategoryChooser([&](const QStringList& lines) -> std::optional<QString> {
                return lines.value(choice - 1);
            });
        const auto result = client->CddbQuery(Query);
        QVERIFY(result);
        QTEST(result->match, "match");
        QTEST(result->status, "status");
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
