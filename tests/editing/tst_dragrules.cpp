#include "Application.h"
#include "CoverSelection.h"
#include "DragRules.h"
#include "JewelCaseDocument.h"

#include <QApplication>
#include <QtTest>

namespace {

// The bounds the cover gives a drag on each face, as the selection computes them.
DragBounds faceBounds(int face)
{
    static JewelCaseDocument document = [] {
        JewelCaseDocument laidOut;
        laidOut.layOut(450);
        return laidOut;
    }();
    CoverSelection selection(document);
    selection.currentFace = face;
    return selection.bounds(false);
}

QVariant noMove()
{
    return QVariant();
}

} // namespace

class TestDragRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Application::configure(*qApp); }

    void boundsOfEachFace()
    {
        const DragBounds verso = faceBounds(Face::Verso);
        QVERIFY(qAbs(verso.lowerX - 6818.15) < 0.01);
        QVERIFY(qAbs(verso.upperX - 13741.3) < 0.01);
        const DragBounds recto = faceBounds(Face::Recto);
        QCOMPARE(recto.lowerX, 0.0);
        QVERIFY(qAbs(recto.upperX - 6803.15) < 0.01);
        const DragBounds dos = faceBounds(Face::Dos);
        QCOMPARE(dos.lowerX, 340.0);
        QVERIFY(qAbs(dos.upperX - (7851.97 + 340)) < 0.01);
        QVERIFY(qAbs(dos.upperY - 6689.76) < 0.01);
    }

    void move_data()
    {
        QTest::addColumn<int>("face");
        QTest::addColumn<QRectF>("selected");
        QTest::addColumn<QPointF>("by");        // pointer displacement
        QTest::addColumn<QVariant>("expected"); // new top-left, or none when refused

        const QRectF recto(1000, 30, 1200, 300);
        QTest::newRow("30 from the top: no move up")
            << int(Face::Recto) << recto << QPointF(0, -1) << noMove();
        QTest::newRow("30 from the top: down is fine")
            << int(Face::Recto) << recto << QPointF(0, 1) << QVariant(QPointF(1000, 31));
        QTest::newRow("whole move refused, no slide along x")
            << int(Face::Recto) << recto << QPointF(200, -5) << noMove();
        const QRectF low(1000, 6400, 1200, 300); // bottom at 6700, 103.15 from the face's bottom
        QTest::newRow("bottom stops 30 short")
            << int(Face::Recto) << low << QPointF(0, 74) << noMove();
        QTest::newRow("bottom 30.15 short is fine")
            << int(Face::Recto) << low << QPointF(0, 73) << QVariant(QPointF(1000, 6473));
        QTest::newRow("Recto text cannot cross into the Verso")
            << int(Face::Recto) << QRectF(5500, 1000, 1200, 300) << QPointF(74, 0) << noMove();
        QTest::newRow("Recto text up to 30 from its right edge")
            << int(Face::Recto) << QRectF(5500, 1000, 1200, 300) << QPointF(73, 0)
            << QVariant(QPointF(5573, 1000));
        QTest::newRow("Recto left edge itself") << int(Face::Recto) << QRectF(10, 1000, 1200, 300)
                                                << QPointF(-10, 0) << QVariant(QPointF(0, 1000));
        QTest::newRow("Verso text stops at the Verso's left edge")
            << int(Face::Verso) << QRectF(6830, 1000, 1200, 300) << QPointF(-12, 0) << noMove();
        QTest::newRow("Verso text just inside") << int(Face::Verso) << QRectF(6830, 1000, 1200, 300)
                                                << QPointF(-11, 0) << QVariant(QPointF(6819, 1000));
        QTest::newRow("Dos text cannot cover the left spine")
            << int(Face::Dos) << QRectF(400, 1000, 1200, 300) << QPointF(-61, 0) << noMove();
        QTest::newRow("Dos text at the spine's edge")
            << int(Face::Dos) << QRectF(400, 1000, 1200, 300) << QPointF(-60, 0)
            << QVariant(QPointF(340, 1000));
    }

    void move()
    {
        QFETCH(int, face);
        QFETCH(QRectF, selected);
        QFETCH(QPointF, by);
        QFETCH(QVariant, expected);
        const QPointF grab(50, 20);
        const auto moved = DragRules::move(selected, grab, grab + by, faceBounds(face), false);
        if (!expected.isValid()) {
            QVERIFY(!moved);
        } else {
            QVERIFY(moved);
            QCOMPARE(*moved, expected.toPointF());
        }
    }

    void resize_data()
    {
        QTest::addColumn<int>("handle");
        QTest::addColumn<QPointF>("pointer"); // from the handle's top-left corner
        QTest::addColumn<QVariant>("expected");

        // Selected Recto text at 1000, 1000, 1230 × 300 (width with its 30-twip widening).
        QTest::newRow("right handle, pressed in its middle, moved one twip")
            << 5 << QPointF(46, 46) << QVariant(QRectF(1000, 1000, 1276, 300));
        QTest::newRow("right handle stops at 60 wide")
            << 5 << QPointF(-1171, 0) << QVariant(QRectF(1000, 1000, 1230, 300));
        QTest::newRow("right handle exactly 60 wide")
            << 5 << QPointF(-1170, 0) << QVariant(QRectF(1000, 1000, 60, 300));
        QTest::newRow("left handle narrows from the left")
            << 1 << QPointF(200, 0) << QVariant(QRectF(1200, 1000, 1030, 300));
        QTest::newRow("left handle stops at the face's left edge")
            << 1 << QPointF(-1001, 0) << noMove();
        QTest::newRow("bottom handle stops 60 short of the bottom")
            << 3 << QPointF(0, 5444) << noMove();
        QTest::newRow("bottom handle 60.15 short is fine")
            << 3 << QPointF(0, 5443) << QVariant(QRectF(1000, 1000, 1230, 5743));
        QTest::newRow("top handle keeps 30 from the top") << 7 << QPointF(0, -971) << noMove();
        QTest::newRow("top handle grows upward")
            << 7 << QPointF(0, -970) << QVariant(QRectF(1000, 30, 1230, 1270));
        QTest::newRow("top left: the left edge moves, the top stops at 60 high")
            << 0 << QPointF(100, 250) << QVariant(QRectF(1100, 1000, 1130, 300));
        QTest::newRow("right handle stops 30 short of the face's right edge")
            << 4 << QPointF(4544, 0) << noMove();
    }

    void resize()
    {
        QFETCH(int, handle);
        QFETCH(QPointF, pointer);
        QFETCH(QVariant, expected);
        const QRectF selected(1000, 1000, 1230, 300);
        const auto resized =
            DragRules::resize(selected, selected, handle, pointer, faceBounds(Face::Recto));
        if (!expected.isValid()) {
            QVERIFY(!resized);
        } else {
            QVERIFY(resized);
            QCOMPARE(*resized, expected.toRectF());
        }
    }

    void handlesSurroundTheFrame()
    {
        const auto handles = DragRules::handleRects(QRectF(1000, 2000, 600, 300));
        const QList<QPointF> corners = {{955, 1955},  {955, 2105},  {955, 2255},  {1255, 2255},
                                        {1555, 2255}, {1555, 2105}, {1555, 1955}, {1255, 1955}};
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(handles[std::size_t(i)].topLeft(), corners[i]);
            QCOMPARE(handles[std::size_t(i)].size(), QSizeF(90, 90));
        }
        QCOMPARE(DragRules::handleCursor(0), Qt::SizeFDiagCursor);
        QCOMPARE(DragRules::handleCursor(4), Qt::SizeFDiagCursor);
        QCOMPARE(DragRules::handleCursor(5), Qt::SizeHorCursor);
        QCOMPARE(DragRules::handleCursor(6), Qt::SizeBDiagCursor);
        QCOMPARE(DragRules::handleCursor(3), Qt::SizeVerCursor);
    }
};

QTEST_MAIN(TestDragRules)
#include "tst_dragrules.moc"
