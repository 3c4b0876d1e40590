// SPDX-License-Identifier: GPL-3.0-or-later
#include "Application.h"
#include "CoverScreen.h"
#include "CoverContext.h"
#include "CoverSurface.h"
#include "DragRules.h"
#include "JewelCaseDocument.h"

#include <QApplication>
#include <QtTest>

namespace {

// The bounds of a drag: a text's on "Recto", "Verso" or "Dos", the Recto sheet's bar's, or a CD
// label's "disc", whose margins differ on every side so that one taken for another shows.
DragBounds boundsOf(const QString& name, bool forMove)
{
    static JewelCaseDocument document;
    static CoverScreen screen;
    static CoverHistory history{document};
    const CoverSurface surface(document, screen, history);
    if (name == "disc")
        return {QRectF(0, 0, 6700, 6700), {100, 150, 200, 250}, {110, 160, 210, 260}};
    if (name == "bar")
        return surface.bounds(ElementRef::bar(RectoSheet), Face::Recto, forMove);
    const int face = name == "Verso" ? Face::Verso : name == "Recto" ? Face::Recto : Face::Dos;
    return surface.bounds(ElementRef::text(face, 1), face, forMove);
}

// The text of the resize rows: 1200 wide, and widened by 30 as it is selected.
const QRectF widened(1000, 1000, 1230, 300);

// One twip further than `to`, the way it goes.
QPointF beyond(QPointF to)
{
    return to + QPointF(std::clamp(to.x(), -1.0, 1.0), std::clamp(to.y(), -1.0, 1.0));
}

// Two rows on either side of a limit: the pointer at `to` reaches it, one twip further passes it.
void moveLimit(const char* name, const char* bounds, QPointF at, QPointF to,
               QSizeF size = {1200, 300})
{
    const QRectF rect(at, size);
    QTest::addRow("%s: reached", name)
        << bounds << -1 << rect << to << QVariant(rect.translated(to));
    QTest::addRow("%s: passed", name) << bounds << -1 << rect << beyond(to) << QVariant();
}

void resizeLimit(const char* name, const char* bounds, int handle, QPointF to, QRectF after)
{
    QTest::addRow("%s: reached", name) << bounds << handle << widened << to << QVariant(after);
    QTest::addRow("%s: passed", name) << bounds << handle << widened << beyond(to) << QVariant();
}

void resizeRow(const char* name, int handle, QPointF to, QRectF after)
{
    QTest::newRow(name) << "Recto" << handle << widened << to << QVariant(after);
}

} // namespace

class TestDragRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Application::configure(*qApp); }

    void drag_data()
    {
        QTest::addColumn<QString>("bounds");
        QTest::addColumn<int>("handle"); // -1: moved by its frame
        QTest::addColumn<QRectF>("selected");
        QTest::addColumn<QPointF>("pointer"); // a move's displacement, or from the handle's corner
        QTest::addColumn<QVariant>("expected"); // the rectangle after, or none when refused

        moveLimit("Recto top, 30 from it", "Recto", {1000, 31}, {0, -1});
        moveLimit("Recto bottom, 30 short of 6803.15", "Recto", {1000, 6400}, {0, 73});
        moveLimit("Recto right, 30 short of 6803.15", "Recto", {5500, 1000}, {73, 0});
        moveLimit("Recto left edge itself", "Recto", {10, 1000}, {-10, 0});
        moveLimit("Verso left edge, 6818.15", "Verso", {6830, 1000}, {-11, 0});
        moveLimit("Verso to the sheet's edge, 13741.3", "Verso", {12000, 1000}, {511, 0});
        moveLimit("Dos left, the spine's 340", "Dos", {400, 1000}, {-60, 0});
        moveLimit("Dos right, 30 short of 8191.97", "Dos", {6000, 1000}, {961, 0});
        moveLimit("Dos bottom, 30 short of 6689.76", "Dos", {1000, 6300}, {0, 59});
        // The bar stands from the sheet's top: it goes sideways only, the Y test skipped.
        moveLimit("bar left, 30 from the edge", "bar", {600, 0}, {-570, 0}, {75, 6803});
        moveLimit("bar right, over the Verso to 13741.3", "bar", {600, 0}, {13036, 0}, {75, 6803});
        QTest::newRow("bar keeps its top")
            << "bar" << -1 << QRectF(600, 0, 75, 6803) << QPointF(100, 500)
            << QVariant(QRectF(700, 0, 75, 6803));
        moveLimit("disc left", "disc", {1000, 1000}, {-900, 0});
        moveLimit("disc top", "disc", {1000, 1000}, {0, -850});
        moveLimit("disc right", "disc", {1000, 1000}, {4300, 0});
        moveLimit("disc bottom", "disc", {1000, 1000}, {0, 5150});

        resizeRow("right handle: 60 wide, y unused", 5, {-1170, 46}, {1000, 1000, 60, 300});
        resizeRow("right handle stops at 60 wide", 5, {-1171, 0}, widened);
        // A failing edge stops the step: the edges moved before it stay, none after it moves.
        resizeRow("top left: top stops at 60 high", 0, {100, 250}, {1100, 1000, 1130, 300});
        resizeRow("bottom left: left stops, bottom unmoved", 2, {1200, 100}, widened);
        resizeRow("top handle: the pointer's x does not count", 7, {5000, -100},
                  {1000, 900, 1230, 400});
        resizeLimit("Recto left edge", "Recto", 1, {-1000, 0}, {0, 1000, 2230, 300});
        resizeLimit("Recto top, 30 from it", "Recto", 7, {0, -970}, {1000, 30, 1230, 1270});
        resizeLimit("Recto right, 30 short", "Recto", 4, {4543, 0}, {1000, 1000, 5773, 300});
        resizeLimit("Recto bottom, 60 short", "Recto", 3, {0, 5443}, {1000, 1000, 1230, 5743});
        resizeLimit("disc left", "disc", 1, {-890, 0}, {110, 1000, 2120, 300});
        resizeLimit("disc top", "disc", 7, {0, -840}, {1000, 160, 1230, 1140});
        resizeLimit("disc right", "disc", 5, {4260, 0}, {1000, 1000, 5490, 300});
        resizeLimit("disc bottom", "disc", 3, {0, 5140}, {1000, 1000, 1230, 5440});
    }

    void drag()
    {
        QFETCH(QString, bounds);
        QFETCH(int, handle);
        QFETCH(QRectF, selected);
        QFETCH(QPointF, pointer);
        QFETCH(QVariant, expected);
        std::optional<QRectF> after;
        const QPointF grab(50, 20);
        if (handle >= 0)
            after = DragRules::resize(selected, selected, handle, pointer, boundsOf(bounds, false));
        else if (const auto topLeft = DragRules::move(selected, grab, grab + pointer,
                                                      boundsOf(bounds, true), bounds == "bar"))
            after = QRectF(*topLeft, selected.size());
        QCOMPARE(after.has_value(), expected.isValid());
        if (after)
            QCOMPARE(*after, expected.toRectF());
    }

    void handlesAndRecordedRects()
    {
        const auto handles = DragRules::handleRects(QRectF(1000, 2000, 600, 300));
        const QList<QPointF> corners = {{955, 1955},  {955, 2105},  {955, 2255},  {1255, 2255},
                                        {1555, 2255}, {1555, 2105}, {1555, 1955}, {1255, 1955}};
        for (int i = 0; i < 8; ++i)
            QCOMPARE(handles[std::size_t(i)], QRectF(corners[i], QSizeF(90, 90)));
        // Around a frame off the twip grid the handles still stand on whole twips.
        QCOMPARE(DragRules::handleRects(QRectF(3431.575, 100.5, 3311.425, 300))[7].topLeft(),
                 QPointF(5042, 56));
        // The edges are rounded, not the width or the height: the far edges stay where they were.
        QCOMPARE(DragRules::recordedRect(QRectF(1000.5, 99.5, 7160.5, 300.5)),
                 QRectF(1001, 100, 7160, 300));
    }
};

QTEST_MAIN(TestDragRules)
#include "tst_dragrules.moc"
