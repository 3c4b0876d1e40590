// SPDX-License-Identifier: GPL-3.0-or-later
#include "BmpFile.h"
#include "ClipboardPicture.h"
#include "CoverFile.h"
#include "FileContents.h"
#include "JewelCaseDocument.h"
#include "JpegDecoder.h"
#include "Metafile.h"
#include "PictureFile.h"
#include "PicturePlacement.h"
#include "PictureReadAhead.h"
#include "PrintedSheet.h"
#include "SaneScanner.h"
#include "SaneTestScanner.h"
#include "ScriptedPrompter.h"

#include <QBuffer>
#include <QClipboard>
#include <QDataStream>
#include <QDir>
#include <QGuiApplication>
#include <QImageReader>
#include <QImageWriter>
#include <QMimeData>
#include <QPainter>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdio> // jpeglib.h needs FILE and size_t declared first
#include <cstdlib>
#include <jpeglib.h>
#include <vector>

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
    const quint16 objects = 8;
    out << checksum << quint16(1) << quint16(9) << quint16(0x0300) << words << objects << largest
        << quint16(0);
    for (const QList<quint16>& record : records) {
        out << quint32(2 + record.size());
        for (const quint16 word : record)
            out << word;
    }
    return bytes;
}

// Bytes as a record's 16-bit words, the last one padded.
QList<quint16> words(QByteArray bytes)
{
    if (bytes.size() % 2)
        bytes.append('\0');
    QList<quint16> result;
    for (qsizetype i = 0; i < bytes.size(); i += 2)
        result.append(quint16(uchar(bytes[i]) | uchar(bytes[i + 1]) << 8));
    return result;
}

