#include "AlignmentCommands.h"
#include "Application.h"
#include "CoverContext.h"
#include "FaceViews.h"
#include "FitLabelInFace.h"
#include "JewelCaseDocument.h"
#include "ScriptedPrompter.h"
#include "TextElementCommands.h"
#include "TextFormattingCommands.h"
#include "TextMetrics.h"
#include "VerticalTextDrawing.h"

#include <QApplication>
#include <QSignalSpy>
#include <QtTest>

namespace {

// A cover with its commands and no window; the text editor is scripted.
struct Cover {
    JewelCaseDocument document;
    ScriptedPrompter prompter;
    CoverContext context{document, prompter};
    std::optional<QString> editorAnswer;
    QStringList editorOpenedWith;
    TextElementCommands texts{context, [this](const QString& caption) {
                                  editorOpenedWith.append(caption);
                                  return editorAnswer;
                              }};
    TextFormattingCommands formatting{context};
    AlignmentCommands alignment{context};
    SelectionController& selection = context.selection;

    Cover() { FaceViews::ShowView(context, FaceViews::RectoVerso); }

    ElementRef insert(int face, QPointF at, QSizeF size = {800, 300})
    {
        TextElement* element = texts.InsertText(face, true);
        element->setRect(QRectF(at, size));
        return ElementRef::text(face, element->index);
    }

    void click(const ElementRef& element)
    {
        selection.pressElement(element);
        selection.clickElement(element);
    }

    TextElement& text(const ElementRef& element) { return *context.surface.text(element); }
};

const QString noText = QStringLiteral("Pas de texte sélectionné.");

bool near(double a, double b)
{
    return qAbs(a - b) < 0.01;
}

} // namespace

class TestTextCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Application::configure(*qApp); }

    void insertingPlacesANewSelectedText()
    {
        Cover cover;
        QSignalSpy entries(&cover.selection, &SelectionController::textEntriesAvailable);
        TextElement* recto = cover.texts.InsertText(Face::Recto, false);
        QCOMPARE(recto->index, 1);
        QVERIFY(recto->visible && !recto->autoSize());
        QCOMPARE(recto->caption(), QStringLiteral("Texte"));
        QVERIFY(near(recto->left, 3431.575) && near(recto->top, 3925.985));
        // As large as "Texte" in the template font; its selection counts it 30 twips wider.
        const QSizeF word = TextMetrics::captionSize(TextFont(), QStringLiteral("Texte"));
        QCOMPARE(recto->width, float(word.width()));
        QCOMPARE(cover.selection.selectedRect().width(), std::ceil(word.width()) + 30);
        QCOMPARE(cover.selection.currentSelection(), ElementRef::text(Face::Recto, 1));
        QVERIFY(cover.context.screen.overlays[RectoSheet].marks.frameVisible);
        // The text-only entries of the menu follow the new selection.
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries.last().first().toBool(), true);

        // Stacked at the same place, each its own element in front of the last.
        TextElement* second = cover.texts.InsertText(Face::Recto, false);
        QCOMPARE(second->index, 2);
        QCOMPARE(QPointF(second->left, second->top), QPointF(recto->left, recto->top));
        QVERIFY(second->zOrder > recto->zOrder);
        QVERIFY(near(cover.texts.InsertText(Face::Verso, false)->left, 10234.725));

        // A deleted text stays in its array; the next one still takes the highest index + 1.
        cover.click(ElementRef::text(Face::Recto, 2));
        cover.texts.deleteSelection();
        QVERIFY(!cover.document.faces[Face::Recto].text(2)->visible);
        QCOMPARE(cover.texts.InsertText(Face::Recto, true)->index, 3);

        // The Dos view sends both menu entries to the Dos; a spine hides the text entries.
        FaceViews::ShowView(cover.context, FaceViews::Dos);
        cover.click(ElementRef::spine(0));
        QCOMPARE(entries.takeLast().first().toBool(), false);
        const auto emitted = entries.size();
        cover.document.documentModified = false;
        cover.texts.insertFromMenu(0);
        QCOMPARE(entries.size(), emitted + 1);
        QCOMPARE(entries.last().first().toBool(), true);
        cover.texts.insertFromMenu(1);
        cover.texts.insertFromMenu(2); // no such entry
        const Face& dos = cover.document.faces[Face::Dos];
        QCOMPARE(dos.highestIndex(), 2);
        QVERIFY(near(dos.text(1)->left, 3771.575) && near(dos.text(1)->top, 3344.88));
        QVERIFY(cover.document.documentModified);
        QVERIFY(!cover.texts.InsertText(5, false));
    }

    void editingThroughTheEditor()
    {
        Cover cover;
        const ElementRef text = cover.insert(Face::Recto, {6000, 3000}, {900, 255});
        cover.click(text);
        cover.editorAnswer = QStringLiteral("Première ligne\r\nDeuxième ligne assez longue");
        cover.texts.edit();
        QCOMPARE(cover.editorOpenedWith, QStringList{QStringLiteral("Texte")});
        QCOMPARE(cover.text(text).caption(), *cover.editorAnswer);
        // Refitted: it ended past the Recto's right edge, and now ends 60 inside it.
        QVERIFY(cover.selection.frameShown());
        cover.selection.Deselect(Face::Recto);
        QCOMPARE(cover.text(text).left + cover.text(text).width, 6743.0f);

        // "&Annuler" keeps the caption; the text is still refitted and reselected.
        cover.click(text);
        cover.editorAnswer.reset();
        cover.texts.edit();
        QCOMPARE(cover.text(text).caption(),
                 QStringLiteral("Première ligne\r\nDeuxième ligne assez longue"));
        QCOMPARE(cover.selection.currentSelection(), text);

        // Nothing selected: said, and no editor.
        cover.selection.endSelection();
        cover.texts.edit();
        QCOMPARE(cover.prompter.last().text, noText);
        QCOMPARE(cover.editorOpenedWith.size(), 2);
    }

    void applyToAllQuestions()
    {
        Cover cover;
        const ElementRef selected = cover.insert(Face::Recto, {1000, 1000});
        const ElementRef hidden = cover.insert(Face::Recto, {1000, 2000});
        cover.text(hidden).visible = false;
        const ElementRef verso = cover.insert(Face::Verso, {8000, 1000});
        cover.click(selected);

        // Cancel: nothing changes, but the cover counts as modified.
        cover.prompter.buttons.push_back(Prompter::Cancel);
        cover.formatting.border(1);
        QCOMPARE(
            cover.prompter.last().text,
            QStringLiteral("Voulez vous changer la bordure à tous les éléments ou uniquement à "
                           "l'élément sélectionné ?\r\n\r\nCliquez sur Oui pour appliquer à tous "
                           "les éléments\r\nCliquez sur Non pour appliquer uniquement à "
                           "l'élément sélectionné."));
        QCOMPARE(cover.prompter.last().icon, Prompter::Icon::Question);
        QCOMPARE(cover.prompter.last().buttons, Prompter::Yes | Prompter::No | Prompter::Cancel);
        QCOMPARE(cover.prompter.last().defaultButton, Prompter::No);
        QCOMPARE(cover.text(hidden).borderStyle, BorderStyle::None);
        QVERIFY(cover.document.documentModified);

        // No: the selection only, and its border stays when it is left.
        cover.prompter.buttons.push_back(Prompter::No);
        cover.formatting.border(1);
        QCOMPARE(cover.text(selected).borderStyle, BorderStyle::None); // the frame stands in
        cover.selection.pressEmpty(Face::Recto);
        QCOMPARE(cover.text(selected).borderStyle, BorderStyle::Single);
        QCOMPARE(cover.text(hidden).borderStyle, BorderStyle::None);

        // Yes: every Recto text, hidden ones and the template included, and nothing else.
        cover.click(selected);
        const TextFont comic{QStringLiteral("Comic Sans MS"), 16, true, false, false, false};
        cover.prompter.fonts.push_back(comic);
        cover.prompter.buttons.push_back(Prompter::Yes);
        cover.formatting.font();
        QCOMPARE(cover.prompter.asked[cover.prompter.asked.size() - 2].font, TextFont());
        QVERIFY(cover.prompter.last().text.contains(
            QStringLiteral("\r\n\r\nCliquez sur Oui pour aplliquer à tous les éléments\r\n"
                           "Cliquez sur Non pour appliquer uniquement au texte sélectionné.")));
        for (int index : {0, 1, 2})
            QCOMPARE(cover.document.faces[Face::Recto].text(index)->font(), comic);
        QCOMPARE(cover.text(verso).font(), TextFont());

        // The background colour dialog starts from the text colour.
        cover.prompter.colours.push_back(0x00336699);
        cover.prompter.buttons.push_back(Prompter::No);
        cover.formatting.backColour(1);
        QCOMPARE(cover.prompter.asked[cover.prompter.asked.size() - 2].colour,
                 OleColors::systemWindowText);
        QCOMPARE(cover.text(selected).backStyle, BackStyle::Opaque);
        QCOMPARE(cover.text(selected).backColor, OleColor(0x00336699));
        QCOMPARE(cover.text(hidden).backStyle, BackStyle::Transparent);

        cover.prompter.colours.push_back(0x000000FF);
        cover.prompter.buttons.push_back(Prompter::No);
        cover.formatting.colour();
        QVERIFY(cover.prompter.last().text.endsWith(
            QStringLiteral("Cliquez sur Non pour appliquez uniquement à l'élément sélectionné.")));
        QCOMPARE(cover.text(selected).foreColor, OleColor(0xFF));
        QCOMPARE(cover.text(hidden).foreColor, OleColors::systemWindowText);
    }

    void alignmentAndStacking()
    {
        Cover cover;
        const ElementRef back = cover.insert(Face::Recto, {1000, 1000});
        const ElementRef front = cover.insert(Face::Recto, {1000, 1000});
        cover.click(back);
        cover.formatting.textAlignment(1);
        QCOMPARE(cover.text(back).alignment, Alignment::Right);
        cover.formatting.textAlignment(2);
        QCOMPARE(cover.text(back).alignment, Alignment::Centre);
        cover.formatting.textAlignment(7); // no such entry
        QCOMPARE(cover.text(back).alignment, Alignment::Centre);

        QVERIFY(cover.text(back).zOrder < cover.text(front).zOrder);
        cover.formatting.bringToFront();
        QVERIFY(cover.text(back).zOrder > cover.text(front).zOrder);
        cover.click(back);
        cover.formatting.sendToBack();
        QVERIFY(cover.text(back).zOrder < cover.text(front).zOrder);
        QVERIFY(cover.text(back).zOrder < cover.document.faces[Face::Recto].text(0)->zOrder);
    }

    void cancelledDialogsAndTheBarChangeNothing()
    {
        Cover cover;
        const ElementRef text = cover.insert(Face::Recto, {1000, 1000});
        cover.click(text);
        cover.formatting.font(); // the scripted dialogs are cancelled
        cover.formatting.colour();
        cover.formatting.backColour(1);
        QCOMPARE(cover.text(text).font(), TextFont());
        QCOMPARE(cover.text(text).foreColor, OleColors::systemWindowText);
        QCOMPARE(cover.text(text).backStyle, BackStyle::Transparent);
        for (const auto& asked : cover.prompter.asked)
            QVERIFY(asked.kind != QStringLiteral("message")); // no question after a cancel

        cover.click(ElementRef::bar(RectoSheet));
        const int asked = cover.prompter.asked.size();
        cover.texts.edit();
        cover.texts.deleteSelection();
        cover.formatting.font();
        cover.formatting.border(1);
        cover.formatting.textAlignment(3);
        QCOMPARE(cover.prompter.asked.size(), asked + 5);
        for (int i = asked; i < cover.prompter.asked.size(); ++i)
            QCOMPARE(cover.prompter.asked[i].message.text, noText);
        QVERIFY(cover.context.screen.overlays[RectoSheet].barVisible);
        QVERIFY(cover.editorOpenedWith.isEmpty());
    }

    void spinesStandForTheVerticalText()
    {
        Cover cover;
        FaceViews::ShowView(cover.context, FaceViews::Dos);
        cover.click(ElementRef::spine(0));
        DrawRotatedText(cover.document, QStringLiteral("Ancien titre"));

        cover.prompter.texts.push_back(QStringLiteral("Nouvel album"));
        cover.texts.edit();
        QCOMPARE(cover.prompter.last().title, QStringLiteral("Changer le texte vertical"));
        QCOMPARE(cover.prompter.last().text, QStringLiteral("Entrer votre texte"));
        QCOMPARE(cover.prompter.lastAsked().defaultText, QStringLiteral("Ancien titre"));
        QCOMPARE(cover.document.dosSheet().drawing.at(0).text, QStringLiteral(" Nouvel album "));
        cover.prompter.texts.push_back(QString()); // an empty answer changes nothing
        cover.texts.edit();
        QCOMPARE(cover.document.verticalText.caption(), QStringLiteral("Nouvel album"));

        cover.prompter.colours.push_back(0x000000C0);
        cover.formatting.colour();
        for (const RotatedTextRun& run : cover.document.dosSheet().drawing)
            QCOMPARE(run.color, OleColor(0xC0));
        cover.prompter.fonts.push_back(
            TextFont{QStringLiteral("Comic Sans MS"), 12, false, true, false, false});
        cover.formatting.font();
        QCOMPARE(cover.document.dosSheet().drawing.at(1).font.name,
                 QStringLiteral("Comic Sans MS"));
        cover.formatting.border(0);
        QCOMPARE(cover.document.spines[0].borderStyle, BorderStyle::None);
        QCOMPARE(cover.document.spines[1].borderStyle, BorderStyle::Single);
        for (const auto& asked : cover.prompter.asked)
            QVERIFY(asked.kind != QStringLiteral("message")); // no apply-to-all question

        // Deleting a spine clears both drawings; the caption is offered again next time.
        cover.texts.deleteSelection();
        QVERIFY(cover.document.dosSheet().drawing.empty());
        QCOMPARE(cover.document.verticalText.caption(), QStringLiteral("Nouvel album"));
    }

    void fittedTextsStayInsideAndMovable()
    {
        Cover cover;
        TextElement& element = cover.text(cover.insert(Face::Recto, {6000, 6500}, {1500, 600}));
        FitLabelInFace(cover.document, cover.selection, element, Face::Recto);
        QCOMPARE(element.rect(), QRectF(6000, 6500, 6743 - 6000, 6743 - 6500));
        // Ending 20 twips inside the edge is too close for its selection to be dragged: pulled
        // in to 60; a text that ends 60 inside is left alone.
        element.setRect(QRectF(6000, 1000, 783, 300));
        FitLabelInFace(cover.document, cover.selection, element, Face::Recto);
        QCOMPARE(element.rect(), QRectF(6000, 1000, 743, 300));
        element.setRect(QRectF(1000, 1000, 5743, 300));
        FitLabelInFace(cover.document, cover.selection, element, Face::Recto);
        QCOMPARE(element.rect(), QRectF(1000, 1000, 5743, 300));
        // Starting past the edge, it keeps 60 twips rather than turning negative.
        element.setRect(QRectF(6780, 6790, 500, 500));
        FitLabelInFace(cover.document, cover.selection, element, Face::Recto);
        QCOMPARE(element.rect(), QRectF(6780, 6790, 60, 60));

        // "Ajusté à la taille du texte" on a text that then passes the edge: cut 60 inside,
        // and still free to move straight up or down and to take its top handle.
        const QString longTitle =
            QStringLiteral("Un titre bien trop long pour rester dans la face");
        for (const int face : {int(Face::Recto), int(Face::Dos)}) {
            FaceViews::ShowView(cover.context, face == Face::Dos ? FaceViews::Dos : 0);
            const QRectF frame = cover.document.faces[std::size_t(face)].frame;
            const ElementRef fitted = cover.insert(face, {frame.right() - 3000.5, 1000.5});
            cover.click(fitted);
            cover.text(fitted).setCaption(longTitle);
            cover.formatting.textAlignment(3);
            const TextElement& text = cover.text(fitted);
            QVERIFY(!text.autoSize());
            QVERIFY(qAbs(text.left + text.width - fittedRight(frame)) < 0.01);
            QVERIFY(fittedRight(frame) <= frame.right() - 60);

            const QPointF inside = text.rect().center() - QPointF(100, 0);
            cover.selection.beginMove(inside);
            QVERIFY(cover.selection.moveTo(inside + QPointF(0, 45)));
            cover.selection.EndDrag();
            cover.click(fitted);
            const QPointF topHandle =
                cover.context.screen.overlays[Face::sheetOf(face)].marks.handles[7].topLeft();
            cover.selection.beginResize(7);
            QVERIFY(cover.selection.resizeTo(7, topHandle + QPointF(0, -20)));
            cover.selection.EndDrag();
        }
    }

    void spacingKeepsTheTopAndStaysInsideTheFace()
    {
        // Three texts 300 high, the topmost at 1000: gaps of 980.63 twips.
        Cover cover;
        const ElementRef a = cover.insert(Face::Recto, {1000, 4000});
        const ElementRef b = cover.insert(Face::Recto, {1000, 1000});
        const ElementRef c = cover.insert(Face::Recto, {1000, 2500});
        const ElementRef hidden = cover.insert(Face::Recto, {1000, 500});
        cover.text(hidden).visible = false;
        cover.click(c);
        cover.alignment.SpaceVertically(0);
        QCOMPARE(cover.text(b).top, 1000.0f);
        QVERIFY(near(cover.text(c).top, 2280.63));
        QVERIFY(near(cover.text(a).top, 3561.26));
        QCOMPARE(cover.text(hidden).top, 500.0f); // hidden texts are not placed
        // The frame follows its text.
        QCOMPARE(cover.context.screen.overlays[RectoSheet].marks.frame.top(),
                 double(cover.text(c).top));

        // More texts than the face holds: spread from the top, the last ending inside, each
        // one overlapping the next by the same amount.
        for (const int count : {14, 200}) {
            Cover crowded;
            for (int i = 0; i < count; ++i)
                crowded.insert(Face::Verso, {8000, 2000.0 + i}, {800, 600});
            crowded.alignment.SpaceVertically(1);
            const Face& verso = crowded.document.faces[Face::Verso];
            QCOMPARE(verso.text(1)->top, 30.0f);
            const TextElement& last = *verso.text(count);
            QVERIFY(near(last.top + last.height, 6803.15 - 30));
            const double step = verso.text(2)->top - verso.text(1)->top;
            for (int i = 2; i <= count; ++i)
                QVERIFY(near(verso.text(i)->top - verso.text(i - 1)->top, step));
        }
    }

    void aligningOnTheBar()
    {
        Cover cover;
        const ElementRef first = cover.insert(Face::Recto, {3000, 1000});
        const ElementRef hidden = cover.insert(Face::Recto, {4000, 2000});
        cover.text(hidden).visible = false;
        const ElementRef verso = cover.insert(Face::Verso, {9000, 1000});
        QRectF& bar = cover.context.screen.overlays[RectoSheet].bar;

        // Nothing selected: every Recto text goes to the bar's right edge, hidden ones too.
        QVERIFY(cover.alignment.AlignToBar(0));
        QCOMPARE(double(cover.text(first).left), bar.right());
        QCOMPARE(double(cover.text(hidden).left), bar.right());
        QCOMPARE(cover.text(verso).left, 9000.0f);

        // Out of the face's zone, 60 twips in from each edge: refused.
        bar.moveLeft(60 - 75 - 1);
        QVERIFY(!cover.alignment.AlignToBar(0));
        QCOMPARE(cover.prompter.last().text,
                 QStringLiteral("Désolé. La barre d'alignement n'est pas dans la zone. Déplacer la "
                                "barre dans la zone désirée."));
        bar.moveLeft(60 - 75);
        QVERIFY(cover.alignment.AlignToBar(0));

        // Ctrl+A after dragging the bar over the Verso aligns on the Verso, and a wide
        // selected text is shrunk to end 60 inside the face.
        cover.click(ElementRef::bar(RectoSheet));
        cover.selection.beginMove(bar.center());
        QVERIFY(cover.selection.moveTo(bar.center() + QPointF(8000 - bar.left(), 0)));
        cover.selection.EndDrag();
        QCOMPARE(cover.selection.currentFace(), int(Face::Verso));
        cover.alignment.alignKey();
        QCOMPARE(double(cover.text(verso).left), bar.right());
        // After pressing it over the Recto, on the Recto.
        cover.click(ElementRef::bar(RectoSheet));
        cover.selection.beginMove(bar.center());
        QVERIFY(cover.selection.moveTo(bar.center() + QPointF(2000 - bar.left(), 0)));
        cover.selection.EndDrag();
        cover.prompter.asked.clear();
        cover.alignment.alignKey();
        QVERIFY(cover.prompter.asked.isEmpty());
        QCOMPARE(double(cover.text(first).left), bar.right());

        cover.text(first).width = 6000;
        cover.click(first);
        QVERIFY(cover.alignment.AlignToBar(0));
        QVERIFY(cover.selection.frameShown());
        cover.selection.Deselect(Face::Recto);
        QCOMPARE(cover.text(first).left + cover.text(first).width, 6743.0f);

        // Ctrl+A with the bar hidden says so and aligns nothing.
        cover.alignment.ToggleAlignmentBar();
        QVERIFY(!cover.context.screen.overlays[DosSheet].barVisible);
        cover.text(verso).left = 9000;
        cover.alignment.alignKey();
        QCOMPARE(
            cover.prompter.last().text,
            QStringLiteral(
                "La barre d'alignement doit être visible pour aligner le texte sélectionné !"));
        QCOMPARE(cover.text(verso).left, 9000.0f);
    }
};

QTEST_MAIN(TestTextCommands)
#include "tst_textcommands.moc"
