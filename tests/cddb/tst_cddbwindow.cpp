#include "Application.h"
#include "CoverArtLookup.h"
#include "FrmCDDB.h"
#include "GivenTocReader.h"
#include "LoopbackHttpServer.h"
#include "ModalDriver.h"
#include "ScriptedPrompter.h"
#include "SendMail.h"
#include "frmJewelCase.h"
#include "frmTextEdit.h"

#include <QBuffer>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
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
const QString PictureAt = QStringLiteral("/multimedia/images_produits/%1/dire-straits.jpg");

QByteArray file(const QString& path)
{
    QFile in(path);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

QByteArray png(QColor colour)
{
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    image.save(&buffer, "PNG");
    return bytes;
}

// A store's result page with one product, the album's.
QByteArray resultPage()
{
    return QByteArray(CoverArtStore::ProductCell) + "\r\n<br>\r\n" + CoverArtStore::SmallPicture +
           CoverArtStore::PictureServer + PictureAt.arg("petites").toLatin1() + "\">\r\n" +
           CoverArtStore::TitleLink + CoverArtStore::ArticlePage + "id=1&Fr=4\">Dire Straits" +
           CoverArtStore::TitleEnd + "\r\n";
}

FrmCDDB::Services services(std::optional<DiscToc> toc, QStringList drives = {"/dev/sr0"})
{
    FrmCDDB::Services services;
    services.drives = drives;
    services.makeReader = [toc] { return std::make_unique<GivenTocReader>(toc); };
    services.serverUrl = Server;
    services.timeout = 5s;
    return services;
}

const std::optional<DiscToc> DireStraits =
    DiscToc::fromString(u"1 9 185700 150 18051 42248 57183 75952 89333 114384 142453 163641");

} // namespace

class TestCddbWindow : public QObject {
    Q_OBJECT
    LoopbackHttpServer server;
    QTemporaryDir dir;

