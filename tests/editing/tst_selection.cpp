#include "Application.h"
#include "CoverContext.h"
#include "FaceViews.h"
#include "FitLabelInFace.h"
#include "JewelCaseDocument.h"
#include "ScriptedPrompter.h"

#include <QApplication>
#include <QSignalSpy>
#include <QtTest>

namespace {

// A cover in the Recto-Verso view, and the selection on its surface.
struct Cover {
    JewelCaseDocument document;
    ScriptedPrompter prompter;
    CoverContext context{document, prompter};
    SelectionController& sel = context.selection;

    Cover() { FaceViews::ShowView(context, FaceViews::RectoVerso); }

    ElementRef addText(int face, QRectF rect, BorderStyle border = BorderStyle::None)
    {
        TextElement& added = document.faces[face].loadText(document.faces[face].highestIndex() + 1);
        added.setAutoSize(false);
        added.setRect(rect);
        added.visible = true;
        added.borderStyle = border;
        return ElementRef::text(face, added.index);
    }
    void click(const ElementRef& element)
    {
        sel.pressElement(element);
        sel.clickElement(element);
    }
    void view(int entry) { FaceViews::ShowView(context, entry); }
    QRectF rectOf(const ElementRef& element) const { return context.surface.rectOf(element); }
    BorderStyle borderOf(const ElementRef& e) const { return context.surface.borderStyleOf(e); }
    const SelectionMarks& marks(int sheet) const { return context.screen.overlays[sheet].marks; }
};

} // namespace

