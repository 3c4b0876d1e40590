// SPDX-License-Identifier: GPL-3.0-or-later
#include "Application.h"
#include "CoverArtLookup.h"
#include "CoverWindow.h"
#include "DiscToc.h"
#include "FileContents.h"
#include "GivenTocReader.h"
#include "LabelWindow.h"
#include "LookupWindow.h"
#include "LoopbackHttpServer.h"
#include "ModalDriver.h"
#include "PictureBytes.h"
#include "ScriptedPrompter.h"

#include <QBuffer>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QNetworkProxy>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
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

// A square picture of one colour, in the simplest format Qt reads.
QByteArray oneColour(QColor colour, int side = 40)
{
    const char pixel[] = {char(colour.red()), char(colour.green()), char(colour.blue())};
    return "P6 " + QByteArray::number(side) + ' ' + QByteArray::number(side) + " 255\n" +
           QByteArray(pixel, 3).repeated(side * side);
}

// A store's result page with one product, the album's.
QByteArray resultPage()
{
    return QByteArray(CoverArtStore::ProductCell) + "\r\n<br>\r\n" + CoverArtStore::SmallPicture +
           Small.toLatin1() + "\">\r\n" + CoverArtStore::TitleLink + CoverArtStore::ArticlePage +
           "id=1&Fr=4\">Dire Straits" + CoverArtStore::TitleEnd + "\r\n";
}

LookupWindow::Services services(std::optional<DiscToc> toc, QStringList drives = {"/dev/sr0"})
{
    LookupWindow::Services services;
    services.drives = drives;
    services.makeReader = [toc] { return std::make_unique<GivenTocReader>(toc); };
    services.serverUrl = Server;
    services.timeout = 1500ms;
    return services;
}

const std::optional<DiscToc> DireStraits =
    DiscToc::fromString(u"1 9 185700 150 18051 42248 57183 75952 89333 114384 142453 163641");
const QByteArray Found = "200 rock 6909aa09 Dire Straits / Dire Straits\r\n";
const QByteArray TwoMatches = "211 close matches found\r\nmisc 6909aa09 Autre disque\r\n"
                              "rock 6909aa09 Dire Straits\r\n.\r\n";

// MusicBrainz and its picture archive, asked through the loopback server like the others.
const QString MusicBrainz = QStringLiteral("http://musicbrainz.test");
const QString Archive = QStringLiteral("http://coverartarchive.test");
const QString SecondPressing = QStringLiteral("7a1c2d3e-4f50-4a6b-8c7d-1996e0000002");

LoopbackHttpServer::Response musicBrainzAnswer(const QString& name)
{
    return {readAll(QFINDTESTDATA("cddb/data/musicbrainz/" + name)), "200 OK", "application/json"};
}

QColor pictureColour(const LookupWindow& window)
{
    return window.picture()->pixmap().toImage().pixelColor(20, 20);
}

} // namespace

class TestCddbWindow : public QObject {
    Q_OBJECT
    LoopbackHttpServer server;
    QTemporaryDir dir;