// A DIB of 2 × 2 pixels, 24 bits each, its rows from the bottom: blue and green below, red
// and yellow above.
QList<quint16> smallBitmap()
{
    QByteArray dib;
    QDataStream out(&dib, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint32(40) << qint32(2) << qint32(2) << quint16(1) << quint16(24) << quint32(0)
        << quint32(16) << qint32(0) << qint32(0) << quint32(0) << quint32(0);
    for (const char* row : {"\xFF\x00\x00\x00\xFF\x00\x00\x00", "\x00\x00\xFF\x00\xFF\xFF\x00\x00"})
        out.writeRawData(row, 8);
    return words(dib);
}

// A drawing in a window of 1000 × 500 units, its background left see-through (the mode that
// some converters take for half-transparent fills): a red circle (20–320, 20–320) with a
// black outline 20 units wide; a rectangle (550–950, 50–250) hatched in blue with a green
// outline 60 wide; a red triangle and the upper half of a disc (300–500, 300–500), without
// outline; the small bitmap stretched over 350–510 × 20–180; "HH" in bold black letters 120
// units high at (20, 350).
QByteArray drawingMetafile(bool withBitmapAndHatch = true)
{
    QList<QList<quint16>> records = {
        {0x020B, 0, 0},                     // SETWINDOWORG
        {0x020C, 500, 1000},                // SETWINDOWEXT
        {0x0102, 1},                        // SETBKMODE TRANSPARENT
        {0x02FC, 0, 0x00FF, 0x0000, 0},     // 0: solid red brush
        {0x02FA, 0, 20, 0, 0x0000, 0x0000}, // 1: black pen, 20 wide
        {0x012D, 0},
        {0x012D, 1},
        {0x0418, 320, 320, 20, 20},         // ELLIPSE
        {0x02FC, 2, 0x0000, 0x00FF, 0},     // 2: blue horizontal hatch
        {0x02FA, 0, 60, 0, 0xFF00, 0x0000}, // 3: green pen, 60 wide
        {0x012D, 2},
        {0x012D, 3},
        {0x041B, 250, 950, 50, 550}, // RECTANGLE
        {0x02FA, 5, 0, 0, 0, 0},     // 4: no pen
        {0x012D, 0},
        {0x012D, 4},
        {0x0324, 3, 550, 480, 750, 320, 950, 480},        // POLYGON
        {0x081A, 400, 300, 400, 500, 500, 500, 300, 300}, // PIE, right to left
        {0x0209, 0x0000, 0x0000},                         // SETTEXTCOLOR black
    };
    if (!withBitmapAndHatch)
        records.remove(8, 5);
    QList<quint16> font = {0xFF88, 0, 0, 0, 700, 0, 0, 0, 0}; // 120 high, bold
    font += words("Arial");
    records.append(QList<quint16>{0x02FB} + font); // 5: the font
    records.append({0x012D, 5});
    records.append(QList<quint16>{0x0521, 2} + words("HH") + QList<quint16>{350, 20}); // TEXTOUT
    if (withBitmapAndHatch) {
        // STRETCHDIB: copy, the whole bitmap onto 160 × 160 units at (350, 20).
        records.append(QList<quint16>{0x0F43, 0x0020, 0x00CC, 0, 2, 2, 0, 0, 160, 160, 20, 350} +
                       smallBitmap());
    }
    return metafile(records);
}

// The drawing painted over an image 600 × 300 (0.6 pixel a unit) on white.
QImage painted(const Picture& picture)
{
    QImage image(600, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    picture.paint(painter, QRectF(0, 0, 600, 300));
    return image;
}

QColor unitAt(const QImage& image, double x, double y)
{
    return image.pixelColor(int(x * 0.6), int(y * 0.6));
}

// The path of a file of `dir` holding `bytes`.
QString written(const QTemporaryDir& dir, const char* name, const QByteArray& bytes)
{
    const QString path = dir.filePath(QLatin1String(name));
    return writeAll(path, bytes) ? path : QString();
}

// A picture whose corners, halves and gradients show any turn or flip: red top left, blue top
// right, green bottom left, and shades across.
QImage quadrants(const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const bool right = x >= size.width() / 2, bottom = y >= size.height() / 2;
            const int shade = 40 * x / size.width() + 40 * y / size.height();
            image.setPixel(x, y,
                           bottom ? (right ? qRgb(200, 200, shade) : qRgb(shade, 200, 40))
                                  : (right ? qRgb(shade, 40, 200) : qRgb(200, 40 + shade, 40)));
        }
    return image;
}

QByteArray jpegOf(const QImage& image, bool progressive = false)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(90);
    writer.setProgressiveScanWrite(progressive);
    return writer.write(image) ? bytes : QByteArray();
}

// `jpeg` with an EXIF segment that says `orientation` (1 to 8), right after its start.
QByteArray withOrientation(QByteArray jpeg, quint16 orientation)
{
    QByteArray exif("\xFF\xE1", 2);
    QDataStream out(&exif, QIODevice::Append); // big-endian, as the segment and its TIFF data
    out << quint16(34);
    out.writeRawData("Exif\0\0MM\0\x2A", 10);
    // The first directory at 8: one entry, the orientation (a SHORT), then no next directory.
    out << quint32(8) << quint16(1) << quint16(0x0112) << quint16(3) << quint32(1) << orientation
        << quint16(0) << quint32(0);
    return jpeg.insert(2, exif);
}

// A CMYK file, as a printer's scan or a page from a layout program is, written by libjpeg.
QByteArray cmykJpeg(const QSize& size)
{
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long length = 0;
    jpeg_mem_dest(&info, &out, &length);
    info.image_width = JDIMENSION(size.width());
    info.image_height = JDIMENSION(size.height());
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(size_t(size.width()) * 4);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const bool right = x >= size.width() / 2, bottom = y >= size.height() / 2;
            JSAMPLE* pixel = &row[size_t(x) * 4];
            pixel[0] = right ? 220 : 20;
            pixel[1] = bottom ? 200 : 30;
            pixel[2] = JSAMPLE(x * 255 / size.width());
            pixel[3] = 10;
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    const QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(length));
    std::free(out);
    return bytes;
}

