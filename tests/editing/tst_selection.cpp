// SPDX-License-Identifier: GPL-3.0-or-later
#include "Application.h"
#include "CoverContext.h"
#include "FaceViews.h"
#include "FitTextInFace.h"
#include "JewelCaseDocument.h"
#include "PicturePlacement.h"
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
    // A text's border as the cover holds it, and as the screen paints it.
    BorderStyle ownBorder(const ElementRef& e) const
    {
        return document.text(e.area, e.index)->borderStyle;
    }
    BorderStyle shownBorderOf(const ElementRef& e) const
    {
        return shownBorder(&marks(Face::sheetOf(e.area)), *document.text(e.area, e.index));
    }
    const SelectionMarks& marks(int sheet) const { return context.screen.overlays[sheet].marks; }
};

} // namespace

class TestSelection : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Application::configure(*qApp); }

    void aSelectionGivesItsWideningBackAndLiesOverTheCover()
    {
        using Kind = SelectionController::Hit::Kind;
        Cover c;
        const QRectF rect(1000, 1000, 1200, 300);
        const ElementRef text = c.addText(Face::Recto, rect, BorderStyle::Single);
        const ElementRef other = c.addText(Face::Recto, QRectF(500, 2900, 400, 300));
        // A handle is found before the frame under it, the bar before the text under it.
        c.click(text);
        QCOMPARE(c.sel.hitTest(RectoSheet, QPointF(1560, 1010)).handle, 7);
        QCOMPARE(c.sel.hitTest(RectoSheet, QPointF(1300, 1200)).kind, Kind::Frame);
        QCOMPARE(c.sel.hitTest(RectoSheet, QPointF(630, 3000)).element, ElementRef::bar(0));
        QCOMPARE(c.sel.hitTest(RectoSheet, QPointF(800, 3000)).element, other);
        QCOMPARE(c.sel.hitTest(RectoSheet, QPointF(9000, 300)).area, int(Face::Verso));
        QCOMPARE(c.sel.hitTest(RectoSheet, QPointF(6810, 300)).kind, Kind::Nothing); // the gap
        // However it ends, only its drags saw it 30 wider, once; the frame stood in for its border.
        const QList<std::function<void()>> endings = {
            [&] { c.click(other); },         [&] { c.sel.pressEmpty(Face::Recto); },
            [&] { c.sel.EndDrag(); },        [&] { c.view(FaceViews::Verso); },
            [&] { c.view(FaceViews::Dos); },
        };
        for (const auto& end : endings) {
            c.click(text);
            c.sel.Select();
            QCOMPARE(c.sel.selectedRect(), QRectF(1000, 1000, 1230, 300));
            QVERIFY(c.marks(RectoSheet).frameVisible && c.marks(RectoSheet).frame == rect);
            QVERIFY(c.rectOf(text) == rect && c.shownBorderOf(text) == BorderStyle::None);
            QCOMPARE(c.ownBorder(text), BorderStyle::Single); // what a save writes
            end();
            QVERIFY(c.rectOf(text) == rect && c.shownBorderOf(text) == BorderStyle::Single);
        }
        QCOMPARE(c.shownBorderOf(other), BorderStyle::None); // not the outline of a drag
        QVERIFY(!c.marks(RectoSheet).handlesVisible);        // none left on the sheet the Dos hides
    }

    void movesAndResizes()
    {
        Cover c;
        const ElementRef text = c.addText(Face::Verso, QRectF(8000, 1000, 1200, 300));
        c.click(text);
        c.sel.beginMove(QPointF(8100, 1050)); // 100, 50 into the frame
        // The frame is hidden and the text shows its own outline during the drag.
        QVERIFY(!c.sel.frameShown() && c.shownBorderOf(text) == BorderStyle::Single);
        QCOMPARE(c.ownBorder(text), BorderStyle::None);
        QVERIFY(c.sel.moveTo(QPointF(8600, 1250)) && c.sel.moveTo(QPointF(8600, 1250)));
        QVERIFY(!c.context.history.isModified()); // recorded when the drag ends
        c.sel.EndDrag();
        QCOMPARE(c.context.history.stack().count(), 1); // the whole drag is one step
        QCOMPARE(c.context.history.stack().undoText(), QStringLiteral("le déplacement"));
        QCOMPARE(c.rectOf(text), QRectF(8500, 1200, 1200, 300));
        // After a drag nothing is selected, and the text commands say so.
        QVERIFY(!c.sel.SelectionCheck(c.prompter) && c.prompter.asked.size() == 1);
        // A border chosen while the frame is shown is the text's at once, and shows once the
        // selection ends.
        c.click(text);
        c.document.text(Face::Verso, text.index)->borderStyle = BorderStyle::Single;
        QCOMPARE(c.shownBorderOf(text), BorderStyle::None);
        c.sel.pressEmpty(Face::Verso);
        QCOMPARE(c.shownBorderOf(text), BorderStyle::Single);

        // A text fitted to the Recto's right edge, its left edge on a half twip, still moves down
        // and up, and takes its top handle, pressed in its middle and dragged 5 down.
        const double right = fittedRight(c.document.faces[Face::Recto].frame);
        const ElementRef fitted = c.addText(Face::Recto, QRectF(3431.5, 1000, right - 3431.5, 300));
        c.click(fitted);
        const QPointF grab = c.marks(RectoSheet).frame.topLeft() + QPointF(100, 100);
        c.sel.beginMove(grab);
        QVERIFY(c.sel.moveTo(grab + QPointF(0, 5)) && c.sel.moveTo(grab + QPointF(0, -3)));
        QCOMPARE(c.rectOf(fitted).top(), 997.0);
        c.sel.EndDrag();
        c.click(fitted);
        c.sel.beginResize(7);
        QVERIFY(c.sel.resizeTo(7, c.marks(RectoSheet).handles[7].topLeft() + QPointF(45, 50)));
        QCOMPARE(c.rectOf(fitted).top(), 1047.0);

        // The Recto sheet's bar belongs to the face it stands over, and slides sideways only.
        const ElementRef bar = ElementRef::bar(RectoSheet);
        const QRectF start = c.rectOf(bar);
        c.click(bar);
        QCOMPARE(c.sel.currentFace(), int(Face::Recto));
        QCOMPARE(c.sel.selectedRect().width(), start.width()); // never widened
        c.sel.beginMove(start.topLeft() + QPointF(30, 3000));
        QVERIFY(c.sel.moveTo(start.topLeft() + QPointF(30 + 8000, 2000)));
        QVERIFY(!c.sel.resizeTo(3, QPointF(8600, 500)));
        c.sel.EndDrag();
        QCOMPARE(c.rectOf(bar), start.translated(8000, 0));
        QCOMPARE(c.sel.currentFace(), int(Face::Verso));
    }

    void viewsAndSpines()
    {
        Cover c;
        QSignalSpy entries(&c.sel, &SelectionController::textEntriesAvailable);
        const ElementRef text = c.addText(Face::Recto, QRectF(1000, 1000, 1200, 300));
        c.click(text);
        auto state = FaceViews::ShowView(c.context, FaceViews::Dos);
        QVERIFY(state && state->sheetSwitched && state->view == View::Dos);
        QVERIFY(c.sel.currentSelection().isEmpty() && c.sel.currentFace() == Face::Dos);
        QCOMPARE(c.context.screen.captionShown, (std::array<bool, 3>{false, false, true}));

        // A spine shows its handles, no frame over its outline, and never changes.
        c.click(ElementRef::spine(1));
        QVERIFY(c.marks(DosSheet).handlesVisible && !c.marks(DosSheet).frameVisible);
        c.sel.beginResize(4);
        QVERIFY(!c.sel.resizeTo(4, QPointF(7900, 6000)));
        c.sel.beginMove(QPointF(8200, 100));
        QVERIFY(!c.sel.moveTo(QPointF(8100, 500)));
        QVERIFY(c.sel.SelectionCheck(c.prompter)); // its text
        const ElementRef overSpine = c.addText(Face::Dos, QRectF(100, 2000, 600, 300));
        QCOMPARE(c.sel.hitTest(DosSheet, QPointF(200, 2100)).element, overSpine); // over spine 0
        QCOMPARE(c.sel.hitTest(DosSheet, QPointF(200, 100)).element, ElementRef::spine(0));
        c.click(overSpine);
        QCOMPARE(entries, (QList<QVariantList>{{true}, {false}, {true}}));

        // The same view again: no sheet switch, but the selection still ends.
        state = FaceViews::ShowView(c.context, FaceViews::Dos);
        QVERIFY(state && !state->sheetSwitched && !c.marks(DosSheet).handlesVisible);
        state = FaceViews::ShowView(c.context, FaceViews::Verso);
        QVERIFY(state && state->sheetSwitched && state->view == View::RectoVerso);
        QCOMPARE(c.sel.currentFace(), int(Face::Verso));
        QCOMPARE(c.context.screen.captionShown, (std::array<bool, 3>{true, true, false}));
        c.click(text);
        QVERIFY(!FaceViews::ShowView(c.context, -1)); // no such entry: the selection stays
        QVERIFY(c.sel.currentSelection() == text && c.sel.currentFace() == Face::Recto);
    }

    void aLogoIsSelectedAndDraggedLikeAText()
    {
        Cover c;
        PicturePlacement::PlaceLogo(c.document, Face::Verso,
                                    PicturePlacement::LogoDisplayMode::TopLeft, false,
                                    Picture::fromImage(QImage(100, 100, QImage::Format_RGB32)));
        const QRectF placed = c.document.faces[Face::Verso].logo.rect;
        const ElementRef logo = c.sel.elementAt(RectoSheet, placed.center());
        QCOMPARE(logo, ElementRef::logo(Face::Verso));
        c.click(logo);
        QVERIFY(c.marks(RectoSheet).frameVisible && c.sel.currentFace() == Face::Verso);
        c.sel.beginMove(placed.center());
        QVERIFY(c.sel.moveTo(placed.center() + QPointF(500, 300)));
        QVERIFY(!c.sel.moveTo(placed.center() + QPointF(-500, 300))); // not into the Recto
        c.sel.EndDrag();
        // From the Left recorded in whole twips.
        QCOMPARE(c.rectOf(logo), QRectF(std::round(placed.left()) + 500, placed.top() + 300,
                                        placed.width(), placed.height()));
        // The text commands do not take a picture.
        c.click(logo);
        QVERIFY(!c.sel.SelectionCheck(c.prompter));
        QCOMPARE(c.prompter.last().text, QStringLiteral("Pas de texte sélectionné."));
    }
};

QTEST_MAIN(TestSelection)
#include "tst_selection.moc"
