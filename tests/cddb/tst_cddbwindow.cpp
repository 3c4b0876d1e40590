#include "Application.h"
#include "CoverArtLookup.h"
#include "FrmCDDB.h"
#include "GivenTocReader.h"
#include "LoopbackHttpServer.h"
#include "ScriptedPrompter.h"
#include "frmJewelCase.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QNetworkProxy>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace std::chrono_literals;

namespace {

// Every request goes to the loopback server as to a proxy, so the program's own addresses of
// the CDDB server and the store are asked for as they stand.
const QString Server = QStringLiteral("http://cddb.test/~cddb/cddb.cgi");
const QString Query = Server + "?cmd=cddb+query+6909aa09+9+";
const QString Pictures = CoverArtStore::PictureServer +
                         QStringLiteral("/multimedia/images_produits/%1/dire-straits.jpg");
const QString Small = Pictures.arg("petites"), Large = Pictures.arg("grandes");

QByteArray file(const QString& path)
{
    QFile in(path);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

// A picture of one colour, in the simplest format Qt reads.
QByteArray oneColour(QColor colour)
{
    const char pixel[] = {char(colour.red()), char(colour.green()), char(colour.blue())};
    return "P6 40 40 255\n" + QByteArray(pixel, 3).repeated(40 * 40);
}

// A store's result page with one product, the album's.
QByteArray resultPage()
{
    return QByteArray(CoverArtStore::ProductCell) + "\r\n<br>\r\n" + CoverArtStore::SmallPicture +
           Small.toLatin1() + "\">\r\n" + CoverArtStore::TitleLink + CoverArtStore::ArticlePage +
           "id=1&Fr=4\">Dire Straits" + CoverArtStore::TitleEnd + "\r\n";
}

FrmCDDB::Services services(std::optional<DiscToc> toc, QStringList drives = {"/dev/sr0"})
{
    return {.drives = drives,
            .makeReader = [toc] { return std::make_unique<GivenTocReader>(toc); },
            .serverUrl = Server,
            .coverArtSearch = {},
            .timeout = 1500ms};
}

const std::optional<DiscToc> DireStraits =
    DiscToc::fromString(u"1 9 185700 150 18051 42248 57183 75952 89333 114384 142453 163641");

} // namespace

class TestCddbWindow : public QObject {
    Q_OBJECT
    LoopbackHttpServer server;
    QTemporaryDir dir;

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        Application::configure(*qApp);
        QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::HttpProxy,
                                                         QStringLiteral("127.0.0.1"),
                                                         quint16(QUrl(server.url({})).port())));
    }

    void init()
    {
        server.responses = {
            {Query, {"200 rock 6909aa09 Dire Straits / Dire Straits\r\n"}},
            {Server + "?cmd=cddb+read+rock+6909aa09",
             {"210 rock 6909aa09 CD database entry follows (until terminating `.')\r\n" +
              file(QFINDTESTDATA("cddb/data/6909aa09.xmcd")).replace("\n", "\r\n") + ".\r\n"}},
            {CoverArtStore::SearchPrefix, {resultPage()}},
            {Large, {oneColour(Qt::red)}}};
    }

    // No drive: the message, and the cover window stays. The record is shown with its cover and
    // the list saved in the code page and line breaks that Windows programs read. Several
    // matches: the chosen one is read; closing the window while the choice waits ends the search
    // there. No disc: the drive's message, nothing sent.
    void lookup()
    {
        ScriptedPrompter prompter;
        frmJewelCase cover(&prompter);
        cover.setLookupServices(services(DireStraits, {}));
        cover.show();
        cover.menus().windows.cddb->trigger();
        QCOMPARE(prompter.last().text, "Pas de lecteur de CD détecté.");
        QVERIFY(cover.isVisible());

        FrmCDDB window(prompter, services(DireStraits));
        window.show();
        window.search();
        QCOMPARE(window.grid()->item(5, 1)->text(), "Sultans of swing");
        QCOMPARE(window.picture()->pixmap().toImage().pixelColor(20, 20), QColor(Qt::red));
        prompter.paths = {dir.filePath("liste.txt")};
        QTest::mouseClick(window.saveButton(), Qt::LeftButton);
        const QByteArray list = file(dir.filePath("liste.txt"));
        QVERIFY(list.startsWith("Artiste : DIRE STRAITS - Album : Dire Straits\r\n"
                                "Ann\xE9"
                                "e : 1978 - Genre : Rock\r\n\r\n01-Down to the waterline\r\n"));
        QCOMPARE(list.count("\r\n"), 3 + 9);

        server.responses[Query] = {"211 close matches found\r\nmisc 6909aa09 Autre disque\r\n"
                                   "rock 6909aa09 Dire Straits\r\n.\r\n"};
        QTimer::singleShot(50, [&] {
            QCOMPARE(window.categories()->count(), 2);
            window.categories()->setCurrentRow(1);
            QTest::mouseClick(window.categoryButton(), Qt::LeftButton);
        });
        window.search();
        QCOMPARE(server.requests.filter("cddb+read+rock+6909aa09").size(), 2);

        qsizetype asked = server.requests.size();
        QTimer::singleShot(50, [&] { window.reject(); });
        window.search();
        QCOMPARE(server.requests.size(), asked + 1); // the query, and no read after it
        QVERIFY(!QApplication::overrideCursor());

        FrmCDDB noDisc(prompter, services(std::nullopt));
        asked = server.requests.size();
        noDisc.search();
        QCOMPARE(prompter.last().text, "Le lecteur n'est pas prêt. Essayez plus tard.");
        QCOMPARE(server.requests.size(), asked);
    }

    // Servers that send too much, too slowly, half or nothing: each search ends within the
    // time-out with a status text and the pointer given back; a picture that cannot be had
    // gives way to the small one.
    void hostileServers_data()
    {
        QTest::addColumn<bool>("picture");
        QTest::addColumn<LoopbackHttpServer::Manner>("manner");
        QTest::addColumn<QString>("status");
        using enum LoopbackHttpServer::Manner;
        const QString late = "Le serveur ne répond pas (délai dépassé).";
        QTest::newRow("query, silent") << false << Silent << late;
        QTest::newRow("query, a byte a second") << false << Trickle << late;
        QTest::newRow("query, cut short")
            << false << CutShort << "Connexion au serveur impossible.";
        QTest::newRow("query, 100 MB")
            << false << Endless << "La réponse du serveur est trop volumineuse.";
        QTest::newRow("picture, silent") << true << Silent << "Prêt";
        QTest::newRow("picture, 100 MB") << true << Endless << "Prêt";
    }

    void hostileServers()
    {
        QFETCH(bool, picture);
        QFETCH(LoopbackHttpServer::Manner, manner);
        server.responses[picture ? Large : Query] = {QByteArray(5000, '\xff'), "200 OK",
                                                     "image/png", manner};
        server.responses[Small] = {oneColour(Qt::green)};
        ScriptedPrompter prompter;
        FrmCDDB window(prompter, services(DireStraits));
        QElapsedTimer elapsed;
        elapsed.start();
        window.search();
        QVERIFY(elapsed.elapsed() < (picture ? 2 : 1) * 1500 + 1000); // the time-out per transfer
        QTEST(window.statusText(), "status");
        QVERIFY(!QApplication::overrideCursor());
        if (picture)
            QCOMPARE(window.picture()->pixmap().toImage().pixelColor(20, 20), QColor(Qt::green));
    }
};

QTEST_MAIN(TestCddbWindow)
#include "tst_cddbwindow.moc"
