#include "BmpFile.h"
#include "ClipboardPicture.h"
#include "JewelCaseDocument.h"
#include "PictureFile.h"
#include "PicturePlacement.h"
#include "SaneScanner.h"
#include "SaneTestScanner.h"

#include <QBuffer>
#include <QClipboard>
#include <QDataStream>
#include <QDir>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

using namespace PicturePlacement;

namespace {

// A picture of `width` × `height` pixels: 15 twips each.
Picture pixels(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    return Picture::fromImage(image);
}

// A placeable metafile 1000 × 500 units at 1000 units an inch: its records, each a function
// then its parameters, and the end record.
QByteArray metafile(QList<QList<quint16>> records)
{
    records.append(QList<quint16>{0x0000});
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    quint16 checksum = 0;
    for (const quint16 word : {0xCDD7, 0x9AC6, 0, 0, 0, 1000, 500, 1000, 0, 0}) {
        out << word;
        checksum ^= word;
    }
    quint32 words = 9; // the header's, then the records'
    quint32 largest = 0;
    for (const QList<quint16>& record : records) {
        words += 2 + quint32(record.size());
        largest = std::max(largest, 2 + quint32(record.size()));
    }
    out << checksum << quint16(1) << quint16(9) << quint16(0x0300) << words << quint16(3) << largest
        << quint16(0);
    for (const QList<quint16>& record : records) {
        out << quint32(2 + record.size());
        for (const quint16 word : record)
            out << word;
    }
    return bytes;
}

// The path of a file of `dir` holding `bytes`.
QString written(const QTemporaryDir& dir, const char* name, const QByteArray& bytes)
{
    QFile file(dir.filePath(QLatin1String(name)));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? file.fileName()
                                                                                : QString();
}

bool near(const QRectF& a, const QRectF& b)
{
    return (a.topLeft() - b.topLeft()).manhattanLength() < 0.02 &&
           qAbs(a.width() - b.width()) + qAbs(a.height() - b.height()) < 0.02;
}

} // namespace

