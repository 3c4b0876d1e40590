#include "CoverArtLookup.h"
#include "LoopbackHttpServer.h"

#include <QBuffer>
#include <QNetworkProxy>
#include <QtTest>

using namespace std::chrono_literals;

namespace {

const QString Cell = R"(<td WIDTH=70 VALIGN=TOP BGCOLOR="#FFFFFF" ALIGN=CENTER>)";
const QString Small =
    R"(<IMG SRC="http://images.disquaire-en-ligne.example/multimedia/images_produits/petites/)";
const QString Link = R"(<b><a HREF="http://www.disquaire-en-ligne.example/Shelf/article.asp?)";

QString smallAddress(const QString& name)
{
    return "http://images.disquaire-en-ligne.example/multimedia/images_produits/petites/" + name;
}

// One product of a result page as the store lays it out: the cell, a link line, the picture
// two lines below the cell, then the title link.
QString product(const QString& title, const QString& picture = "p1.jpg", const QString& cell = Cell,
                const QString& small = Small)
{
    return cell + "\r\n<a HREF=\"x\">\r\n" + small + picture + "\" WIDTH=70 BORDER=0></a>\r\n" +
           "</td><td VALIGN=TOP>\r\n" + Link + "ref=12&Fr=4\">" + title + "</a></b>\r\n</td>\r\n";
}

QByteArray png(const QColor& color)
{
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    image.save(&buffer, "PNG");
    return bytes;
}

const QString Search =
    "http://www.disquaire-en-ligne.example/advanced/audio.do?TTL=310320021830&SID=0"
    "&Origin=JASKELCD&UID=JKCD00001&title=%1&exactTitle=false&track=&exactTrack=false"
    "&author=%2&collection=&label=&format=&startMonth=-1&startYear=-1&endMonth=-1&endYear=-1"
    "&x=36&y=24";

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
        // The lookup's test has a plain address. Nothing the keywords hold can end the title or
        // start another parameter.
        QCOMPARE(CoverArtSearchAddress("a#b", "rock & roll été"),
                 Search.arg("rock+%26+roll+%E9t%E9", "a%23b"));
        QCOMPARE(LargePictureAddress(smallAddress("PETITES/Ab-Petites.JPG")),
                 "http://images.disquaire-en-ligne.example/multimedia/images_produits/grandes/"
                 "grandes/ab-grandes.jpg");
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
            "best of band", smallAddress("b.jpg"));
        row("title within keywords", best, "greatest hits live", smallAddress("p1.jpg"));
        row("keywords within title", best, "hits", smallAddress("p1.jpg"));
        row("no match", best, "wall");
        row("small-letter filler removed", product("Rock and Roll"), "rock roll",
            smallAddress("p1.jpg"));
        row("capital filler kept", product("Rock AND Roll"), "rock roll");
        row("markers in any case", product("Wall", "W.JPG", Cell.toLower(), Small.toUpper()),
            "wall", smallAddress("W.JPG").toUpper());
        row("empty title matches anything", product("Greatest Hits") + product("", "e.jpg"), "wall",
            smallAddress("e.jpg"));
        row("empty keywords match the first", best, "", smallAddress("p1.jpg"));
        row("picture not two lines below the cell", Cell + "\r\n" + wall.section("\r\n", 2),
            "wall");
        row("no title link", wall.section("\r\n", 0, 3) + "\r\n", "wall");
        row("title link without its end", QString(wall).replace("Fr=4", "Fr=5"), "wall");
        // The closing tags are dropped by count: on a line cut short the title is empty.
        row("title line cut short", QString(wall).replace("Wall</a></b>", "Wall"), "rock",
            smallAddress("w.jpg"));
        row("last line without CR LF",
            wall.section("\r\n", 0, 3) + "\r\n" + Link + "Fr=4\">Wall</a></b>", "wall");
        row("picture address without its closing quote", QString(wall).replace("w.jpg\"", "w.jpg"),
            "wall", smallAddress("w.jpg WIDTH=70 BORDER=0></a>"));
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

    void lookup_data()
    {
        QTest::addColumn<QByteArray>("large");
        QTest::addColumn<QByteArray>("small");
        QTest::addColumn<QString>("album");
        QTest::addColumn<QColor>("color"); // invalid: a null picture
        QTest::addColumn<int>("requests"); // 1: the search only, when nothing matched
        const QByteArray red = png(Qt::red), green = png(Qt::green), none;
        QTest::newRow("large picture") << red << green << "best of band" << QColor(Qt::red) << 2;
        QTest::newRow("large missing") << none << green << "best of band" << QColor(Qt::green) << 3;
        QTest::newRow("large not a picture")
            << QByteArray("<html>") << green << "best of band" << QColor(Qt::green) << 3;
        QTest::newRow("both missing") << none << none << "best of band" << QColor() << 3;
        QTest::newRow("Windows-1252 page") << red << green << "été" << QColor(Qt::red) << 2;
        QTest::newRow("no match") << red << green << "wall" << QColor() << 1;
        QTest::newRow("no page") << red << green << "" << QColor() << 1;
    }

    void lookup()
    {
        QFETCH(QByteArray, large);
        QFETCH(QByteArray, small);
        QFETCH(QString, album);
        QFETCH(QColor, color);
        QFETCH(int, requests);
        // The album's keywords in the address, as the store's pages spell them.
        const QString search = Search.arg(
            album == "été" ? "%E9t%E9" : QString(album).replace(' ', '+'), "dire+straits");
        const QByteArray page = "<html>\r\n" +
                                product("The Best of the Band", "Cover.JPG").toLatin1() +
                                product("Été", "ete.jpg").toLatin1();
        store.responses.clear();
        if (!album.isEmpty())
            store.responses.insert(search, {page});
        const QString found = smallAddress(album == "été" ? "ete.jpg" : "Cover.JPG");
        if (!large.isEmpty())
            store.responses.insert(LargePictureAddress(found), {large});
        if (!small.isEmpty())
            store.responses.insert(found, {small});
        store.requests.clear();

        InetCtrl transfer(5s);
        const CoverArt art = CoverArtLookup(transfer, "dire straits", album);
        QCOMPARE(art.matched, requests > 1);
        QCOMPARE(art.picture.isNull(), !color.isValid());
        if (color.isValid())
            QCOMPARE(art.picture.pixelColor(0, 0), color);
        const QStringList expected = {search, LargePictureAddress(found), found};
        QCOMPARE(store.requests, expected.first(requests));
    }
};

QTEST_GUILESS_MAIN(TestCoverArt)
#include "tst_coverart.moc"