    void answerQuery(const QByteArray& answer)
    {
        server.responses[Server + "?cmd=cddb+query+6909aa09+9+"] = {answer};
    }

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        Application::configure(*qApp);
        QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::HttpProxy,
                                                         QStringLiteral("127.0.0.1"),
                                                         quint16(QUrl(server.url({})).port())));
        answerQuery("200 rock 6909aa09 Dire Straits / Dire Straits\r\n");
        server.responses[Server + "?cmd=cddb+read+rock+6909aa09"] = {
            "210 rock 6909aa09 CD database entry follows (until terminating `.')\r\n" +
            file(QFINDTESTDATA("cddb/data/6909aa09.xmcd")).replace("\n", "\r\n") + ".\r\n"};
        server.responses[QLatin1String(CoverArtStore::SearchPrefix)] = {resultPage()};
        server.responses[QLatin1String(CoverArtStore::PictureServer) + PictureAt.arg("grandes")] = {
            png(Qt::red), "200 OK", "image/png"};
    }

    // The disc is identified, its record read and shown with its cover; the saved list is what
    // the text editor then inserts into a cover's text.
    void lookupSavesTheListForTheTextEditor()
    {
        ScriptedPrompter prompter;
        frmJewelCase cover(&prompter);
        cover.setLookupServices(services(DireStraits));
        const QString saved = dir.filePath("liste.txt");
        prompter.paths = {saved, saved};
        ExpectModal lookup([&](QWidget* modal) {
            auto* window = qobject_cast<FrmCDDB*>(modal);
            const auto close = qScopeGuard([&] { modal->close(); });
            QVERIFY(window);
            window->email()->setText("moi@exemple.fr");
            QTest::mouseClick(window->searchButton(), Qt::LeftButton);
            QCOMPARE(QStringList({window->artist()->text(), window->album()->text(),
                                  window->year()->text(), window->genre()->text()}),
                     QStringList({"DIRE STRAITS", "Dire Straits", "1978", "Rock"}));
            QCOMPARE(window->grid()->rowCount(), 9);
            QCOMPARE(window->grid()->item(5, 1)->text(), "Sultans of swing");
            QCOMPARE(window->statusText(), "Prêt");
            QCOMPARE(window->picture()->pixmap().toImage().pixelColor(20, 20), QColor(Qt::red));
            QVERIFY(!QApplication::overrideCursor());
            QCOMPARE(server.requests.filter("hello=moi%40exemple.fr+").size(), 2);
            QTest::mouseClick(window->saveButton(), Qt::LeftButton);
            QVERIFY(prompter.lastAsked().defaultText.endsWith("/DIRE STRAITS-Dire Straits"));
        });
        cover.menus().windows.cddb->trigger();
        QVERIFY(lookup.seen());
        QCOMPARE(QSettings().value(FrmCDDB::EmailSetting).toString(), "moi@exemple.fr");

        const QByteArray list = file(saved);
        QVERIFY(list.startsWith("Artiste : DIRE STRAITS - Album : Dire Straits\r\n"
                                "Ann\xE9"
                                "e : 1978 - Genre : Rock\r\n\r\n01-Down to the waterline\r\n"));
        QCOMPARE(list.count("\r\n"), 3 + 9);
        frmTextEdit editor(QString(), false, prompter);
        editor.show();
        QTest::mouseClick(editor.findChild<QPushButton*>("cmdFromFile"), Qt::LeftButton);
        QTest::mouseClick(editor.findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
        QVERIFY(editor.result()->contains("\r\n06-Sultans of swing\r\n"));
    }

    // Several matches: the panel offers them and the choice is read; closing the window while
    // the panel waits ends the search there.
    void categoryChoiceAndClosing()
    {
        answerQuery("211 close matches found\r\nrock 6909aa09 Dire Straits\r\n"
                    "misc 6909aa09 Autre disque\r\n.\r\n");
        const auto restore =
            qScopeGuard([&] { answerQuery("200 rock 6909aa09 Dire Straits / Dire Straits\r\n"); });
        ScriptedPrompter prompter;
        FrmCDDB window(prompter, services(DireStraits));
        window.show();
        QTimer::singleShot(50, [&] {
            QVERIFY(window.categoryPanel()->isVisible());
            QCOMPARE(window.categories()->count(), 2);
            QTest::mouseClick(window.categoryButton(), Qt::LeftButton);
        });
        window.search();
        QVERIFY(!window.categoryPanel()->isVisible());
        QCOMPARE(window.album()->text(), "Dire Straits");

        const qsizetype asked = server.requests.size();
        QTimer::singleShot(50, [&] { window.reject(); });
        window.search();
        QVERIFY(!window.isVisible());
        QCOMPARE(server.requests.size(), asked + 1); // the query, and no read after it
        QVERIFY(!QApplication::overrideCursor());
    }

    // No drive: the message, and the cover window stays. No disc: the drive's message, nothing
    // sent. Another server chosen from the list names the window.
    void drivesAndServers()
    {
        ScriptedPrompter prompter;
        frmJewelCase cover(&prompter);
        cover.setLookupServices(services(DireStraits, {}));
        cover.show();
        cover.menus().windows.cddb->trigger();
        QCOMPARE(prompter.last().text, "Pas de lecteur de CD détecté.");
        QVERIFY(cover.isVisible());

        FrmCDDB window(prompter, services(std::nullopt, {"/dev/sr0", "/dev/sr1"}));
        QCOMPARE(window.drives()->count(), 2);
        const qsizetype asked = server.requests.size();
        window.search();
        QCOMPARE(prompter.last().text, "Le lecteur n'est pas prêt. Essayez plus tard.");
        QCOMPARE(server.requests.size(), asked);

        server.responses[Server + "?cmd=sites"] = {
            "210 OK, site information follows (until terminating `.')\r\n"
            "gnudb.gnudb.org http 80 /~cddb/cddb.cgi N000.00 W000.00 Serveur principal\r\n"
            "miroir.test http 8080 /cgi/cddb.cgi N000.00 W000.00 Miroir de test\r\n.\r\n"};
        window.chooseSite();
        QCOMPARE(window.grid()->item(1, 1)->text(), "Miroir de test");
        window.grid()->setCurrentCell(1, 1);
        window.chooseSite();
        QCOMPARE(window.serverUrl(), "http://miroir.test:8080/cgi/cddb.cgi");
        QCOMPARE(window.windowTitle(), "Jaskel CD - Site : " + window.serverUrl());
        QCOMPARE(window.siteButton()->text(), "Liste des &Sites");
        QCOMPARE(FrmCDDB(prompter, services(DireStraits)).serverUrl(), Server);
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
        QTest::newRow("picture, trickled") << true << Trickle << "Prêt";
        QTest::newRow("picture, cut short") << true << CutShort << "Prêt";
        QTest::newRow("picture, 100 MB") << true << Endless << "Prêt";
        QTest::newRow("picture, not one") << true << Whole << "Prêt"; // whole, but no picture
    }

    void hostileServers()
    {
        QFETCH(bool, picture);
        QFETCH(LoopbackHttpServer::Manner, manner);
        const QString query = Server + "?cmd=cddb+query+6909aa09+9+";
        const QString large = CoverArtStore::PictureServer + PictureAt.arg("grandes");
        const QString small = CoverArtStore::PictureServer + PictureAt.arg("petites");
        const auto kept = server.responses;
        const auto restore = qScopeGuard([&] { server.responses = kept; });
        if (picture) {
            server.responses[large] = {QByteArray(5000, '\xff'), "200 OK", "image/png", manner};
            server.responses[small] = {png(Qt::green), "200 OK", "image/png"};
        } else {
            server.responses[query] = {QByteArray(200, 'x'), "200 OK", "text/plain", manner};
        }
        ScriptedPrompter prompter;
        FrmCDDB::Services slow = services(DireStraits);
        slow.timeout = 1500ms;
        FrmCDDB window(prompter, slow);
        QElapsedTimer elapsed;
        elapsed.start();
        window.search();
        QVERIFY(elapsed.elapsed() < (picture ? 2 : 1) * 1500 + 1000);
        QTEST(window.statusText(), "status");
        QVERIFY(!QApplication::overrideCursor());
        if (picture)
            QCOMPARE(window.picture()->pixmap().toImage().pixelColor(20, 20), QColor(Qt::green));
    }

    void mailLink()
    {
        QCOMPARE(SendMail("a@b.fr", "A propos de \"Jaskel CD\", version 1.0.0", "Ce programme & co")
                     .toString(QUrl::FullyEncoded),
                 "mailto:a@b.fr?Subject=A%20propos%20de%20%22Jaskel%20CD%22%2C"
                 "%20version%201.0.0&Body=Ce%20programme%20%26%20co");
        QCOMPARE(SendMail("a@b.fr", "", "", "c@d.fr").toString(), "mailto:a@b.fr?CC=c%40d.fr");
    }
};

QTEST_MAIN(TestCddbWindow)
#include "tst_cddbwindow.moc"