class TestPictures : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void logoModes()
    {
        // The Verso: Left 6818.15, 6803.15 square; a logo 2855 twips square until placed.
        const double fl = 6818.15, far = 6803.15 - 2855 - 15;
        const QList<std::pair<LogoDisplayMode, QPointF>> modes = {
            {LogoDisplayMode::Free, {fl, 15}},
            {LogoDisplayMode::TopLeft, {fl + 15, 15}},
            {LogoDisplayMode::TopRight, {fl + far, 15}},
            {LogoDisplayMode::BottomLeft, {fl + 15, far}},
            {LogoDisplayMode::BottomRight, {fl + far, far}},
            {LogoDisplayMode::Centred, {fl + (6803.15 - 2855) / 2, (6803.15 - 2855) / 2}},
        };
        for (const auto& [mode, at] : modes) {
            JewelCaseDocument document;
            const ImageSlot& logo = document.faces[Face::Verso].logo;
            PlaceLogo(document, Face::Verso, mode, true, pixels(100, 50));
            QVERIFY(logo.visible && logo.stretch && !logo.fittedToFace);
            QVERIFY(near(logo.rect, QRectF(at, QSizeF(2855, 2855))));
            QCOMPARE(logo.borderStyle, BorderStyle::Single);
        }

        // Larger than the face in one dimension only, or fitted: it covers the face.
        JewelCaseDocument document;
        ImageSlot& logo = document.faces[Face::Verso].logo;
        const QRectF faceFit(fl + 15, 15, 6803.15 - 30, 6803.15 - 30);
        PlaceLogo(document, Face::Verso, LogoDisplayMode::Centred, false, pixels(100, 1000));
        QVERIFY(near(logo.rect, faceFit) && !logo.fittedToFace);
        PlaceLogo(document, Face::Verso, LogoDisplayMode::FittedToFace, false, pixels(100, 50));
        QVERIFY(near(logo.rect, faceFit) && logo.fittedToFace);
        // Hidden: the picture stays in the slot, the slot hidden and its border unchanged.
        logo.borderStyle = BorderStyle::Single;
        PlaceLogo(document, Face::Verso, LogoDisplayMode::Hidden, false, pixels(10, 10));
        QVERIFY(!logo.visible && !logo.isEmpty() && logo.borderStyle == BorderStyle::Single);
        PlaceLogo(document, 3, LogoDisplayMode::Free, false, pixels(10, 10)); // no such face
        // The Recto's logo starts as large as its face: a small logo in a corner is 2855 square.
        PlaceLogo(document, Face::Recto, LogoDisplayMode::TopLeft, false, pixels(100, 50));
        QCOMPARE(document.faces[Face::Recto].logo.rect.size(), QSizeF(2855, 2855));
    }

    void backgroundModes()
    {
        JewelCaseDocument document;
        const ImageSlot& background = document.faces[Face::Recto].background;
        const QRectF faceFit(15, 15, 6803.15 - 30, 6803.15 - 30);
        // Centred at its own size, 200 × 100 pixels being 3000 × 1500 twips.
        PlaceBackground(document, Face::Recto, OleColors::white,
                        BackgroundFitMode::CentredProportional, pixels(200, 100));
        QVERIFY(background.visible && !background.stretch && !background.fittedToFace);
        QVERIFY(
            near(background.rect, QRectF((6803.15 - 3000) / 2, (6803.15 - 1500) / 2, 3000, 1500)));
        // Larger than the face, or asked to, it covers the face.
        for (const auto& [mode, size] :
             {std::pair(BackgroundFitMode::CentredProportional, QSize(500, 200)),
              std::pair(BackgroundFitMode::WholeFace, QSize(200, 100))}) {
            PlaceBackground(document, Face::Recto, 0x00FF0000, mode,
                            pixels(size.width(), size.height()));
            QVERIFY(background.stretch && background.fittedToFace &&
                    near(background.rect, faceFit));
        }
        // No picture: hidden and emptied; the colour is the face's all the same.
        PlaceBackground(document, Face::Recto, 0x000000FF, BackgroundFitMode::WholeFace, Picture());
        QVERIFY(!background.visible && background.isEmpty());
        QCOMPARE(document.faces[Face::Recto].color, OleColor(0x000000FF));
    }

    void clipboardPictures()
    {
        QImage image(30, 10, QImage::Format_RGB32);
        image.fill(Qt::red);
        ClipboardPicture::write(image);
        std::optional<Picture> pasted = ClipboardPicture::read();
        QVERIFY(pasted && pasted->naturalSize() == QSizeF(450, 150));
        // Another picture format the clipboard offers, when it offers no bitmap.
        QByteArray bmp;
        QBuffer buffer(&bmp);
        QVERIFY(buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "BMP"));
        auto* data = new QMimeData;
        data->setData(QStringLiteral("image/x-other"), bmp);
        QGuiApplication::clipboard()->setMimeData(data);
        pasted = ClipboardPicture::read();
        QVERIFY(pasted && pasted->image().width() == 30);
    }

    void scanningThroughSane()
    {
        // In colour, the progress told up to its end; cancelled half-way, no page. The list of
        // scanners and a page's size: tst_imageoptions.
        QTemporaryDir withTest;
        QVERIFY(useSaneTestScanner(withTest, "number_of_devices 1\nmode Color\ndepth 8\n"
                                             "test-picture \"Color pattern\"\nresolution 50.0\n"
                                             "br_x 80.0\nbr_y 100.0\n"));
        int done = 0;
        const std::optional<QImage> page =
            SaneScanner::scan(QString(), [&](int percent) { return (done = percent) >= 0; });
        QVERIFY(page && done == 100);
        QSet<QRgb> colours; // the pattern's stripes
        for (int x = 0; x < page->width(); ++x)
            colours.insert(page->pixel(x, page->height() / 2));
        QVERIFY(colours.size() >= 3);
        QVERIFY(!SaneScanner::scan(QString(), [](int percent) { return percent < 50; }));
    }

    void pictureFiles()
    {
        QTemporaryDir dir;
        QImage photo(40, 20, QImage::Format_RGB32);
        photo.fill(Qt::blue);
        for (const char* format : {"png", "bmp", "jpg"}) {
            const QString path = dir.filePath(QStringLiteral("photo.") + QLatin1String(format));
            QVERIFY(photo.save(path, format));
            const std::optional<Picture> loaded = PictureFile::load(path);
            QVERIFY2(loaded && !loaded->isVector(), format);
            QCOMPARE(loaded->naturalSize(), QSizeF(600, 300));
        }
        // Sixteen bits a channel come to eight, the transparency kept.
        QImage deep(4, 4, QImage::Format_RGBA64);
        deep.fill(QColor(255, 0, 0, 0));
        QVERIFY(deep.save(dir.filePath(QStringLiteral("profond.png"))));
        const QImage shallow =
            PictureFile::load(dir.filePath(QStringLiteral("profond.png")))->image();
        QVERIFY(shallow.depth() == 32 && shallow.pixelColor(1, 1).alpha() == 0);
        QVERIFY(!PictureFile::load(written(dir, "faux.jpg", "pas une image")));
        QVERIFY(!PictureFile::load(dir.filePath(QStringLiteral("absent.png"))));

        // A metafile is a drawing of its header's size: here white, its left half red (window
        // origin and extent; a white and a red brush, no pen; two rectangles).
        const QList<QList<quint16>> redHalf = {{0x020B, 0, 0},
                                               {0x020C, 500, 1000},
                                               {0x02FC, 0, 0xFFFF, 0x00FF, 0},
                                               {0x02FC, 0, 0x00FF, 0, 0},
                                               {0x02FA, 5, 0, 0, 0, 0},
                                               {0x012D, 2},
                                               {0x012D, 0},
                                               {0x041B, 500, 1000, 0, 0},
                                               {0x012D, 1},
                                               {0x041B, 500, 500, 0, 0}};
        const std::optional<Picture> drawing =
            PictureFile::load(written(dir, "logo.wmf", metafile(redHalf)));
        QVERIFY(drawing && drawing->isVector());
        QCOMPARE(drawing->naturalSize(), QSizeF(1440, 720));
        QImage image(300, 150, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        drawing->paint(painter, QRectF(0, 0, 300, 150));
        painter.end();
        QCOMPARE(QColor(image.pixel(75, 75)), QColor(Qt::red));
        QCOMPARE(QColor(image.pixel(225, 75)), QColor(Qt::white));

        // A metafile's own picture stays in the drawing, never in a file beside it: one red
        // pixel stretched over the metafile, its header, then its row.
        QList<quint16> pixel = {0x0F43, 0x0020, 0x00CC, 0, 1, 1, 0, 0, 500, 1000, 0, 0};
        pixel += {40, 0, 1, 0, 1, 0, 1, 24, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        pixel += {0x0000, 0x00FF};
        const QString framed = written(dir, "cadre.wmf", metafile({pixel}));
        const QStringList files = QDir(dir.path()).entryList(QDir::Files);
        QVERIFY(PictureFile::load(framed));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), files);

        // Written as BMP, a drawing has its natural size in screen pixels; see-through parts
        // become white (tst_headless reads the 24 bits a pixel of the file).
        const QString bmp = dir.filePath(QStringLiteral("logo.bmp"));
        QVERIFY(BmpFile::write(drawing->toImage(), bmp));
        const QImage saved(bmp);
        QCOMPARE(saved.size(), QSize(96, 48));
        QCOMPARE(QColor(saved.pixel(20, 20)), QColor(Qt::red));
        QImage glass(4, 4, QImage::Format_ARGB32);
        glass.fill(Qt::transparent);
        QVERIFY(BmpFile::write(glass, bmp));
        QCOMPARE(QColor(QImage(bmp).pixel(1, 1)), QColor(Qt::white));
        QVERIFY(!BmpFile::write(glass, dir.filePath(QStringLiteral("absent/logo.bmp"))));
    }
};

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
