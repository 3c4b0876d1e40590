// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverArtLookup.h"
#include "LoopbackHttpServer.h"

#include <QEventLoop>
#include <QNetworkProxy>
#include <QtTest>

using namespace std::chrono_literals;

namespace {

const QString Cell = R"(<td WIDTH=70 VALIGN=TOP BGCOLOR="#FFFFFF" ALIGN=CENTER>)";
const QString Pictures = "http://images.disquaire-en-ligne.example/multimedia/images_produits/";
const QString Smalls = Pictures + "petites/", Small = R"(<IMG SRC=")" + Smalls;
const QString Link = R"(<b><a HREF="http://www.disquaire-en-ligne.example/Shelf/article.asp?)";

// One product of a result page as the store lays it out: the cell, a link line, the picture
// two lines below the cell, then the title link.
QString product(const QString& title, const QString& picture = "p1.jpg")
{
    return Cell + "\r\n<a HREF=\"x\">\r\n" + Small + picture + "\" WIDTH=70 BORDER=0></a>\r\n" +
           "</td><td VALIGN=TOP>\r\n" + Link + "ref=12&Fr=4\">" + title + "</a></b>\r\n</td>\r\n";
}

// The lookup's end, once it has come.
CoverArt lookedUp(HttpTransfer& transfer, const QString& album)
{
    CoverArt art;
    QEventLoop loop;
    CoverArtLookup(transfer, "dire straits", album, CoverArtStore::SearchPrefix,
                   [&](const CoverArt& found) {
                       art = found;
                       loop.quit();
                   });
    loop.exec(); // each transfer has its time-out
    return art;
}

// A picture of one colour, in the simplest format Qt reads.
QByteArray oneColour(QColor colour)
{
    const char pixel[] = {char(colour.red()), char(colour.green()), char(colour.blue())};
    return "P6 1 1 255\n" + QByteArray(pixel, 3);
}

} // namespace

class TestCoverArt : public QObject {
    Q_OBJECT
    // The store's hosts: every request goes to it as to a proxy.
    LoopbackHttpServer store;

private Q_SLOTS:
    void initTestCase()
    {
        QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::HttpProxy, "127.0.0.1",
                                                         quint16(QUrl(store.url({})).port())));
    }

    void addresses()
    {
        // Nothing the keywords hold can end the title or start another parameter.
        const QString search = CoverArtSearchAddress("a#b", "rock & roll été");
        QVERIFY(search.contains("&title=rock+%26+roll+%E9t%E9&"));
        QVERIFY(search.contains("&author=a%23b&"));
    }

    void pictureAddress_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("album");
        QTest::addColumn<QString>("address"); // null: no match
        const auto row = [](const char* name, const QString& page, const char* album,
                            const QString& address = {}) {
            QTest::newRow(name) << page << QString(album) << address;
        };
        const QString best = product("Greatest Hits") + product("The Best of the Band", "b.jpg");
        const QString wall = product("Wall", "w.jpg");
        row("first match, capitalised article kept", best + product("Best of Band", "c.jpg"),
            "best of band", Smalls + "b.jpg");
        row("title within keywords", best, "greatest hits live", Smalls + "p1.jpg");
        row("keywords within title", best, "hits", Smalls + "p1.jpg");
        row("small-letter filler removed", product("Rock and Roll"), "rock roll",
            Smalls + "p1.jpg");
        row("capital filler kept", product("Rock AND Roll"), "rock roll");
        row("picture not two lines below the cell", Cell + "\r\n" + wall.section("\r\n", 2),
            "wall");
        // The closing tags are dropped by count: on a line cut short the title is empty.
        row("title line cut short", QString(wall).replace("Wall</a></b>", "Wall"), "rock",
            Smalls + "w.jpg");
        row("last line without CR LF",
            wall.section("\r\n", 0, 3) + "\r\n" + Link + "Fr=4\">Wall</a></b>", "wall");
        row("picture address without its closing quote", QString(wall).replace("w.jpg\"", "w.jpg"),
            "wall", Smalls + "w.jpg WIDTH=70 BORDER=0></a>");
        row("cell on the last line", best + Cell + "\r\n", "wall");
        row("cell on the second last line", best + Cell + "\r\n\r\n" + Small + "x\"", "wall");
    }

    void pictureAddress()
    {
        QFETCH(QString, page);
        QFETCH(QString, album);
        QFETCH(QString, address);
        // Every cut of the page too: nothing is read past its end.
        for (qsizetype cut = 0; cut < page.size(); ++cut)
            CoverArtPictureAddress(page.first(cut), album);
        QCOMPARE(CoverArtPictureAddress(page, album).value_or(QString()), address);
    }

    // The large picture, else the small one, else none; the page is read as Windows-1252.
    void lookup()
    {
        const QString small = Smalls + "ete.jpg", large = LargePictureAddress(small);
        const QByteArray page =
            ("<html>\r\n" + product("Wall") + product("Été", "ete.jpg")).toLatin1();
        store.responses = {{CoverArtStore::SearchPrefix, {page}},
                           {large, {oneColour(Qt::red)}},
                           {small, {oneColour(Qt::green)}}};
        HttpTransfer transfer(5s);
        QCOMPARE(lookedUp(transfer, "été").picture.pixelColor(0, 0), QColor(Qt::red));
        store.responses[large] = {"<html>"};
        QCOMPARE(lookedUp(transfer, "été").picture.pixelColor(0, 0), QColor(Qt::green));
        store.responses.remove(small);
        store.requests.clear();
        const CoverArt none = lookedUp(transfer, "été");
        QVERIFY(none.matched && none.picture.isNull());
        QCOMPARE(store.requests,
                 QStringList({CoverArtSearchAddress("dire straits", "été"), large, small}));
        QVERIFY(!lookedUp(transfer, "rock").matched);
    }
};

QTEST_GUILESS_MAIN(TestCoverArt)
#include "tst_coverart.moc"
