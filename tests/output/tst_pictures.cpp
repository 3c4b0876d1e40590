#include "BmpFile.h"
#include "ClipboardPicture.h"
#include "JewelCaseDocument.h"
#include "PictureFile.h"
#include "PicturePlacement.h"
#include "SaneScanner.h"
#include "SaneTestScanner.h"
#include "SheetRenderer.h"

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

// Its left half filled red.
QByteArray redHalfMetafile()
{
    return metafile({
        // A function, then its parameters.
        {0x020B, 0, 0},                 // window origin
        {0x020C, 500, 1000},            // window extent
        {0x02FC, 0, 0xFFFF, 0x00FF, 0}, // object 0: a white brush
        {0x02FC, 0, 0x00FF, 0, 0},      // object 1: a red brush
        {0x02FA, 5, 0, 0, 0, 0},        // object 2: no pen
        {0x012D, 2},
        {0x012D, 0},
        {0x041B, 500, 1000, 0, 0}, // rectangle: bottom, right, top, left
        {0x012D, 1},
        {0x041B, 500, 500, 0, 0},
    });
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
    return qAbs(a.left() - b.left()) < 0.01 && qAbs(a.top() - b.top()) < 0.01 &&
           qAbs(a.width() - b.width()) < 0.01 && qAbs(a.height() - b.height()) < 0.01;
}

} // namespace

class TestPictures : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void logoModes()
    {
        // The Verso: Left 6818.15, 6803.15 square; a logo 2855 twips square until placed.
        const double fl = 6818.15;
        const QList<std::pair<LogoDisplayMode, QPointF>> modes = {
            {LogoDisplayMode::Free, {fl, 15}},
            {LogoDisplayMode::TopLeft, {fl + 15, 15}},
            {LogoDisplayMode::TopRight, {fl + 6803.15 - 2855 - 15, 15}},
            {LogoDisplayMode::BottomLeft, {fl + 15, 6803.15 - 2855 - 15}},
            {LogoDisplayMode::BottomRight, {fl + 6803.15 - 2855 - 15, 6803.15 - 2855 - 15}},
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

        JewelCaseDocument document;
        ImageSlot& logo = document.faces[Face::Verso].logo;
        const QRectF faceFit(fl + 15, 15, 6803.15 - 30, 6803.15 - 30);
        PlaceLogo(document, Face::Verso, LogoDisplayMode::FittedToFace, false, pixels(100, 50));
        QVERIFY(logo.fittedToFace && logo.visible);
        QVERIFY(near(logo.rect, faceFit));
        // A slot still at the face-fit size becomes 2855 square for a smaller picture.
        PlaceLogo(document, Face::Verso, LogoDisplayMode::TopLeft, false, pixels(100, 50));
        QVERIFY(near(logo.rect, QRectF(fl + 15, 15, 2855, 2855)));
        // Larger than the face in one dimension only: it covers the face, wherever the mode.
        PlaceLogo(document, Face::Verso, LogoDisplayMode::Centred, false, pixels(100, 1000));
        QVERIFY(near(logo.rect, faceFit));
        // Hidden: the picture stays in the slot, the slot hidden and its border unchanged.
        logo.borderStyle = BorderStyle::Single;
        PlaceLogo(document, Face::Verso, LogoDisplayMode::Hidden, false, pixels(10, 10));
        QVERIFY(!logo.visible && !logo.isEmpty());
        QCOMPARE(logo.borderStyle, BorderStyle::Single);
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
        PlaceBackground(document, Face::Recto, 0x00FF0000, BackgroundFitMode::WholeFace,
                        pixels(200, 100));
        QVERIFY(background.visible && background.stretch && background.fittedToFace);
        QVERIFY(near(background.rect, faceFit));
        QCOMPARE(document.faces[Face::Recto].color, OleColor(0x00FF0000));

        // Centred at its own size, 200 × 100 pixels being 3000 × 1500 twips.
        PlaceBackground(document, Face::Recto, OleColors::white,
                        BackgroundFitMode::CentredProportional, pixels(200, 100));
        QVERIFY(!background.stretch && !background.fittedToFace);
        QVERIFY(
            near(background.rect, QRectF((6803.15 - 3000) / 2, (6803.15 - 1500) / 2, 3000, 1500)));
        // Larger than the face, it covers the face as the other mode does.
        PlaceBackground(document, Face::Recto, OleColors::white,
                        BackgroundFitMode::CentredProportional, pixels(500, 200));
        QVERIFY(background.stretch && background.fittedToFace);
        QVERIFY(near(background.rect, faceFit));

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
        QVERIFY(pasted);
        QCOMPARE(pasted->naturalSize(), QSizeF(450, 150));

        // Another picture format the clipboard offers, when it offers no bitmap.
        QByteArray bmp;
        QBuffer buffer(&bmp);
        QVERIFY(buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "BMP"));
        auto* data = new QMimeData;
        data->setData(QStringLiteral("image/x-other"), bmp);
        QGuiApplication::clipboard()->setMimeData(data);
        pasted = ClipboardPicture::read();
        QVERIFY(pasted && pasted->image().width() == 30);

        QGuiApplication::clipboard()->setText(QStringLiteral("Texte"));
        QVERIFY(!ClipboardPicture::read());
        ClipboardPicture::clear();
        QVERIFY(!ClipboardPicture::read());
    }

    void scanningThroughSane()
    {
        // SANE's own test scanner, and no other, from a configuration of the test's own.
        QTemporaryDir withTest;
        QVERIFY(useSaneTestScanner(withTest, "number_of_devices 1\nmode Color\ndepth 8\n"
                                             "test-picture \"Color pattern\"\nresolution 50.0\n"
                                             "br_x 80.0\nbr_y 100.0\n"));
        const std::vector<SaneScanner::Device> found = SaneScanner::devices();
        QVERIFY(!found.empty());
        QVERIFY(found.front().name.startsWith(QStringLiteral("test:")));
        int done = 0;
        const std::optional<QImage> page =
            SaneScanner::scan(QString(), [&](int percent) { return (done = percent) >= 0; });
        QVERIFY(page);
        // 80 × 100 mm at 50 dpi, the test scanner's page.
        QCOMPARE(page->size(), QSize(157, 196));
        QSet<QRgb> colours; // its colour pattern's stripes
        for (int y = 0; y < page->height(); ++y)
            for (int x = 0; x < page->width(); ++x)
                colours.insert(page->pixel(x, y));
        QVERIFY(colours.size() >= 3);
        QCOMPARE(done, 100);
        QVERIFY(!SaneScanner::scan(found.front().name, [](int percent) { return percent < 50; }));
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
        QVERIFY(!PictureFile::load(written(dir, "faux.jpg", "pas une image")));
        QVERIFY(!PictureFile::load(dir.filePath(QStringLiteral("absent.png"))));

        // A metafile is a drawing of its header's size, red where its rectangle is, at any
        // resolution.
        const std::optional<Picture> drawing =
            PictureFile::load(written(dir, "logo.wmf", redHalfMetafile()));
        QVERIFY(drawing && drawing->isVector());
        QCOMPARE(drawing->naturalSize(), QSizeF(1440, 720));
        for (const int dpi : {96, 300}) {
            QImage image(dpi, dpi / 2, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            drawing->paint(painter, QRectF(0, 0, dpi, dpi / 2));
            painter.end();
            QCOMPARE(QColor(image.pixel(dpi / 4, dpi / 4)), QColor(Qt::red));
            QCOMPARE(QColor(image.pixel(3 * dpi / 4, dpi / 4)), QColor(Qt::white));
        }

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
