// SPDX-License-Identifier: GPL-3.0-or-later
#include "JewelCaseDocument.h"
#include "PrinterCorrection.h"
#include "SheetOverlay.h"
#include "SheetRenderer.h"

#include <QImage>
#include <QSettings>
#include <QStandardPaths>
#include <QtTest>

namespace {

// Most checks read a 96-dpi picture, 15 twips a pixel.
QRgb at(const QImage& image, double xTwips, double yTwips)
{
    return image.pixel(int(xTwips / 15), int(yTwips / 15));
}

// A one-pixel line at this x lands on the pixel either side of an exact pixel edge.
bool lineAt(const QImage& image, double xTwips, double yTwips)
{
    return qGray(at(image, xTwips, yTwips)) < 50 || qGray(at(image, xTwips - 15, yTwips)) < 50;
}

// Dark pixels (text ink) inside a rectangle of twips, its edges left out.
int inkIn(const QImage& image, const QRectF& twips)
{
    int count = 0;
    for (int y = int(twips.top() / 15) + 2; y <= int(twips.bottom() / 15) - 2; ++y) {
        for (int x = int(twips.left() / 15) + 2; x <= int(twips.right() / 15) - 2; ++x)
            count += qGray(image.pixel(x, y)) < 100 ? 1 : 0;
    }
    return count;
}

// A visible black text, 3000 × 400 twips, in front of the others.
TextElement& addText(JewelCaseDocument& document, int face, QPointF topLeft, const char* caption)
{
    Face& target = document.faces[std::size_t(face)];
    TextElement& element = target.loadText(target.highestIndex() + 1);
    element.setAutoSize(false);
    element.setCaption(QString::fromUtf8(caption));
    element.setRect(QRectF(topLeft, QSizeF(3000, 400)));
    element.visible = true;
    element.foreColor = OleColors::black;
    document.bringToFront(element);
    return element;
}

} // namespace

