#include "Application.h"
#include "CoverSelection.h"
#include "FaceViews.h"
#include "JewelCaseDocument.h"
#include "ScriptedPrompter.h"

#include <QApplication>
#include <QSignalSpy>
#include <QtTest>

namespace {

struct Cover {
    JewelCaseDocument document;
    CoverSelection selection{document};

    Cover()
    {
        document.layOut(450);
        FaceViews::ShowView(document, selection, FaceViews::RectoVerso);
    }

    ElementRef addText(int face, QRectF rect, int borderStyle = 0)
    {
        TextElement& element = document.faces[std::size_t(face)].loadText(
            document.faces[std::size_t(face)].highestIndex() + 1);
        element.setAutoSize(false);
        element.setRect(rect);
        element.visible = true;
        element.borderStyle = borderStyle;
        return ElementRef::text(face, element.index);
    }

    void click(const ElementRef& element)
    {
        selection.pressElement(element);
        selection.clickElement(element);
    }
};

} // namespace

class TestCoverSelection : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Application::configure(*qApp); }

    void selectingNeverChangesAnElementsSize()
    {
        Cover cover;
        const QRectF rect(1000, 1000, 1200, 300);
        const ElementRef text = cover.addText(Face::Recto, rect, 1);
        const ElementRef other = cover.addText(Face::Recto, QRectF(1000, 3000, 900, 300));

        cover.click(text);
        // Selected: widened by 30, its outline replaced by the frame, which keeps the old width.
        QCOMPARE(cover.document.rectOf(text), QRectF(1000, 1000, 1230, 300));
        QCOMPARE(cover.selection.selectedWidth, 1230);
        const SelectionMarks& marks = cover.document.sheets[0].marks;
        QVERIFY(marks.frameVisible && marks.handlesVisible);
        QCOMPARE(marks.frame, rect);
        QCOMPARE(cover.document.borderStyleOf(text), 0);

        // Selected again without leaving it: still one widening.
        cover.selection.Select();
        QCOMPARE(cover.document.rectOf(text).width(), 1230.0);

        // Click elsewhere: the text comes back as it was, border included.
        cover.click(other);
        QCOMPARE(cover.document.rectOf(text), rect);
        QCOMPARE(cover.document.borderStyleOf(text), 1);
        cover.selection.pressEmpty(Face::Recto);
        QCOMPARE(cover.document.rectOf(other), QRectF(1000, 3000, 900, 300));

        // Select, deselect, select again, end: unchanged.
        cover.click(text);
        cover.selection.Deselect(Face::Recto);
        cover.click(text);
        cover.selection.ShowHandles(false);
        cover.selection.EndDrag();
        QCOMPARE(cover.document.rectOf(text), rect);
        QVERIFY(cover.selection.currentSelection.isEmpty());
    }

    void movingThroughTheFrame()
    {
        Cover cover;
        const ElementRef text = cover.addText(Face::Verso, QRectF(8000, 1000, 1200, 300));
        cover.click(text);
        QCOMPARE(cover.selection.currentFace, int(Face::Verso));
        cover.selection.beginMove(QPointF(100, 50));
        QVERIFY(!cover.document.sheets[0].marks.frameVisible);
        QCOMPARE(cover.document.borderStyleOf(text), 1); // its own outline during the drag
        QVERIFY(cover.selection.moveTo(QPointF(600, 250)));
        QCOMPARE(cover.document.rectOf(text).topLeft(), QPointF(8500, 1200));
        QCOMPARE(cover.document.documentModified, 1);
        // Into the Recto: refused, the element stays at the last accepted place.
        QVERIFY(!cover.selection.moveTo(QPointF(-1500, 250)));
        QCOMPARE(cover.document.rectOf(text).topLeft(), QPointF(8500, 1200));
        cover.selection.EndDrag();
        QCOMPARE(cover.document.rectOf(text), QRectF(8500, 1200, 1200, 300));
        QCOMPARE(cover.document.borderStyleOf(text), 0);

        // After a drag nothing is selected: the text commands say so.
        ScriptedPrompter prompter;
        QVERIFY(!cover.selection.SelectionCheck(prompter));
        QCOMPARE(prompter.asked.size(), 1);
        QCOMPARE(prompter.last().text, QStringLiteral("Pas de texte sélectionné."));
        QCOMPARE(prompter.last().icon, Prompter::Icon::Information);
        cover.document.documentModified = 0;
        cover.click(text);
        QVERIFY(cover.selection.SelectionCheck(prompter));
        QCOMPARE(cover.document.documentModified, 1);
    }

    void theBarSlidesAcrossTheRectoSheet()
    {
        Cover cover;
        const ElementRef bar = ElementRef::bar(0);
        const QRectF start = cover.document.sheets[0].bar;
        cover.click(bar);
        QCOMPARE(cover.selection.currentFace, int(Face::Verso));
        QVERIFY(!cover.selection.moveLocked);
        QVERIFY(cover.selection.resizeLocked);
        QCOMPARE(cover.document.rectOf(bar).width(), 75.0); // a bar is never widened
        cover.selection.beginMove(QPointF(30, 3000));
        QVERIFY(cover.selection.moveTo(QPointF(30 + 8000, 2000)));
        QCOMPARE(cover.document.sheets[0].bar.left(), start.left() + 8000);
        QCOMPARE(cover.document.sheets[0].bar.top(), start.top()); // never vertically
        QVERIFY(cover.document.faces[Face::Verso].frame.contains(
            cover.document.sheets[0].bar.center()));
        cover.selection.beginResize(3);
        QVERIFY(!cover.selection.resizeTo(3, QPointF(0, -500)));
        cover.selection.EndDrag();
        QCOMPARE(cover.document.sheets[0].bar.size(), start.size());
    }

    void spinesShowHandlesButNeverChange()
    {
        Cover cover;
        FaceViews::ShowView(cover.document, cover.selection, FaceViews::Dos);
        QSignalSpy entries(&cover.selection, &CoverSelection::textEntriesAvailable);
        const ElementRef spine = ElementRef::spine(1);
        const QRectF before = cover.document.spines[1].rect;
        cover.click(spine);
        const SelectionMarks& marks = cover.document.sheets[1].marks;
        QVERIFY(marks.handlesVisible);
        QVERIFY(!marks.frameVisible);
        QCOMPARE(marks.handles[0].topLeft(), QPointF(std::lround(before.left() - 45), -45));
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries.first().first().toBool(), false);
        QCOMPARE(cover.document.rectOf(spine), before);

        cover.selection.beginResize(8 + 4);
        QVERIFY(!cover.selection.resizeTo(12, QPointF(-200, -200)));
        cover.selection.EndDrag();
        cover.click(spine);
        cover.selection.beginMove(QPointF(10, 10));
        QVERIFY(!cover.selection.moveTo(QPointF(-100, 500)));
        cover.selection.EndDrag();
        QCOMPARE(cover.document.spines[1].rect, before);
        // A spine passes the text commands' guard: they act on the vertical text.
        ScriptedPrompter prompter;
        cover.click(spine);
        QVERIFY(cover.selection.SelectionCheck(prompter));
        QVERIFY(prompter.asked.isEmpty());
    }

    void viewsEndTheSelectionAndSetTheFace()
    {
        Cover cover;
        const ElementRef text = cover.addText(Face::Recto, QRectF(1000, 1000, 1200, 300));
        cover.click(text);
        ViewState state = FaceViews::ShowView(cover.document, cover.selection, FaceViews::Dos);
        QVERIFY(state.sheetSwitched);
        QCOMPARE(state.view, 1);
        QVERIFY(qAbs(state.windowWidth - (0 + 8621.97 + 90)) < 0.01);
        QCOMPARE(cover.document.currentView, 1);
        QCOMPARE(cover.selection.handleBase, 8);
        QCOMPARE(cover.selection.currentFace, int(Face::Dos));
        QVERIFY(cover.selection.currentSelection.isEmpty());
        QCOMPARE(cover.document.rectOf(text), QRectF(1000, 1000, 1200, 300));
        QVERIFY(!cover.document.sheets[0].visible && cover.document.sheets[1].visible);
        QVERIFY(cover.document.faces[Face::Dos].captionVisible);
        QVERIFY(!cover.document.faces[Face::Recto].captionVisible);
        QCOMPARE(state.insertEntry0, QStringLiteral("Insérer sur le Dos"));
        QCOMPARE(state.alignEntry0, QStringLiteral("&Aligner sur Dos"));
        QVERIFY(!state.entry1Visible);
        QVERIFY(state.insertDosEnabled && !state.insertRectoEnabled && !state.insertVersoEnabled);

        // The same view again: no sheet switch, but the selection still ends.
        cover.click(ElementRef::spine(0));
        state = FaceViews::ShowView(cover.document, cover.selection, FaceViews::Dos);
        QVERIFY(!state.sheetSwitched);
        QVERIFY(cover.selection.currentSelection.isEmpty());
        QVERIFY(!cover.document.sheets[1].marks.handlesVisible);

        state = FaceViews::ShowView(cover.document, cover.selection, FaceViews::Verso);
        QVERIFY(state.sheetSwitched);
        QCOMPARE(cover.selection.currentFace, int(Face::Verso));
        QCOMPARE(cover.selection.handleBase, 0);
        QCOMPARE(state.alignEntry0, QStringLiteral("&Aligner sur Recto   "));
        QCOMPARE(state.spaceEntry0, QStringLiteral("&Aligner sur Recto"));
        QVERIFY(qAbs(state.windowWidth - (120 + 13741.3 + 90)) < 0.01);
    }
};

QTEST_MAIN(TestCoverSelection)
#include "tst_coverselection.moc"