class TestSelection : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Application::configure(*qApp); }

    void aSelectionGivesItsWideningBack()
    {
        Cover c;
        const QRectF rect(1000, 1000, 1200, 300);
        const ElementRef text = c.addText(Face::Recto, rect, BorderStyle::Single);
        const ElementRef other = c.addText(Face::Verso, QRectF(8000, 3000, 900, 300));
        const QList<std::function<void()>> endings = {
            [&] { c.click(other); },           [&] { c.sel.pressEmpty(Face::Recto); },
            [&] { c.sel.EndDrag(); },          [&] { c.sel.endSelection(); },
            [&] { c.view(FaceViews::Verso); }, [&] { c.view(FaceViews::Dos); },
        };
        for (const auto& end : endings) {
            // Its drags see it 30 wider, once; the cover and the frame keep its own width, and
            // the frame stands in for the border.
            c.click(text);
            c.sel.Select();
            QCOMPARE(c.sel.selectedRect(), QRectF(1000, 1000, 1230, 300));
            QCOMPARE(c.rectOf(text), rect);
            QVERIFY(c.marks(RectoSheet).frameVisible && c.marks(RectoSheet).frame == rect);
            QCOMPARE(c.borderOf(text), BorderStyle::None);
            end();
            QCOMPARE(c.rectOf(text), rect);
            QCOMPARE(c.borderOf(text), BorderStyle::Single);
        }
        QCOMPARE(c.rectOf(other), QRectF(8000, 3000, 900, 300));
        QCOMPARE(c.borderOf(other), BorderStyle::None); // not the outline of a drag
    }

    void movingThroughTheFrame()
    {
        Cover c;
        const ElementRef text = c.addText(Face::Verso, QRectF(8000, 1000, 1200, 300));
        c.click(text);
        c.sel.beginMove(QPointF(8100, 1050)); // 100, 50 into the frame
        // The frame is hidden and the text shows its own outline during the drag.
        QVERIFY(!c.sel.frameShown() && c.borderOf(text) == BorderStyle::Single);
        QVERIFY(c.sel.moveTo(QPointF(8600, 1250)) && c.document.documentModified);
        QCOMPARE(c.rectOf(text).topLeft(), QPointF(8500, 1200));
        // Into the Recto: refused as a whole, neither stopped at the edge nor moved down.
        c.document.documentModified = false;
        QVERIFY(!c.sel.moveTo(QPointF(6600, 1450)) && !c.document.documentModified);
        c.sel.EndDrag();
        QCOMPARE(c.rectOf(text), QRectF(8500, 1200, 1200, 300));
        QCOMPARE(c.borderOf(text), BorderStyle::None);
        // After a drag nothing is selected, and the text commands say so.
        QVERIFY(!c.sel.SelectionCheck(c.prompter));
        QCOMPARE(c.prompter.asked.size(), 1);
        QVERIFY(c.prompter.last().text == QStringLiteral("Pas de texte sélectionné.") &&
                c.prompter.last().icon == Prompter::Icon::Information);
        c.click(text);
        QVERIFY(c.sel.SelectionCheck(c.prompter) && c.document.documentModified);
        // A border chosen while the frame is shown waits for the selection to end.
        c.sel.keepBorderStyle(BorderStyle::Single);
        QCOMPARE(c.borderOf(text), BorderStyle::None);
        c.sel.pressEmpty(Face::Verso);
        QCOMPARE(c.borderOf(text), BorderStyle::Single);

        // The Recto sheet's bar belongs to the face it stands over, and slides sideways only.
        const ElementRef bar = ElementRef::bar(RectoSheet);
        const QRectF start = c.rectOf(bar);
        c.sel.pressElement(bar);
        QCOMPARE(c.sel.currentFace(), int(Face::Recto));
        c.sel.clickElement(bar);
        QCOMPARE(c.rectOf(bar), start); // never widened
        c.sel.beginMove(start.topLeft() + QPointF(30, 3000));
        QVERIFY(c.sel.moveTo(start.topLeft() + QPointF(30 + 8000, 2000)));
        c.sel.beginResize(3);
        QVERIFY(!c.sel.resizeTo(3, QPointF(8600, 500)));
        c.sel.EndDrag();
        QCOMPARE(c.rectOf(bar), start.translated(8000, 0));
        QCOMPARE(c.sel.currentFace(), int(Face::Verso));
        c.sel.pressElement(bar);
        QCOMPARE(c.sel.currentFace(), int(Face::Verso));
    }

    void spinesShowHandlesButNeverChange()
    {
        Cover c;
        c.view(FaceViews::Dos);
        QSignalSpy entries(&c.sel, &SelectionController::textEntriesAvailable);
        const ElementRef spine = ElementRef::spine(1);
        const QRectF before = c.rectOf(spine);
        c.click(spine);
        QVERIFY(c.marks(DosSheet).handlesVisible && !c.marks(DosSheet).frameVisible);
        QCOMPARE(c.marks(DosSheet).handles[0].topLeft(), QPointF(8147, -45));
        QCOMPARE(c.borderOf(spine), BorderStyle::Single);
        c.sel.beginResize(4);
        QVERIFY(!c.sel.resizeTo(4, QPointF(7900, 6000)));
        c.sel.beginMove(QPointF(8200, 100));
        QVERIFY(!c.sel.moveTo(QPointF(8100, 500)));
        c.sel.EndDrag();
        QVERIFY(c.rectOf(spine) == before && !c.document.documentModified);
        // The text commands act on the spines' vertical text.
        c.click(spine);
        QVERIFY(c.sel.SelectionCheck(c.prompter) && c.prompter.asked.isEmpty());
        c.click(c.addText(Face::Dos, QRectF(1000, 1000, 1200, 300)));
        QCOMPARE(entries, (QList<QVariantList>{{false}, {false}, {true}}));
    }

    void hitTestStacking()
    {
        using Kind = SelectionController::Hit::Kind;
        Cover c;
        c.click(c.addText(Face::Recto, QRectF(1000, 1000, 1200, 300)));
        const ElementRef underBar = c.addText(Face::Recto, QRectF(500, 2900, 400, 300));
        const auto onHandle = c.sel.hitTest(RectoSheet, QPointF(1560, 1010)); // over the frame
        QVERIFY(onHandle.kind == Kind::Handle && onHandle.handle == 7);
        QCOMPARE(c.sel.hitTest(RectoSheet, QPointF(1300, 1200)).kind, Kind::Frame);
        QCOMPARE(c.sel.hitTest(RectoSheet, QPointF(630, 3000)).element, ElementRef::bar(0));
        QCOMPARE(c.sel.hitTest(RectoSheet, QPointF(800, 3000)).element, underBar);
        QCOMPARE(c.sel.hitTest(RectoSheet, QPointF(9000, 300)).area, int(Face::Verso));
        QCOMPARE(c.sel.hitTest(RectoSheet, QPointF(6810, 300)).kind, Kind::Nothing); // the gap
        // On the Dos a text lies in front of a spine.
        c.view(FaceViews::Dos);
        const ElementRef overSpine = c.addText(Face::Dos, QRectF(100, 2000, 600, 300));
        QCOMPARE(c.sel.hitTest(DosSheet, QPointF(200, 2100)).element, overSpine);
        QCOMPARE(c.sel.hitTest(DosSheet, QPointF(200, 100)).element, ElementRef::spine(0));
    }

    void viewsEndTheSelectionAndSetTheFace()
    {
        Cover c;
        const ElementRef text = c.addText(Face::Recto, QRectF(1000, 1000, 1200, 300));
        c.click(text);
        auto state = FaceViews::ShowView(c.context, FaceViews::Dos);
        QVERIFY(state && state->sheetSwitched && state->view == View::Dos);
        QVERIFY(qAbs(state->windowWidth - (0 + 8621.97 + 90)) < 0.01);
        QVERIFY(c.sel.currentSelection().isEmpty() && c.sel.currentFace() == Face::Dos);
        QCOMPARE(c.context.screen.captionShown, (std::array<bool, 3>{false, false, true}));
        // The same view again: no sheet switch, but the selection still ends.
        c.click(ElementRef::spine(0));
        state = FaceViews::ShowView(c.context, FaceViews::Dos);
        QVERIFY(state && !state->sheetSwitched && c.sel.currentSelection().isEmpty());
        QVERIFY(!c.marks(DosSheet).handlesVisible);

        state = FaceViews::ShowView(c.context, FaceViews::Verso);
        QVERIFY(state && state->sheetSwitched && state->view == View::RectoVerso);
        QVERIFY(qAbs(state->windowWidth - (120 + 13741.3 + 90)) < 0.01);
        QCOMPARE(c.sel.currentFace(), int(Face::Verso));
        QCOMPARE(c.context.screen.captionShown, (std::array<bool, 3>{true, true, false}));
        // No such entry: nothing changes, the selection stays.
        c.click(text);
        QVERIFY(!FaceViews::ShowView(c.context, -1));
        QVERIFY(c.sel.currentSelection() == text && c.sel.currentFace() == Face::Recto);
    }

    void aFittedTextStillMovesAndResizes()
    {
        Cover c;
        // Right edges on the fitted limit, one of them from a left edge on a half twip.
        const double rectoRight = fittedRight(c.document.faces[Face::Recto].frame);
        const double dosRight = fittedRight(c.document.dos().frame);
        const QList<ElementRef> texts = {
            c.addText(Face::Recto, QRectF(3431.575, 1000, rectoRight - 3431.575, 300)),
            c.addText(Face::Dos, QRectF(1000.5, 1000, dosRight - 1000.5, 300)),
        };
        for (const ElementRef& text : texts) {
            c.view(text.area == Face::Dos ? FaceViews::Dos : FaceViews::RectoVerso);
            c.click(text);
            const QPointF grab = c.sel.selectedRect().center();
            c.sel.beginMove(grab);
            QVERIFY(c.sel.moveTo(grab + QPointF(0, 5)) && c.sel.moveTo(grab + QPointF(0, -3)));
            QCOMPARE(c.rectOf(text).top(), 997.0);
            c.sel.EndDrag();
            // The top handle, pressed in its middle (45, 45) and dragged 5 twips down.
            c.click(text);
            const QPointF handle = c.marks(Face::sheetOf(text.area)).handles[7].topLeft();
            c.sel.beginResize(7);
            QVERIFY(c.sel.resizeTo(7, handle + QPointF(45, 50)));
            QCOMPARE(c.rectOf(text).top(), 1047.0);
        }
    }
};

QTEST_MAIN(TestSelection)
#include "tst_selection.moc"
