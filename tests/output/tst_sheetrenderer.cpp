#include "Application.h"
#include "DragRules.h"
#include "JewelCaseDocument.h"
#include "SheetRenderer.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QtTest>

namespace {

constexpr double twipsPerPixel = 15;

JewelCaseDocument laidOut()
{
    JewelCaseDocument document;
    document.layOut(450);
    return document;
}

QImage render(const JewelCaseDocument& document, int sheet, SheetRenderer::Options options = {})
{
    const QSizeF size = document.sheets[std::size_t(sheet)].geometry.size() / twipsPerPixel;
    QImage image(size.toSize() + QSize(1, 1), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    painter.scale(1 / twipsPerPixel, 1 / twipsPerPixel);
    SheetRenderer::paint(painter, document, sheet, options);
    return image;
}

QRgb at(const QImage& image, double xTwips, double yTwips)
{
    return image.pixel(int(xTwips / twipsPerPixel), int(yTwips / twipsPerPixel));
}

// A one-pixel line at this x lands on the pixel either side of an exact pixel edge.
bool lineAt(const QImage& image, double xTwips, double yTwips)
{
    const int x = int(xTwips / twipsPerPixel);
    const int y = int(yTwips / twipsPerPixel);
    return qGray(image.pixel(x, y)) < 50 || qGray(image.pixel(x - 1, y)) < 50;
}

// Dark pixels (text ink) inside a rectangle of twips, its edges left out.
int inkIn(const QImage& image, const QRectF& twips)
{
    int count = 0;
    const QRect pixels(
        QPoint(int(twips.left() / twipsPerPixel) + 2, int(twips.top() / twipsPerPixel) + 2),
        QPoint(int(twips.right() / twipsPerPixel) - 2, int(twips.bottom() / twipsPerPixel) - 2));
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        for (int x = pixels.left(); x <= pixels.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 100)
                ++count;
        }
    }
    return count;
}

TextElement& addText(JewelCaseDocument& document, int face, const QRectF& rect,
                     const QString& caption)
{
    Face& target = document.faces[std::size_t(face)];
    TextElement& element = target.loadText(target.highestIndex() + 1);
    element.setAutoSize(false);
    element.setCaption(caption);
    element.setRect(rect);
    element.visible = true;
    element.foreColor = OleColors::black;
    document.bringToFront(element);
    return element;
}

} // namespace

class TestSheetRenderer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Application::configure(*qApp); }

    void facesBarsAndTheirColours()
    {
        JewelCaseDocument document = laidOut();
        document.faces[Face::Verso].color = 0x00FF0000; // blue, as stored
        const QImage image = render(document, 0);
        // The whole sheet is painted, and each face has its colour inside its border.
        QCOMPARE(at(image, 13700, 6850), QColor(Qt::white).rgb());
        QCOMPARE(at(image, 3000, 3000), QColor(Qt::white).rgb());
        QCOMPARE(at(image, 9000, 3000), QColor(Qt::blue).rgb());
        QCOMPARE(qGray(image.pixel(0, 200)), 0); // the Recto's left border
        const QRectF bar = document.sheets[0].bar;
        QCOMPARE(at(image, bar.center().x(), 3000), QColor(Qt::yellow).rgb());

        const QImage capture = render(document, 0, {false, false});
        QCOMPARE(at(capture, bar.center().x(), 3000), QColor(Qt::white).rgb());
        document.sheets[0].barVisible = false;
        QCOMPARE(at(render(document, 0), bar.center().x(), 3000), QColor(Qt::white).rgb());
    }

    void textsPaintWithTheirOwnLook()
    {
        JewelCaseDocument document = laidOut();
        TextElement& left =
            addText(document, Face::Recto, QRectF(1500, 1000, 3000, 400), QStringLiteral("Gauche"));
        TextElement& right =
            addText(document, Face::Recto, QRectF(1500, 2000, 3000, 400), QStringLiteral("Droite"));
        right.alignment = TextElement::AlignRight;
        TextElement& opaque =
            addText(document, Face::Recto, QRectF(1500, 3000, 3000, 400), QStringLiteral("Fond"));
        opaque.backStyle = 1;
        opaque.backColor = 0x0000FF00; // green
        TextElement& hidden =
            addText(document, Face::Recto, QRectF(1500, 4000, 3000, 400), QStringLiteral("Caché"));
        hidden.visible = false;
        TextElement& framed =
            addText(document, Face::Verso, QRectF(8000, 1000, 3000, 400), QString());
        framed.borderStyle = 1;

        const QImage image = render(document, 0);
        const auto halves = [](const TextElement& element) {
            const QRectF rect = element.rect();
            return std::pair{
                QRectF(rect.left(), rect.top(), rect.width() / 2, rect.height()),
                QRectF(rect.center().x(), rect.top(), rect.width() / 2, rect.height())};
        };
        QVERIFY(inkIn(image, halves(left).first) > 0);
        QCOMPARE(inkIn(image, halves(left).second), 0);
        QCOMPARE(inkIn(image, halves(right).first), 0);
        QVERIFY(inkIn(image, halves(right).second) > 0);
        QCOMPARE(at(image, 4400, 3200), QColor(Qt::green).rgb());
        QCOMPARE(inkIn(image, hidden.rect()), 0);
        QVERIFY(lineAt(image, 8000, 1200));

        // The text in front covers the one behind.
        TextElement& cover =
            addText(document, Face::Recto, QRectF(1500, 1000, 3000, 400), QString());
        cover.backStyle = 1;
        cover.backColor = OleColors::white;
        QCOMPARE(inkIn(render(document, 0), left.rect()), 0);
        document.sendToBack(cover);
        QVERIFY(inkIn(render(document, 0), left.rect()) > 0);
    }

    void selectionMarksAndCaptures()
    {
        JewelCaseDocument document = laidOut();
        SelectionMarks& marks = document.sheets[0].marks;
        marks.frame = QRectF(3000, 3000, 1500, 600);
        marks.handles = DragRules::handleRects(marks.frame);
        marks.frameVisible = true;
        marks.handlesVisible = true;
        const QPointF handle = marks.handles[4].center();
        const QImage shown = render(document, 0);
        QVERIFY(lineAt(shown, 3000, 3100)); // the frame's left edge
        QCOMPARE(at(shown, handle.x(), handle.y()), QColor(Qt::white).rgb()); // inside a handle
        QCOMPARE(qGray(at(shown, marks.handles[4].left(), handle.y())), 0);   // its border
        const QImage capture = render(document, 0, {false, true});
        QVERIFY(!lineAt(capture, 3000, 3100));
        QVERIFY(!lineAt(capture, marks.handles[4].left(), handle.y()));
    }
};

QTEST_MAIN(TestSheetRenderer)
#include "tst_sheetrenderer.moc"