class TestSheetRenderer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A printer's correction is kept under its own name ("/" in it included), and what a
    // hand-edited settings file holds is brought back within its ranges, to 0.1.
    void aPrintersCorrectionIsKeptByItsName()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("jaskelcd-tests"));
        QSettings().clear();
        const PrinterCorrection set{101.04, 99.5, -2.5, 30};
        PrinterCorrection::remember(QStringLiteral("bureau/étage"), set);
        QCOMPARE(PrinterCorrection::of(QStringLiteral("bureau/étage")),
                 (PrinterCorrection{101, 99.5, -2.5, 20}));
        QVERIFY(PrinterCorrection::of(QStringLiteral("bureau")).isNone());
        QSettings settings;
        for (const QString& key : settings.allKeys())
            settings.setValue(key, key.endsWith("scaleX") ? QVariant("abc") : QVariant(-1e9));
        settings.sync();
        QCOMPARE(PrinterCorrection::of(QStringLiteral("bureau/étage")),
                 (PrinterCorrection{100, 95, -20, -20}));
        PrinterCorrection::remember(QStringLiteral("bureau/étage"), PrinterCorrection());
        QVERIFY(QSettings().allKeys().isEmpty());
        // The correction in a printer's dots: 1 % wider about the corner, then 2 mm right.
        const PrinterCorrection wider{101, 100, 2, 0};
        QCOMPARE(wider.transform(254, 254).map(QPointF(1000, 500)), QPointF(1030, 500));
    }

    void facesLandAtTheSameTwipsAtAnyResolution()
    {
        const JewelCaseDocument document; // laid out by itself, with no window anywhere
        // Along a row across the faces every dark pixel is a one-pixel border, and each border
        // (the faces' and spines' left and right edges) is found at its own twips, within one
        // device pixel, at both resolutions.
        const QList<std::pair<int, QList<double>>> sheets = {
            {RectoSheet, {0, 6803.15, 6818.15, 13621.3}}, {DosSheet, {0, 340, 8191.97, 8531.97}}};
        for (const auto& [sheet, borders] : sheets) {
            for (const double dpi : {96.0, 300.0}) {
                const QImage image = SheetRenderer::image(document, sheet, dpi);
                const double pixel = 1440 / dpi; // in twips
                QList<double> unseen = borders;
                for (int x = 0; x < image.width(); ++x) {
                    const auto near = [&](double edge) { return qAbs(edge - x * pixel) <= pixel; };
                    if (qGray(image.pixel(x, int(3000 / pixel))) < 128) {
                        QVERIFY2(std::ranges::any_of(borders, near),
                                 qPrintable(QString::number(x * pixel)));
                        unseen.removeIf(near);
                    }
                }
                QVERIFY2(unseen.isEmpty(), qPrintable(QString::number(unseen.value(0))));
            }
        }

        // render() paints from the origin it is given, on any device, and only real sheets.
        QImage image(1100, 600, QImage::Format_RGB32);
        image.setDotsPerMeterX(3780); // 96 dpi: 1500 × 750 twips are 100 × 50 pixels
        image.setDotsPerMeterY(3780);
        image.fill(Qt::magenta);
        QVERIFY(SheetRenderer::render(image, document, RectoSheet, nullptr, QPointF(1500, 750)));
        for (const QPoint outside : {QPoint(99, 200), QPoint(300, 49), QPoint(1018, 200)})
            QCOMPARE(image.pixel(outside), QColor(Qt::magenta).rgb());
        // The Recto's left and top borders, and inside it.
        QVERIFY(qGray(image.pixel(100, 200)) == 0 && qGray(image.pixel(300, 50)) == 0);
        QCOMPARE(image.pixel(300, 200), QColor(Qt::white).rgb());
        const QImage before = image;
        for (int sheet : {-1, 2})
            QVERIFY(!SheetRenderer::render(image, document, sheet) &&
                    SheetRenderer::image(document, sheet, 96).isNull());
        QCOMPARE(image, before);
    }

    void facesTextsAndOverlayPaintWithTheirOwnLook()
    {
        JewelCaseDocument document;
        document.faces[Face::Verso].color = document.faces[Face::Dos].color = 0x000000FF; // red
        document.dosSheet().backColor = 0x0000FF00; // green, around the Dos
        const TextElement& left = addText(document, Face::Recto, {1500, 1000}, "Gauche");
        TextElement& right = addText(document, Face::Recto, {1500, 2000}, "Droite");
        right.alignment = Alignment::Right;
        TextElement& centred = addText(document, Face::Recto, {1500, 5000}, "Milieu");
        centred.alignment = Alignment::Centre;
        TextElement& opaque = addText(document, Face::Recto, {1500, 3000}, "Fond");
        opaque.backStyle = BackStyle::Opaque;
        opaque.backColor = 0x0000FF00; // green
        addText(document, Face::Recto, {1500, 4000}, "Caché").visible = false;
        addText(document, Face::Dos, {2000, 1000}, "").borderStyle = BorderStyle::Single;

        const QImage dos = SheetRenderer::image(document, DosSheet, 96);
        QCOMPARE(at(dos, 170, 3000), QColor(Qt::green).rgb());       // inside a spine
        QVERIFY(lineAt(dos, 2000, 1200) && lineAt(dos, 5000, 1200)); // the bordered text
        QCOMPARE(at(dos, 3500, 1200), QColor(Qt::red).rgb());        // its back transparent

        QImage image = SheetRenderer::image(document, RectoSheet, 96);
        // Of a text 3000 twips wide, the left and right halves; a centred one only in its middle.
        QVERIFY(inkIn(image, left.rect().adjusted(0, 0, -1500, 0)) > 0);
        QCOMPARE(inkIn(image, left.rect().adjusted(1500, 0, 0, 0)), 0);
        QCOMPARE(inkIn(image, right.rect().adjusted(0, 0, -1500, 0)), 0);
        QVERIFY(inkIn(image, right.rect().adjusted(1500, 0, 0, 0)) > 0);
        QVERIFY(inkIn(image, centred.rect().adjusted(0, 0, -2250, 0)) == 0 &&
                inkIn(image, centred.rect().adjusted(1000, 0, -1000, 0)) > 0 &&
                inkIn(image, centred.rect().adjusted(2250, 0, 0, 0)) == 0);
        QCOMPARE(at(image, 4400, 3200), QColor(Qt::green).rgb());
        QCOMPARE(inkIn(image, QRectF(1500, 4000, 3000, 400)), 0); // the hidden text
        QVERIFY(!lineAt(image, 4500, 1200));                      // no border unless asked for

        // An exported picture shows no overlay; a window paints it over the sheet.
        SheetOverlay overlay;
        overlay.bar = QRectF(10000, 0, AlignmentBar::width, 6803.15);
        overlay.marks.frame = QRectF(7500, 3000, 1500, 600);
        overlay.marks.handles[2] = QRectF(8955, 2955, 90, 90); // the top-right one, 90 twips wide
        overlay.marks.frameVisible = overlay.marks.handlesVisible = true;
        QCOMPARE(at(image, 9000, 3000), QColor(Qt::red).rgb());
        QVERIFY(SheetRenderer::render(image, document, RectoSheet, &overlay));
        QCOMPARE(at(image, 10037, 2000), QColor(Qt::yellow).rgb()); // AlignmentBar::colour
        QVERIFY(lineAt(image, 7500, 3450));                         // the frame's left edge
        QCOMPARE(at(image, 9000, 3000), QColor(Qt::white).rgb());   // inside the handle
        overlay.barVisible = false;
        QVERIFY(SheetRenderer::render(image, document, RectoSheet, &overlay));
        QCOMPARE(at(image, 10037, 2000), QColor(Qt::red).rgb());

        // The text in front covers the one behind.
        TextElement& cover = addText(document, Face::Recto, {1500, 1000}, "");
        cover.backStyle = BackStyle::Opaque;
        cover.backColor = OleColors::white;
        QCOMPARE(inkIn(SheetRenderer::image(document, RectoSheet, 96), left.rect()), 0);
        document.sendToBack(cover);
        QVERIFY(inkIn(SheetRenderer::image(document, RectoSheet, 96), left.rect()) > 0);
    }
};

QTEST_MAIN(TestSheetRenderer)
#include "tst_sheetrenderer.moc"
