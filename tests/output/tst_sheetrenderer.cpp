#include "JewelCaseDocument.h"
#include "SheetOverlay.h"
#include "SheetRenderer.h"

#include <QImage>
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
    const int x = int(xTwips / 15);
    const int y = int(yTwips / 15);
    return qGray(image.pixel(x, y)) < 50 || qGray(image.pixel(x - 1, y)) < 50;
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
    void facesLandAtTheSameTwipsAtAnyResolution()
    {
        const JewelCaseDocument document; // laid out by itself, with no window anywhere
        struct Expected {
            int sheet;
            QList<double> borders; // the faces' and spines' left and right edges
            QSize at96, at300;
        };
        const QList<Expected> sheets = {
            {RectoSheet, {0, 6803.15, 6818.15, 13621.3}, {917, 458}, {2863, 1430}},
            {DosSheet, {0, 340, 8191.97, 8531.97}, {575, 450}, {1797, 1407}}};
        // Along a row across the faces every dark pixel is a one-pixel border, and each border
        // is found at its own twips, within one device pixel, at both resolutions.
        for (const Expected& expected : sheets) {
            for (const double dpi : {96.0, 300.0}) {
                const QImage image = SheetRenderer::image(document, expected.sheet, dpi);
                QCOMPARE(image.size(), dpi == 96 ? expected.at96 : expected.at300);
                const double devicePixel = 1440 / dpi;
                const int row = int(3000 / devicePixel);
                QList<double> dark; // in twips
                QString found =
                    QStringLiteral("sheet %1 at %2 dpi, dark at").arg(expected.sheet).arg(dpi);
                for (int x = 0; x < image.width(); ++x) {
                    if (qGray(image.pixel(x, row)) < 128) {
                        dark.append(x * devicePixel);
                        found += QLatin1Char(' ') + QString::number(dark.last());
                    }
                }
                const auto within = [devicePixel](const QList<double>& list, double twips) {
                    return std::any_of(list.begin(), list.end(),
                                       [&](double x) { return qAbs(x - twips) <= devicePixel; });
                };
                for (double border : expected.borders)
                    QVERIFY2(within(dark, border), qPrintable(found));
                for (double x : dark)
                    QVERIFY2(within(expected.borders, x), qPrintable(found));
            }
        }
    }

    void renderPlacesTheSheetAndRefusesOthers()
    {
        const JewelCaseDocument document;
        QImage image(1100, 600, QImage::Format_RGB32);
        image.setDotsPerMeterX(3780); // 96 dpi: 1500 × 750 twips are 100 × 50 pixels
        image.setDotsPerMeterY(3780);
        image.fill(Qt::magenta);
        QVERIFY(SheetRenderer::render(image, document, RectoSheet, nullptr, QPointF(1500, 750)));
        QCOMPARE(image.pixel(99, 200), QColor(Qt::magenta).rgb());
        QCOMPARE(image.pixel(300, 49), QColor(Qt::magenta).rgb());
        QCOMPARE(qGray(image.pixel(100, 200)), 0); // the Recto's left border
        QCOMPARE(qGray(image.pixel(300, 50)), 0);  // its top border
        QCOMPARE(image.pixel(300, 200), QColor(Qt::white).rgb());
        QCOMPARE(image.pixel(1018, 200), QColor(Qt::magenta).rgb()); // right of the sheet

        const QImage before = image;
        for (int sheet : {-1, 2}) {
            QVERIFY(!SheetRenderer::render(image, document, sheet));
            QVERIFY(SheetRenderer::image(document, sheet, 96).isNull());
        }
        QCOMPARE(image, before);
    }

    void facesAndTextsPaintWithTheirOwnLook()
    {
        JewelCaseDocument document;
        document.faces[Face::Verso].color = 0x00FF0000; // blue, as stored
        document.faces[Face::Dos].color = 0x000000FF;   // red
        document.dosSheet().backColor = 0x0000FF00;     // green, around the Dos
        const QImage dos = SheetRenderer::image(document, DosSheet, 96);
        QCOMPARE(at(dos, 4000, 3000), QColor(Qt::red).rgb());
        QCOMPARE(at(dos, 170, 3000), QColor(Qt::green).rgb()); // inside a spine
        QCOMPARE(at(dos, 4000, 6730), QColor(Qt::green).rgb());

        const TextElement& left = addText(document, Face::Recto, {1500, 1000}, "Gauche");
        TextElement& right = addText(document, Face::Recto, {1500, 2000}, "Droite");
        right.alignment = Alignment::Right;
        TextElement& centred = addText(document, Face::Recto, {1500, 5000}, "Milieu");
        centred.alignment = Alignment::Centre;
        TextElement& opaque = addText(document, Face::Recto, {1500, 3000}, "Fond");
        opaque.backStyle = BackStyle::Opaque;
        opaque.backColor = 0x0000FF00; // green
        TextElement& hidden = addText(document, Face::Recto, {1500, 4000}, "Caché");
        hidden.visible = false;
        addText(document, Face::Dos, {2000, 1000}, "").borderStyle = BorderStyle::Single;

        const QImage image = SheetRenderer::image(document, RectoSheet, 96);
        QCOMPARE(at(image, 3000, 6000), QColor(Qt::white).rgb());
        QCOMPARE(at(image, 9000, 3000), QColor(Qt::blue).rgb());
        // Left and right halves, and the ends and middle third, of a text 3000 twips wide.
        const auto part = [](const TextElement& element, double from, double width) {
            return QRectF(element.left + from, element.top, width, element.height);
        };
        QVERIFY(inkIn(image, part(left, 0, 1500)) > 0);
        QCOMPARE(inkIn(image, part(left, 1500, 1500)), 0);
        QCOMPARE(inkIn(image, part(right, 0, 1500)), 0);
        QVERIFY(inkIn(image, part(right, 1500, 1500)) > 0);
        QCOMPARE(inkIn(image, part(centred, 0, 750)), 0);
        QVERIFY(inkIn(image, part(centred, 1000, 1000)) > 0);
        QCOMPARE(inkIn(image, part(centred, 2250, 750)), 0);
        QCOMPARE(at(image, 4400, 3200), QColor(Qt::green).rgb());
        QCOMPARE(inkIn(image, hidden.rect()), 0);
        QVERIFY(!lineAt(image, 4500, 1200)); // no border unless asked for
        const QImage framed = SheetRenderer::image(document, DosSheet, 96);
        QVERIFY(lineAt(framed, 2000, 1200) && lineAt(framed, 5000, 1200));
        QCOMPARE(at(framed, 3500, 1200), QColor(Qt::red).rgb()); // transparent inside

        // The text in front covers the one behind.
        TextElement& cover = addText(document, Face::Recto, {1500, 1000}, "");
        cover.backStyle = BackStyle::Opaque;
        cover.backColor = OleColors::white;
        QCOMPARE(inkIn(SheetRenderer::image(document, RectoSheet, 96), left.rect()), 0);
        document.sendToBack(cover);
        QVERIFY(inkIn(SheetRenderer::image(document, RectoSheet, 96), left.rect()) > 0);
    }

    void overlayIsPaintedOnlyWhenAsked()
    {
        JewelCaseDocument document;
        document.faces[Face::Verso].color = 0x0000FF00; // green, unlike the marks
        SheetOverlay overlay;
        overlay.bar = QRectF(10000, 0, AlignmentBar::width, 6803.15);
        SelectionMarks& marks = overlay.marks;
        marks.frame = QRectF(7500, 3000, 1500, 600);
        // Handles are 90 twips squares on the frame's corners and the middles of its sides.
        for (int spot = 0, handle = 0; spot < 9; ++spot) {
            if (spot != 4) // not the frame's centre
                marks.handles[std::size_t(handle++)] =
                    QRectF(7455 + 750 * (spot % 3), 2955 + 300 * (spot / 3), 90, 90);
        }
        marks.frameVisible = marks.handlesVisible = true;
        const QRectF topRight = marks.handles[2];

        // As the screen shows it: the sheet and its overlay on a 96-dpi device.
        QImage shown = SheetRenderer::image(document, RectoSheet, 96);
        QVERIFY(SheetRenderer::render(shown, document, RectoSheet, &overlay));
        QCOMPARE(at(shown, 10037, 2000), QColor(Qt::yellow).rgb()); // AlignmentBar::colour
        QVERIFY(lineAt(shown, 7500, 3450));                         // the frame's left edge
        QCOMPARE(at(shown, topRight.center().x(), topRight.center().y()), QColor(Qt::white).rgb());
        QCOMPARE(qGray(at(shown, topRight.left(), topRight.center().y())), 0);

        const QImage exported = SheetRenderer::image(document, RectoSheet, 96);
        QCOMPARE(at(exported, 10037, 2000), QColor(Qt::green).rgb());
        QVERIFY(!lineAt(exported, 7500, 3450));
        QCOMPARE(at(exported, topRight.center().x(), topRight.center().y()),
                 QColor(Qt::green).rgb());

        overlay.barVisible = false;
        QVERIFY(SheetRenderer::render(shown, document, RectoSheet, &overlay));
        QCOMPARE(at(shown, 10037, 2000), QColor(Qt::green).rgb());
    }
};

QTEST_MAIN(TestSheetRenderer)
#include "tst_sheetrenderer.moc"