    qsizetype asked(const QString& command) const { return server.requests.filter(command).size(); }

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
            {Query, {Found}},
            {Server + "?cmd=cddb+read+rock+6909aa09",
             {"210 rock 6909aa09 CD database entry follows (until terminating `.')\r\n" +
              readAll(QFINDTESTDATA("cddb/data/6909aa09.xmcd")).replace("\n", "\r\n") + ".\r\n"}},
            {CoverArtStore::SearchPrefix, {resultPage()}},
            {Large, {oneColour(Qt::red)}}};
        server.requests.clear();
        server.trickleInterval = 1s;
        // Every test starts from CDDB, whatever source an earlier run chose.
        QSettings().remove(LookupWindow::SourceSetting);
    }

    // The record is shown with its cover and the list saved in the code page and line breaks
    // that Windows programs read. Several matches: the panel shows them while the answer stays
    // in view, and Return or a double click chooses (neither searches again). Another server
    // can be chosen. No disc: the drive's message, nothing sent.
    void lookupAndChoice()
    {
        ScriptedPrompter prompter;
        LookupWindow window(prompter, services(DireStraits));
        // The window and its controls answer to the names the program has always given them.
        QCOMPARE(window.objectName(), QStringLiteral("FrmCDDB"));
        const std::pair<QWidget*, const char*> named[] = {
            {window.drives(), "cboLecteurCD"}, {window.saveButton(), "Command1"},
            {window.picture(), "Image1"},      {window.rawAnswer(), "txtRecu"},
            {window.grid(), "grdTitres"},      {window.categories(), "lstCategories"},
        };
        for (const auto& [widget, name] : named)
            QCOMPARE(window.findChild<QWidget*>(QLatin1String(name)), widget);
        window.show();
        window.search();
        QTRY_VERIFY(!window.searching());
        QCOMPARE(window.grid()->item(5, 1)->text(), "Sultans of swing");
        QCOMPARE(pictureColour(window), QColor(Qt::red));
        prompter.paths = {dir.filePath("liste.txt")};
        QTest::mouseClick(window.saveButton(), Qt::LeftButton);
        const QByteArray list = readAll(dir.filePath("liste.txt"));
        QVERIFY(list.startsWith("Artiste : DIRE STRAITS - Album : Dire Straits\r\n"
                                "Ann\xE9"
                                "e : 1978 - Genre : Rock\r\n\r\n01-Down to the waterline\r\n"));
        QCOMPARE(list.count("\r\n"), 3 + 9);

        server.responses[Query] = {TwoMatches};
        for (const bool doubleClick : {false, true}) {
            server.requests.clear();
            window.search();
            QTRY_VERIFY(window.categoryPanel()->isVisible());
            QVERIFY(window.rawAnswer()->toPlainText().contains("misc 6909aa09 Autre disque"));
            QCOMPARE(window.statusText(), "Prêt");
            QCOMPARE(window.categories()->count(), 2);
            QListWidget* matches = window.categories();
            if (doubleClick) {
                const QPoint second = matches->visualItemRect(matches->item(1)).center();
                QTest::mouseClick(matches->viewport(), Qt::LeftButton, {}, second);
                QTest::mouseDClick(matches->viewport(), Qt::LeftButton, {}, second);
            } else {
                matches->setCurrentRow(1);
                QTest::keyClick(matches, Qt::Key_Return);
            }
            QTRY_VERIFY(!window.searching());
            QVERIFY(!window.categoryPanel()->isVisible());
            QCOMPARE(asked("cddb+query"), 1);
            QCOMPARE(asked("cddb+read+rock+6909aa09"), 1);
            QCOMPARE(window.grid()->item(5, 1)->text(), "Sultans of swing");
        }

        // The server list is shown once it has come; a click on a row chooses that server.
        server.responses[Server + "?cmd=sites"] = {
            "210 OK\r\ncd.example.org http 8080 /cddb.cgi N048.51 E002.21 Paris\r\n.\r\n"};
        QTest::mouseClick(window.siteButton(), Qt::LeftButton);
        QTRY_COMPARE(window.siteButton()->text(), "Choisir ce &Site");
        QTest::mouseClick(window.grid()->viewport(), Qt::LeftButton, {},
                          window.grid()->visualItemRect(window.grid()->item(0, 1)).center());
        QCOMPARE(window.windowTitle(), "Jaskel CD - Site : http://cd.example.org:8080/cddb.cgi");

        LookupWindow noDisc(prompter, services(std::nullopt));
        server.requests.clear();
        noDisc.search();
        QCOMPARE(prompter.last().text, "Le lecteur n'est pas prêt. Essayez plus tard.");
        QCOMPARE(noDisc.statusText(), "Identification du CD ...");
        QVERIFY(!noDisc.searching());
        QVERIFY(server.requests.isEmpty());
    }

    // A search waiting for its category gives way to a new one, which ends; an earlier search's
    // late picture is never shown for a later one; closing the window ends whatever waits or
    // runs. Nothing of a search that gave way is read or shown.
    void searchesEndOneAnother()
    {
        ScriptedPrompter prompter;
        LookupWindow::Services patient = services(DireStraits);
        patient.timeout = 20s; // for answers that come a byte at a time
        LookupWindow window(prompter, patient);
        window.show();
        server.responses[Query] = {TwoMatches};
        window.search();
        QTRY_VERIFY(window.categoryPanel()->isVisible());
        server.responses[Query] = {Found};
        QVERIFY(window.searchButton()->isEnabled());
        QTest::mouseClick(window.searchButton(), Qt::LeftButton);
        QVERIFY(!window.categoryPanel()->isVisible());
        QTRY_VERIFY(!window.searching());
        QCOMPARE(window.statusText(), "Prêt");
        QCOMPARE(window.grid()->item(5, 1)->text(), "Sultans of swing");
        QCOMPARE(pictureColour(window), QColor(Qt::red));
        QTest::mouseClick(window.categoryButton(), Qt::LeftButton); // the first one's choice
        QCOMPARE(asked("cddb+read"), 1);

        // The picture comes a byte at a time, and has all come before the next query's answer.
        server.trickleInterval = 20ms;
        server.responses[Large] = {oneColour(Qt::blue, 1), "200 OK", "image/x-portable-pixmap",
                                   LoopbackHttpServer::Manner::Trickle};
        server.requests.clear();
        window.search();
        QTRY_VERIFY(server.requests.contains(Large));
        server.responses[Query] = {"202 No match for disc ID 6909aa09, sorry.\r\n", "200 OK",
                                   "text/plain", LoopbackHttpServer::Manner::Trickle};
        window.search();
        QVERIFY(window.artist()->text().isEmpty() && window.grid()->rowCount() == 0);
        QVERIFY(window.picture()->pixmap().isNull());
        QTRY_VERIFY(!window.searching());
        QCOMPARE(window.statusText(), "Ce CD n'existe pas dans la base de données.");
        QVERIFY(window.picture()->pixmap().isNull());
        QCOMPARE(asked("cddb+read"), 1); // none for a query without a match

        server.responses[Query] = {TwoMatches};
        window.search();
        QTRY_VERIFY(window.categoryPanel()->isVisible());
        window.reject();
        QVERIFY(!window.searching() && !window.categoryPanel()->isVisible());
        server.responses[Query].manner = LoopbackHttpServer::Manner::Silent;
        window.search();
        QVERIFY(window.searching() && QApplication::overrideCursor());
        const qsizetype sent = server.requests.size();
        QTest::mouseClick(window.categoryButton(), Qt::LeftButton);
        window.reject();
        QVERIFY(!window.searching());
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(server.requests.size(), sent);
    }

    // Each failure says what happened, and nothing of the disc found before stays on screen;
    // servers that send too much, too slowly, half or nothing end within the time-out with the
    // pointer given back; a picture that cannot be had gives way to the small one. A server that
    // refuses the e-mail address asks for a registered one.
    void failedSearches_data()
    {
        QTest::addColumn<QString>("failing"); // query, read or picture
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<LoopbackHttpServer::Manner>("manner");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("raw"); // what the raw answer shows
        using enum LoopbackHttpServer::Manner;
        const QByteArray noise(5000, '\xff');
        const QString late = "Le serveur ne répond pas (délai dépassé).";
        const QString cut =
            "Problème de transmission de données : la réponse du serveur a été interrompue.";
        const auto row = [](const char* name, const char* failing, const QByteArray& body,
                            LoopbackHttpServer::Manner manner, const QString& status,
                            const QString& raw = {}) {
            QTest::newRow(name) << QString(failing) << body << manner << status << raw;
        };
        row("query, silent", "query", noise, Silent, late);
        row("query, a byte a second", "query", noise, Trickle, late);
        row("query, cut short", "query", Found, CutShort, cut);
        row("record, cut short", "read", "210 rock 6909aa09\r\nDTITLE=A / B\r\n", CutShort, cut);
        row("query, 100 MB", "query", noise, Endless,
            "La réponse du serveur est trop volumineuse.");
        row("query, empty", "query", "", Whole, "Le serveur a envoyé une réponse vide.");
        row("query, a list of nothing", "query", "211 close matches\r\nnothing here\r\n.\r\n",
            Whole, "Problème a l'analyse des données (catégories).",
            "211 close matches\nnothing here\n.\n");
        row("query, e-mail refused", "query", "500 Unknown developer email\r\n", Whole,
            "Adresse e-mail refusée par le serveur.", "500 Unknown developer email");
        row("picture, silent", "picture", noise, Silent, "Prêt");
        row("picture, 100 MB", "picture", noise, Endless, "Prêt");
    }

    void failedSearches()
    {
        QFETCH(QString, failing);
        QFETCH(QByteArray, body);
        QFETCH(LoopbackHttpServer::Manner, manner);
        QFETCH(QString, raw);
        ScriptedPrompter prompter;
        LookupWindow window(prompter, services(DireStraits));
        window.show();
        window.search();
        QTRY_VERIFY(!window.searching());
        QCOMPARE(pictureColour(window), QColor(Qt::red));

        const QString target = failing == "query"  ? Query
                               : failing == "read" ? Server + "?cmd=cddb+read+rock+6909aa09"
                                                   : Large;
        server.responses[target] = {body, "200 OK", "image/png", manner};
        server.responses[Small] = {oneColour(Qt::green)};
        const qsizetype reads = asked("cddb+read");
        window.email()->setText("inconnu@example.org");
        window.album()->setFocus();
        window.search();
        QTRY_VERIFY_WITH_TIMEOUT(!window.searching(), 10000);
        QTEST(window.statusText(), "status");
        QVERIFY(!QApplication::overrideCursor());
        if (failing == "picture") {
            QCOMPARE(pictureColour(window), QColor(Qt::green));
            return;
        }
        QVERIFY(window.artist()->text().isEmpty() && window.album()->text().isEmpty() &&
                window.year()->text().isEmpty() && window.genre()->text().isEmpty());
        QCOMPARE(window.grid()->rowCount(), 0);
        QVERIFY(window.picture()->pixmap().isNull() && !window.saveButton()->isEnabled());
        QCOMPARE(window.rawAnswer()->toPlainText(), raw);
        QVERIFY(!window.categoryPanel()->isVisible());
        QCOMPARE(asked("cddb+read"), reads + (failing == "read"));
        if (!body.contains("email")) {
            QVERIFY(prompter.asked.isEmpty());
            return;
        }
        QTRY_COMPARE(prompter.asked.size(), 1);
        QCOMPARE(prompter.last().text,
                 "Le serveur refuse l'adresse e-mail envoyée : il n'accepte que les adresses "
                 "enregistrées chez lui.\rTapez votre adresse enregistrée dans « Votre e-mail : », "
                 "ou choisissez un autre serveur avec « Liste des Sites ».");
        QCOMPARE(window.focusWidget(), window.email());
        QCOMPARE(window.email()->selectedText(), "inconnu@example.org");
    }

    // Once a record is shown, "Créer la jaquette" and "Créer l'étiquette" fill the cover and the
    // label of the window that opened the lookup: the tracks with their lengths from the disc's
    // frames, the store's picture kept as one file (a PNG, as the store's is no JPEG) and made
    // the Recto's background and the label's picture. Before a record, and after a search that
    // found none, they cannot be pressed.
    void createsCoverAndLabel()
    {
        ScriptedPrompter prompter;
        CoverWindow cover(&prompter);
        LookupWindow::Services lookup = services(DireStraits);
        lookup.picturesFolder = dir.filePath("pochettes");
        cover.setLookupServices(lookup);
        cover.show();
        QList<bool> enabled;
        const auto buttons = [&](LookupWindow* window) {
            enabled << (window->createCoverButton()->isEnabled() &&
                        window->createLabelButton()->isEnabled());
        };
        // A failed check ends only the inner function: the window is closed all the same.
        ExpectModal modal([&](QWidget* shown) {
            if (auto* window = qobject_cast<LookupWindow*>(shown))
                [&] {
                    buttons(window);
                    window->search();
                    QVERIFY(QTest::qWaitFor([window] { return !window->searching(); }, 10000));
                    buttons(window);
                    QTest::mouseClick(window->createCoverButton(), Qt::LeftButton);
                    QTest::mouseClick(window->createLabelButton(), Qt::LeftButton);
                    server.responses[Query] = {"202 No match for disc ID 6909aa09, sorry.\r\n"};
                    window->search();
                    QVERIFY(QTest::qWaitFor([window] { return !window->searching(); }, 10000));
                    buttons(window);
                }();
            shown->close();
        });
        cover.menus().windows.cddb->trigger();
        QVERIFY(modal.seen());
        QCOMPARE(enabled, QList<bool>({false, true, false}));

        const QStringList kept = QDir(lookup.picturesFolder).entryList(QDir::Files);
        QCOMPARE(kept, QStringList{"DIRE STRAITS - Dire Straits - recto.png"});
        const QString picture = QDir(lookup.picturesFolder).filePath(kept.value(0));
        const JewelCaseDocument& document = cover.document();
        QCOMPARE(document.verticalText.caption(), "DIRE STRAITS — Dire Straits");
        QCOMPARE(document.rectoImagePath, picture);
        QVERIFY(document.faces[Face::Recto].background.visible);
        QStringList verso;
        for (const TextElement* text : shownTexts(document.faces[Face::Verso].texts))
            verso << text->caption();
        QVERIFY(verso.join("\r\n").contains("6. Sultans of swing\r\n"));
        QCOMPARE(verso.value(1).split("\r\n").mid(0, 6),
                 QStringList({"3:59", "5:23", "3:19", "4:10", "2:58", "5:34"}));
        QVERIFY(cover.labelWindow() && cover.labelWindow()->isVisible());
        const CdLabelDocument& label = cover.labelWindow()->label();
        QCOMPARE(label.pictureFileName, picture);
        QCOMPARE(label.shownTexts().size(), 2u);
        QCOMPARE(label.shownTexts().back()->caption(), "DIRE STRAITS");
        QCOMPARE(cover.context().history.stack().count(), 1);
        QCOMPARE(cover.labelWindow()->context().history.stack().count(), 1);
        cover.labelWindow()->close();
    }

    // Without a drive the window opens and says so; a table of contents typed or pasted is
    // searched for, and one that is none is refused with the reason, nothing sent.
    void withoutDrive()
    {
        ScriptedPrompter prompter;
        CoverWindow cover(&prompter);
        cover.setLookupServices(services(DireStraits, {}));
        cover.show();
        QString status;
        bool driveChoice = true;
        ExpectModal lookup([&](QWidget* modal) {
            if (auto* window = qobject_cast<LookupWindow*>(modal)) {
                status = window->statusText();
                driveChoice = window->drives()->isEnabled();
            }
            modal->close();
        });
        cover.menus().windows.cddb->trigger();
        QVERIFY(lookup.seen());
        QCOMPARE(status, "Pas de lecteur de CD détecté.");
        QVERIFY(!driveChoice && prompter.asked.isEmpty() && cover.isVisible());

        LookupWindow window(prompter, services(std::nullopt, {}));
        window.show();
        window.search();
        QCOMPARE(window.statusText(), "Pas de lecteur de CD détecté.");
        // A refused table says why, in DiscToc's words (tst_discid checks them).
        for (const QString toc :
             {"1 2 trois 4", "1 9 185700 150", "1 2 1000 150 150", "1 1 100 150"}) {
            QString why;
            QVERIFY(!DiscToc::fromString(toc, &why) && !why.isEmpty());
            window.tableOfContents()->setText(toc);
            window.search();
            QCOMPARE(prompter.last().text.section('\r', 0, 0),
                     "Table des matières refusée : " + why);
        }
        QVERIFY(server.requests.isEmpty());

        window.tableOfContents()->clear();
        QTest::keyClicks(window.tableOfContents(), "  " + DireStraits->toString() + " ");
        QTest::keyClick(window.tableOfContents(), Qt::Key_Return);
        QVERIFY(window.searching());
        QTRY_VERIFY(!window.searching());
        QCOMPARE(window.grid()->item(5, 1)->text(), "Sultans of swing");
        QCOMPARE(asked("cddb+query+6909aa09+9+150+18051"), 1);
    }

    // MusicBrainz, once chosen, stays chosen, and the CDDB server's controls rest. A disc with
    // two releases offers them in the category panel; the one chosen is read whole, with its
    // lengths and its front picture, and its list saved. A disc MusicBrainz does not know is
    // searched for by the name the user types; with no disc, by the names in the fields.
    void musicBrainz()
    {
        const QString disc = MusicBrainz + "/ws/2/discid/_YDhD3s18ZnHhitAtTviK04dWsU-";
        server.responses[disc] = musicBrainzAnswer("discid-two.json");
        server.responses[MusicBrainz + "/ws/2/release/" + SecondPressing] =
            musicBrainzAnswer("release-dire-straits.json");
        server.responses[MusicBrainz + "/ws/2/release?"] = musicBrainzAnswer("search-one.json");
        server.responses[MusicBrainz + "/ws/2/release/0b8e6d2a-1c3f-4e5d-9a7b-2004d0000003"] =
            musicBrainzAnswer("release-deux-soirs.json");
        server.responses[Archive + "/release/" + SecondPressing + "/front-1200"] = {
            pngBytes(Qt::red, 40), "200 OK", "image/png"};
        LookupWindow::Services online = services(DireStraits);
        online.musicBrainz = {MusicBrainz, Archive, 1500ms, dir.filePath("images")};
        ScriptedPrompter prompter;
        LookupWindow(prompter, online).source()->setCurrentText("MusicBrainz");
        LookupWindow window(prompter, online);
        QCOMPARE(window.source()->currentText(), "MusicBrainz");
        QVERIFY(!window.siteButton()->isEnabled() && !window.email()->isEnabled());
        window.show();
        window.search();
        QTRY_VERIFY(window.categoryPanel()->isVisible());
        QCOMPARE(window.categories()->item(1)->text(),
                 "Dire Straits / Dire Straits (1996, DE, CD, 9 pistes)");
        QVERIFY(window.searching());
        window.categories()->setCurrentRow(1);
        QTest::keyClick(window.categories(), Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(!window.searching(), 10000);
        QCOMPARE(window.statusText(), "Prêt");
        QCOMPARE(window.year()->text(), "1996");
        QCOMPARE(window.genre()->text(), "Rock");
        QCOMPARE(window.grid()->item(5, 1)->text(), "Sultans of Swing (5:34)");
        QCOMPARE(pictureColour(window), QColor(Qt::red));
        QCOMPARE(window.musicBrainzAlbum().frontPicture,
                 dir.filePath("images/Dire Straits - Dire Straits - recto.png"));
        QCOMPARE(asked(disc), 1);
        QCOMPARE(asked(Archive), 1); // the release has no back picture
        prompter.paths = {dir.filePath("musicbrainz.txt")};
        QTest::mouseClick(window.saveButton(), Qt::LeftButton);
        QVERIFY(readAll(dir.filePath("musicbrainz.txt"))
                    .contains("Genre : Rock\r\n\r\n01-Down to the Waterline\r\n"));

        server.responses[disc] = {R"({"error":"Not Found"})", "404 Not Found", "application/json"};
        prompter.texts = {"Alice Martin - Deux soirs"};
        window.search();
        QTRY_COMPARE_WITH_TIMEOUT(window.artist()->text(), "Alice Martin & Les Voisins", 10000);
        QCOMPARE(prompter.lastAsked().kind, "text");
        QVERIFY(prompter.last().text.startsWith("Ce disque n'est pas connu de MusicBrainz."));
        QTRY_VERIFY_WITH_TIMEOUT(!window.searching(), 10000);
        QCOMPARE(window.grid()->item(3, 0)->text(), "2.01");
        QCOMPARE(window.grid()->item(3, 1)->text(), "Ouverture (reprise) (1:00)");

        const qsizetype questions = prompter.asked.size();
        LookupWindow noDrive(prompter, [&] {
            LookupWindow::Services none = online;
            none.drives.clear();
            return none;
        }());
        noDrive.artist()->setText("Dire Straits");
        noDrive.album()->setText("Communiqué");
        noDrive.search();
        QTRY_COMPARE_WITH_TIMEOUT(asked("query=artist%3A%22Dire%20Straits%22%20AND%20release%3A"
                                        "%22Communiqu%C3%A9%22"),
                                  1, 5000);
        QCOMPARE(prompter.asked.size(), questions);
    }
};

QTEST_MAIN(TestCddbWindow)
#include "tst_cddbwindow.moc"