// Two pictures of one size whose channels differ by 2 at most (libjpeg's versions round alike).
bool alike(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.isNull())
        return false;
    const QImage first = a.convertToFormat(QImage::Format_RGB32);
    const QImage second = b.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < first.height(); ++y)
        for (int x = 0; x < first.width(); ++x) {
            const QRgb p = first.pixel(x, y), q = second.pixel(x, y);
            if (std::max({qAbs(qRed(p) - qRed(q)), qAbs(qGreen(p) - qGreen(q)),
                          qAbs(qBlue(p) - qBlue(q))}) > 2)
                return false;
        }
    return true;
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

    // The pictures a cover names, read ahead on another thread while the cover is opened,
    // are the cover's own: one picture a file, the same pixels.
    void picturesReadAheadAreTheCoversOwn()
    {
        QTemporaryDir dir;
        QImage halves(800, 600, QImage::Format_RGB32);
        halves.fill(Qt::red);
        QPainter(&halves).fillRect(400, 0, 400, 600, Qt::blue);
        JewelCaseDocument document;
        document.rectoImagePath = dir.filePath(QStringLiteral("photo.jpg"));
        document.versoImagePath = dir.filePath(QStringLiteral("absente.jpg"));
        document.dosImagePath = dir.filePath(QStringLiteral("fond.bmp"));
        document.logoImagePath = dir.filePath(QStringLiteral("logo.png"));
        QVERIFY(halves.save(document.rectoImagePath, "jpeg", 95));
        QVERIFY(halves.save(document.dosImagePath) && halves.save(document.logoImagePath));
        ScriptedPrompter prompter;
        const QString cover = dir.filePath(QStringLiteral("jaquette.jkcd"));
        QVERIFY(CoverFile::save(document, cover, prompter));
        QCOMPARE(CoverFile::picturePaths(cover),
                 QStringList({document.rectoImagePath, document.versoImagePath,
                              document.dosImagePath, document.logoImagePath}));

        const int limit = QImageReader::allocationLimit();
        for (const bool openedFirst : {false, true}) {
            JewelCaseDocument opened;
            {
                PictureReadAhead readAhead(cover);
                if (openedFirst)
                    CoverFile::open(opened, cover, prompter);
                readAhead.decodeFor(QSize(1000, 1000));
                if (!openedFirst)
                    CoverFile::open(opened, cover, prompter);
                readAhead.release();
            }
            const Picture& photo = opened.faces[Face::Recto].background.picture;
            QVERIFY(photo == *PictureFile::load(document.rectoImagePath));
            QVERIFY(opened.faces[Face::Dos].background.picture ==
                    *PictureFile::load(document.dosImagePath));
            QImage face(80, 60, QImage::Format_RGB32);
            QPainter painter(&face);
            photo.paint(painter, face.rect());
            painter.end();
            QVERIFY(face.pixelColor(10, 30).red() > 200 && face.pixelColor(70, 30).blue() > 200);
            // Readings on two threads leave Qt's limit as it was.
            QCOMPARE(QImageReader::allocationLimit(), limit);
        }
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

        // What cannot be read is said, as the covers say it.
        ScriptedPrompter prompter;
        const QString empty = written(dir, "vide.png", QByteArray());
        QVERIFY(!PictureFile::loadOrTell(empty, prompter));
        QCOMPARE(prompter.last().text, QStringLiteral("Le fichier image ") + empty +
                                           QStringLiteral(" ne peut pas être lu !"));
        QCOMPARE(prompter.last().title, QStringLiteral("Erreur"));
        QCOMPARE(prompter.last().icon, Prompter::Icon::Exclamation);
        QVERIFY(PictureFile::patterns().contains(QStringLiteral("*.png")));
        QVERIFY(PictureFile::patterns().contains(QStringLiteral("*.JPG")));
    }

    // A raster picture on a screen is drawn from a copy of its place's size, pixel for pixel,
    // where the place is, on an ordinary screen and a high-density one (two pixels a unit);
    // a JPEG, which is decoded for the place, as any picture.
    void rasterPicturesFillTheirPlace()
    {
        QTemporaryDir dir;
        QImage halves(400, 200, QImage::Format_RGB32);
        halves.fill(Qt::red);
        QPainter(&halves).fillRect(200, 0, 200, 200, Qt::blue);
        const QString path = dir.filePath(QStringLiteral("moities.jpg"));
        QVERIFY(halves.save(path, "jpeg", 95));
        const std::optional<Picture> jpeg = PictureFile::load(path);
        QVERIFY(jpeg);
        for (const Picture& picture : {*jpeg, Picture::fromImage(halves)}) {
            for (const double ratio : {1.0, 2.0}) {
                QImage screen(QSize(200, 100) * ratio, QImage::Format_RGB32);
                screen.setDevicePixelRatio(ratio);
                screen.fill(Qt::white);
                QPainter painter(&screen);
                painter.translate(10.25, 20.5);
                picture.paint(painter, QRectF(0, 0, 100, 50));
                painter.end();
                const auto at = [&](double x, double y) {
                    return screen.pixelColor(int(x * ratio), int(y * ratio));
                };
                const QString where =
                    QStringLiteral("%1 a unit, %2 pixels").arg(ratio).arg(picture.image().width());
                QVERIFY2(at(13, 25).red() > 200 && at(13, 25).blue() < 60, qPrintable(where));
                QVERIFY2(at(107, 67).blue() > 200 && at(107, 67).red() < 60, qPrintable(where));
                QVERIFY2(at(113, 25) == Qt::white && at(50, 73) == Qt::white, qPrintable(where));
                QVERIFY2(at(8, 25) == Qt::white && at(50, 18) == Qt::white, qPrintable(where));
            }
        }
    }

    void largePicturesAreReadReduced()
    {
        // No output shows more than the widest face at 1200 dpi; a picture keeps its own size.
        QCOMPARE(PictureFile::largestSide(), 6544);
        QTemporaryDir dir;
        struct Row {
            const char* name;
            QSize size;
            QImage::Format format;
            bool reads;
        };
        const QList<Row> rows = {
            // A camera's 24 megapixels, read whole when asked whole.
            {"photo.jpg", QSize(6000, 4000), QImage::Format_RGB32, true},
            // The largest scan read: decoded whole in its own format, then reduced.
            {"scan.png", QSize(16000, 16000), QImage::Format_Mono, true},
            // A side longer than any picture is read with.
            {"affiche.png", QSize(16001, 8), QImage::Format_Mono, false},
        };
        for (const Row& row : rows) {
            const QString path = dir.filePath(QLatin1String(row.name));
            {
                QImage image(row.size, row.format);
                if (row.format == QImage::Format_RGB32)
                    image.fill(Qt::darkCyan);
                else {
                    image.setColorTable({qRgb(0, 128, 128), qRgb(0, 0, 0)});
                    image.fill(0);
                }
                QVERIFY(image.save(path));
            }
            const std::optional<Picture> loaded = PictureFile::load(path);
            QVERIFY2(bool(loaded) == row.reads, row.name);
            if (!loaded)
                continue;
            QCOMPARE(loaded->naturalSize(), QSizeF(row.size) * 15);
            const QSize read = loaded->image().size();
            QCOMPARE(qMax(read.width(), read.height()),
                     qMin(PictureFile::largestSide(), qMax(row.size.width(), row.size.height())));
            QVERIFY2(
                qAbs(QColor(loaded->image().pixel(read.width() / 2, read.height() / 2)).green() -
                     128) < 8,
                row.name);
        }
    }

    // JPEG files are decoded by libjpeg straight into the painters' pixels, as Qt's reader
    // gives them (turned by their EXIF orientation too), at the smallest of an eighth, a
    // quarter, half or the whole that covers the size asked; what libjpeg does not give as RGB
    // (CMYK) is left to Qt's reader.
    void jpegFilesDecodeAsQtReadsThem_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("asked");   // as shown; an empty size: the whole picture
        QTest::addColumn<QSize>("decoded"); // what the decoder gives; invalid: Qt's reader
        QTest::addColumn<bool>("likeQt");   // the same pixels as Qt's reader, whole
        const QImage photo = quadrants(QSize(403, 241));
        const QByteArray colour = jpegOf(photo);
        QTest::newRow("colour") << colour << QSize() << QSize(403, 241) << true;
        QTest::newRow("grey") << jpegOf(photo.convertToFormat(QImage::Format_Grayscale8)) << QSize()
                              << QSize(403, 241) << true;
        QTest::newRow("progressive") << jpegOf(photo, true) << QSize() << QSize(403, 241) << true;
        QTest::newRow("CMYK, by Qt") << cmykJpeg(QSize(120, 80)) << QSize() << QSize() << true;
        // A file cut short: what was decoded, the rest grey, as Qt gives it.
        QTest::newRow("cut short")
            << colour.left(colour.size() / 2) << QSize() << QSize(403, 241) << true;
        QTest::newRow("not a JPEG") << QByteArray(4000, '\x5A').prepend("\xFF\xD8\xFF\xDB")
                                    << QSize() << QSize(0, 0) << false;
        // Reduced: an eighth of 403 x 241 is 51 x 31, a quarter 101 x 61, half 202 x 121.
        QTest::newRow("an eighth") << colour << QSize(51, 31) << QSize(51, 31) << false;
        QTest::newRow("a quarter, one more pixel across")
            << colour << QSize(52, 31) << QSize(101, 61) << false;
        QTest::newRow("half, one more row") << colour << QSize(101, 62) << QSize(202, 121) << false;
        QTest::newRow("whole, a pixel more than half")
            << colour << QSize(203, 10) << QSize(403, 241) << false;
        QTest::newRow("never more than its own")
            << colour << QSize(1000, 1000) << QSize(403, 241) << false;
        // The EXIF orientations; from 5 on, the picture is shown turned a quarter.
        for (quint16 orientation = 1; orientation <= 8; ++orientation) {
            const QSize shown = orientation >= 5 ? QSize(241, 403) : QSize(403, 241);
            QTest::addRow("orientation %d", orientation)
                << withOrientation(colour, orientation) << QSize() << shown << true;
        }
        // Turned, a quarter asked as shown is a quarter of the file's own rows and columns.
        QTest::newRow("orientation 6, a quarter")
            << withOrientation(colour, 6) << QSize(61, 101) << QSize(61, 101) << false;
    }

    void jpegFilesDecodeAsQtReadsThem()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, asked);
        QFETCH(QSize, decoded);
        QFETCH(bool, likeQt);
        QVERIFY(!bytes.isEmpty());
        QBuffer buffer(&bytes);
        QImageReader qt(&buffer, "jpeg");
        qt.setAutoTransform(true);
        const QImage byQt = qt.read();
        const QImageIOHandler::Transformations shown = qt.transformation();
        const QSize whole = shown & QImageIOHandler::TransformationRotate90
                                ? QSize(byQt.height(), byQt.width())
                                : byQt.size();
        const std::optional<QImage> ours =
            JpegDecoder::decode(bytes, asked.isEmpty() ? whole : asked, shown);
        QCOMPARE(bool(ours), decoded.isValid());
        if (ours) {
            QCOMPARE(ours->size(), decoded);
            QVERIFY(ours->isNull() || ours->format() == QImage::Format_RGB32);
        }
        if (likeQt && ours)
            QVERIFY(alike(*ours, byQt));
        if (ours && !ours->isNull() && !likeQt) {
            // Reduced, it is the picture as Qt shows it, resampled (the corners' colours).
            const QImage reference =
                byQt.scaled(decoded, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            for (const QPoint& corner :
                 {QPoint(2, 2), QPoint(decoded.width() - 3, 2), QPoint(2, decoded.height() - 3)}) {
                const QColor a = ours->pixelColor(corner), b = reference.pixelColor(corner);
                QVERIFY2(qAbs(a.red() - b.red()) + qAbs(a.green() - b.green()) +
                                 qAbs(a.blue() - b.blue()) <
                             40,
                         qPrintable(a.name() + " " + b.name()));
            }
        }
        // A file picture shows the same, whole, and at its size, through either decoder.
        if (likeQt) {
            QTemporaryDir dir;
            const std::optional<Picture> picture = PictureFile::load(written(dir, "p.jpg", bytes));
            QVERIFY(picture);
            QCOMPARE(picture->pixelSize(), byQt.size());
            QVERIFY(alike(picture->image(), byQt));
        }
    }

    void metafilesAreDrawnAsWindowsDrawsThem()
    {
        const std::optional<Picture> drawing = Metafile::read(drawingMetafile());
        QVERIFY(drawing && drawing->isVector());
        QCOMPARE(drawing->naturalSize(), QSizeF(1440, 720));
        const QImage image = painted(*drawing);
        struct Point {
            double x, y;
            QColor colour;
            const char* what;
        };
        const QList<Point> points = {
            {170, 170, Qt::red, "the circle, filled opaque"},
            {170 + 135, 170, Qt::red, "the circle inside its outline"},
            {170 + 150, 170, Qt::black, "the circle's outline"},
            {170, 170 - 150, Qt::black, "the circle's outline, above"},
            {170 + 166, 170, Qt::white, "beyond the outline"},
            {550, 150, Qt::green, "the rectangle's wide outline"},
            {550 - 25, 150, Qt::green, "the wide outline, outside its edge"},
            {550 - 40, 150, Qt::white, "beyond the wide outline"},
            {750, 450, Qt::red, "the triangle"},
            {560, 470, Qt::white, "beside the triangle"},
            {400, 350, Qt::red, "the pie, drawn counter-clockwise"},
            {400, 450, Qt::white, "below the pie"},
            {390, 60, Qt::red, "the bitmap's top left pixel"},
            {470, 60, Qt::yellow, "its top right one"},
            {390, 140, Qt::blue, "its bottom left one"},
            {470, 140, Qt::green, "its bottom right one"},
        };
        for (const Point& point : points)
            QVERIFY2(unitAt(image, point.x, point.y) == point.colour, point.what);

        // The hatch: blue lines across the rectangle, the paper between them.
        int blue = 0;
        int paper = 0;
        for (int y = int(90 * 0.6); y < int(210 * 0.6); ++y) {
            const QColor colour = image.pixelColor(int(750 * 0.6), y);
            blue += colour == Qt::blue;
            paper += colour == Qt::white;
            QVERIFY(colour == Qt::blue || colour == Qt::white);
        }
        QVERIFY(blue >= 5 && paper > blue);

        // The text: dark strokes where "HH" stands, none past its end.
        int dark = 0;
        for (int y = int(360 * 0.6); y < int(470 * 0.6); ++y)
            for (int x = int(20 * 0.6); x < int(320 * 0.6); ++x)
                dark += qGray(image.pixel(x, y)) < 100;
        QVERIFY(dark > 300);
        QVERIFY(unitAt(image, 30, 340) == Qt::white);

        // The metafile's window, not the header, is what fills the picture: its right half here.
        const QImage half = painted(*Metafile::read(metafile({{0x020B, 100, 100},
                                                              {0x020C, 100, 200},
                                                              {0x02FC, 0, 0x00FF, 0x0000, 0},
                                                              {0x02FA, 5, 0, 0, 0, 0},
                                                              {0x012D, 0},
                                                              {0x012D, 1},
                                                              {0x041B, 200, 300, 100, 200}})));
        QCOMPARE(half.pixelColor(310, 10), QColor(Qt::red));
        QCOMPARE(half.pixelColor(590, 290), QColor(Qt::red));
        QCOMPARE(half.pixelColor(290, 150), QColor(Qt::white));

        // Written as BMP, a drawing has its natural size in screen pixels; see-through parts
        // become white (tst_headless reads the 24 bits a pixel of the file).
        QTemporaryDir dir;
        const QString bmp = dir.filePath(QStringLiteral("logo.bmp"));
        QVERIFY(BmpFile::write(drawing->toImage(), bmp));
        const QImage saved(bmp);
        QCOMPARE(saved.size(), QSize(96, 48));
        QCOMPARE(QColor(saved.pixel(16, 16)), QColor(Qt::red));
        QCOMPARE(QColor(saved.pixel(93, 45)), QColor(Qt::white));
        QImage glass(4, 4, QImage::Format_ARGB32);
        glass.fill(Qt::transparent);
        QVERIFY(BmpFile::write(glass, bmp));
        QCOMPARE(QColor(QImage(bmp).pixel(1, 1)), QColor(Qt::white));
        QVERIFY(!BmpFile::write(glass, dir.filePath(QStringLiteral("absent/logo.bmp"))));
    }

    void brokenMetafilesStopAtOnce()
    {
        QTemporaryDir dir;
        // A bitmap whose header claims 3.7 GB of itself, which a reader skipping it byte by byte
        // takes seconds over: the drawing comes without it.
        QList<quint16> stretched = {0x0F43, 0x0020, 0x00CC, 0, 2, 2, 0, 0, 500, 1000, 0, 0};
        stretched += smallBitmap();
        stretched[12 + 1] = 0xE100;
        const std::optional<Picture> withoutBitmap =
            PictureFile::load(written(dir, "boucle.wmf", metafile({stretched})));
        QVERIFY(withoutBitmap);
        QCOMPARE(painted(*withoutBitmap).pixelColor(300, 150), QColor(Qt::white));

        const QByteArray drawing = drawingMetafile();
        // Given no time, the player is stopped.
        QVERIFY(!Metafile::read(drawing, std::chrono::milliseconds(0)));
        // Cut short, or with a record longer than the file, it is no picture.
        QVERIFY(!Metafile::read(drawing.left(drawing.size() / 2)));
        QByteArray overlong = drawing;
        overlong[40] = '\xFF';
        overlong[41] = '\xFF';
        QVERIFY(!Metafile::read(overlong));
    }

    // A JPEG or a PNG drawn at its own size goes into a PDF as its file, never decoded, and
    // shows as the file does; one the PDF cannot hold as it is (turned by its EXIF data,
    // transparent) is drawn by Qt's engine.
    void filesGoIntoPdfAsTheyAre_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QImage>("pixels");
        QTest::addColumn<bool>("asItIs");
        QImage colour(120, 80, QImage::Format_RGB32);
        colour.fill(Qt::red);
        QPainter quarters(&colour);
        quarters.fillRect(60, 0, 60, 40, Qt::green);
        quarters.fillRect(0, 40, 60, 40, Qt::blue);
        quarters.fillRect(60, 40, 60, 40, Qt::yellow);
        quarters.end();
        QImage palette = colour.convertToFormat(QImage::Format_Indexed8);
        QImage transparent = colour.convertToFormat(QImage::Format_ARGB32);
        transparent.setPixelColor(0, 0, Qt::transparent);
        QTest::newRow("JPEG, colour") << "couleur.jpg" << colour << true;
        QTest::newRow("JPEG, grey")
            << "gris.jpg" << colour.convertToFormat(QImage::Format_Grayscale8) << true;
        QTest::newRow("JPEG, turned") << "tourne.jpg" << colour << false;
        QTest::newRow("PNG, colour") << "couleur.png" << colour << true;
        QTest::newRow("PNG, 16 bits")
            << "profond.png" << colour.convertToFormat(QImage::Format_RGBX64) << true;
        QTest::newRow("PNG, grey")
            << "gris.png" << colour.convertToFormat(QImage::Format_Grayscale8) << true;
        QTest::newRow("PNG, palette") << "palette.png" << palette << true;
        QTest::newRow("PNG, transparent") << "transparent.png" << transparent << false;
    }

    void filesGoIntoPdfAsTheyAre()
    {
        QFETCH(QString, name);
        QFETCH(QImage, pixels);
        QFETCH(bool, asItIs);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        QVERIFY(pixels.save(path, nullptr, 95));
        QByteArray file = readAll(path);
        if (name.startsWith(QStringLiteral("tourne"))) {
            // EXIF data after the JPEG's start: one entry, the orientation 6 (turned a quarter
            // clockwise to be shown).
            const QByteArray exif = QByteArray("Exif\0\0MM\0\x2a\0\0\0\x08\0\x01", 16) +
                                    QByteArray("\x01\x12\0\x03\0\0\0\x01\0\x06\0\0", 12) +
                                    QByteArray(4, '\0');
            file.insert(2, QByteArray("\xFF\xE1\0", 3) + char(exif.size() + 2) + exif);
            QVERIFY(writeAll(path, file));
        }
        const std::optional<Picture> picture = PictureFile::load(path);
        QVERIFY(picture);
        QImageReader reader(path);
        reader.setAutoTransform(true);
        const QImage shown = reader.read(); // turned as its EXIF data says
        QCOMPARE(picture->pixelSize(), shown.size());
        // At 150 dpi, a dot a pixel.
        const QString pdf = dir.filePath(QStringLiteral("images.pdf"));
        QVERIFY(PrintedSheet::writePdfPages(
            pdf, PrintedSheet::pageLayout(), 150, 1, [&](QPainter& painter, int) {
                picture->paint(painter, QRectF(QPointF(100, 100), shown.size()));
            }));
        QProcess list;
        list.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
        QVERIFY(list.waitForFinished());
        // page num type width height color comp bpc enc ...
        const QStringList image = QString::fromUtf8(list.readAllStandardOutput())
                                      .split('\n')
                                      .value(2)
                                      .simplified()
                                      .split(' ');
        QVERIFY(image.size() > 8);
        const bool jpeg = name.endsWith(QStringLiteral(".jpg"));
        // Qt's engine writes every picture it draws as a JPEG of its own.
        const bool itsFile =
            jpeg ? readAll(pdf).contains(file) : image[8] == QStringLiteral("image");
        QCOMPARE(itsFile, asItIs);
        QCOMPARE(QSize(image[3].toInt(), image[4].toInt()), asItIs ? pixels.size() : shown.size());

        QProcess::execute(QStringLiteral("pdftoppm"), {"-r", "150", "-singlefile", "-png", pdf,
                                                       dir.filePath(QStringLiteral("page"))});
        const QImage page(dir.filePath(QStringLiteral("page.png")));
        for (const QPoint& at :
             {QPoint(20, 15), QPoint(100, 15), QPoint(20, 65), QPoint(100, 65)}) {
            const QPoint turned(at.x() * shown.width() / 120, at.y() * shown.height() / 80);
            const QColor expected = shown.pixelColor(turned);
            const QColor printed = page.pixelColor(turned + QPoint(100, 100));
            QVERIFY2(qAbs(printed.red() - expected.red()) < 16 &&
                         qAbs(printed.green() - expected.green()) < 16 &&
                         qAbs(printed.blue() - expected.blue()) < 16,
                     qPrintable(printed.name() + " for " + expected.name()));
        }
    }

    void metafilesStayVectorInPdf()
    {
        // Paths and text outlines, no picture of pixels: a bitmap record is the only image.
        QTemporaryDir dir;
        for (const bool withBitmap : {false, true}) {
            JewelCaseDocument document;
            PlaceLogo(document, Face::Recto, LogoDisplayMode::FittedToFace, false,
                      *Metafile::read(drawingMetafile(withBitmap)));
            const QString pdf = dir.filePath(QStringLiteral("jaquette.pdf"));
            QVERIFY(PrintedSheet::writePdf(document, {0}, pdf, 1200));
            QFile file(pdf);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll().count("/Subtype /Image"), withBitmap ? 1 : 0);
        }
    }
};

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
