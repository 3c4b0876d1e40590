// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlignmentCommands.h"
#include "Application.h"
#include "CoverContext.h"
#include "FaceViews.h"
#include "FitTextInFace.h"
#include "JewelCaseDocument.h"
#include "ScriptedPrompter.h"
#include "TextElementCommands.h"
#include "TextFormattingCommands.h"
#include "TextMetrics.h"
#include "VerticalTextDrawing.h"

#include <QApplication>
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
    const QString& said() const { return prompter.last().text; }
};

bool near(double a, double b)
{
    return qAbs(a - b) < 0.01;
}

} // namespace

class TestTextCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Application::configure(*qApp); }

    void insertingEditingAndFittingTexts()
    {
        Cover cover;
        QVERIFY(near(cover.texts.InsertText(Face::Verso, false)->left, 10234.725));
        TextElement* recto = cover.texts.InsertText(Face::Recto, false);
        QVERIFY(near(recto->left, 3431.575) && near(recto->top, 3925.985));
        QCOMPARE(recto->rect().size(), TextMetrics::captionSize(TextFont(), recto->caption()));
        QVERIFY(!cover.texts.InsertText(5, false));
        QCOMPARE(cover.selection.currentSelection(), ElementRef::text(Face::Recto, 1));

        // The editor's answer is written back exactly, "&Annuler" keeps it; both refit the text.
        const QString edited = QStringLiteral("Première ligne\r\nDeuxième ligne assez longue\r\n");
        recto->setRect({6000, 3000, 900, 255});
        cover.editorAnswer = edited;
        cover.texts.edit();
        cover.editorAnswer.reset();
        cover.texts.edit();
        QCOMPARE(cover.editorOpenedWith, (QStringList{QStringLiteral("Texte"), edited}));
        QCOMPARE(recto->caption(), edited);
        QCOMPARE(recto->left + recto->width, 6743.0f);

        // A deleted text stays in its array; the next one still takes the highest index + 1.
        QVERIFY(cover.texts.InsertText(Face::Recto, false)->zOrder > recto->zOrder);
        cover.texts.deleteSelection();
        QVERIFY(!cover.document.faces[Face::Recto].text(2)->visible);
        QCOMPARE(cover.texts.InsertText(Face::Recto, true)->index, 3);

        // The Dos view sends both menu entries to the Dos; there is no third.
        FaceViews::ShowView(cover.context, FaceViews::Dos);
        for (const int entry : {0, 1, 2})
            cover.texts.insertFromMenu(entry);
        const Face& dos = cover.document.faces[Face::Dos];
        QCOMPARE(dos.highestIndex(), 2);
        QVERIFY(near(dos.text(1)->left, 3771.575) && near(dos.text(1)->top, 3344.88));

        // Cut back to end 60 inside the face, where its selection can still be dragged.
        const QList<std::pair<QRectF, QRectF>> fittings = {
            {{6000, 6500, 1500, 600}, {6000, 6500, 743, 243}},
            {{6000, 1000, 783, 300}, {6000, 1000, 743, 300}}, // 20 inside is too close
            {{1000, 1000, 5743, 300}, {1000, 1000, 5743, 300}},
            {{6780, 6790, 500, 500}, {6780, 6790, 60, 60}}, // never below 60 twips
        };
        for (const auto& [before, after] : fittings) {
            recto->setRect(before);
            fitTextInFace(cover.document, cover.selection, *recto, Face::Recto);
            QCOMPARE(recto->rect(), after);
        }

        // "Ajusté à la taille du texte" past the edge cuts the text too (tst_selection drags one).
        const QRectF frame = dos.frame;
        const ElementRef fitted = cover.insert(Face::Dos, {frame.right() - 1000.5, 1000.5});
        cover.click(fitted);
        cover.text(fitted).setCaption(QStringLiteral("Un titre bien trop long"));
        cover.formatting.textAlignment(3);
        const TextElement& text = cover.text(fitted);
        QVERIFY(!text.autoSize() && near(text.left + text.width, fittedRight(frame)));
    }

    void formattingTextsAndSpines()
    {
        Cover cover;
        const ElementRef selected = cover.insert(Face::Recto, {1000, 1000});
        const ElementRef hidden = cover.insert(Face::Recto, {1000, 2000});
        cover.text(hidden).visible = false;
        const ElementRef verso = cover.insert(Face::Verso, {8000, 1000});
        cover.click(selected);

        // Cancelled dialogs change nothing and ask nothing; the back colour starts from the fore
        // one.
        cover.formatting.font();
        cover.formatting.colour();
        cover.formatting.backColour(1);
        QCOMPARE(cover.prompter.lastAsked().colour, OleColors::systemWindowText);
        QCOMPARE(cover.prompter.asked.size(), 3);
        QVERIFY(cover.text(selected).font() == TextFont() &&
                cover.text(selected).foreColor == OleColors::systemWindowText &&
                cover.text(selected).backStyle == BackStyle::Transparent);

        const TextFont comic{QStringLiteral("Comic Sans MS"), 16, true, false, false, false};
        cover.prompter.buttons = {Prompter::Cancel, Prompter::No, Prompter::Yes};
        cover.prompter.fonts = {comic, comic};
        cover.prompter.colours = {0x000000FF, 0x000000C0};

        // Cancel: nothing changes, and no step is recorded.
        const int steps = cover.context.history.stack().count();
        cover.formatting.colour();
        QCOMPARE(cover.text(selected).foreColor, OleColors::systemWindowText);
        QCOMPARE(cover.context.history.stack().count(), steps);

        // No: the selection only, and its border stays when it is left.
        cover.formatting.border(1);
        const Prompter::Message& question = cover.prompter.last();
        QVERIFY(question.icon == Prompter::Icon::Question &&
                question.defaultButton == Prompter::No &&
                question.buttons == (Prompter::Yes | Prompter::No | Prompter::Cancel));
        cover.selection.pressEmpty(Face::Recto);
        QCOMPARE(cover.text(selected).borderStyle, BorderStyle::Single);
        QCOMPARE(cover.text(hidden).borderStyle, BorderStyle::None);

        // Yes: every Recto text, hidden ones and the template included, and nothing else. The
        // font dialog starts from the selected text's own font.
        cover.click(selected);
        const TextFont italic{QStringLiteral("Times New Roman"), 14, false, true, false, false};
        cover.text(selected).setFont(italic);
        cover.formatting.font();
        QCOMPARE(cover.prompter.asked[cover.prompter.asked.size() - 2].font, italic);
        for (const int index : {0, 1, 2})
            QCOMPARE(cover.document.faces[Face::Recto].text(index)->font(), comic);
        QCOMPARE(cover.text(verso).font(), TextFont());

        // A selected bar is no text.
        cover.click(ElementRef::bar(RectoSheet));
        cover.prompter.asked.clear();
        cover.texts.edit();
        cover.texts.deleteSelection();
        cover.formatting.font();
        cover.formatting.border(1);
        cover.formatting.textAlignment(3);
        cover.formatting.textAlignment(7); // no such entry: not even asked
        QCOMPARE(cover.prompter.asked.size(), 5);
        for (const auto& asked : cover.prompter.asked)
            QCOMPARE(asked.message.text, QStringLiteral("Pas de texte sélectionné."));

        // A spine stands for the vertical text.
        FaceViews::ShowView(cover.context, FaceViews::Dos);
        cover.click(ElementRef::spine(0));
        DrawRotatedText(cover.document, QStringLiteral("Ancien titre"));
        cover.prompter.texts = {QStringLiteral("Nouvel album"), QString()};
        cover.texts.edit();
        QCOMPARE(cover.prompter.lastAsked().defaultText, QStringLiteral("Ancien titre"));
        cover.texts.edit(); // an empty answer changes nothing
        QCOMPARE(cover.document.dosSheet().drawing.at(0).text, QStringLiteral(" Nouvel album "));

        // Colour and font redraw both runs; the border is the left spine's only.
        cover.formatting.colour();
        for (const RotatedTextRun& run : cover.document.dosSheet().drawing)
            QCOMPARE(run.color, OleColor(0xC0));
        cover.formatting.font();
        QCOMPARE(cover.document.dosSheet().drawing.at(1).font, comic);
        cover.formatting.border(0);
        QCOMPARE(cover.document.spines[0].borderStyle, BorderStyle::None);
        QCOMPARE(cover.document.spines[1].borderStyle, BorderStyle::Single);

        // Deleting a spine clears both drawings; the caption is offered again next time.
        cover.texts.deleteSelection();
        QVERIFY(cover.document.dosSheet().drawing.empty());
        QCOMPARE(cover.document.verticalText.caption(), QStringLiteral("Nouvel album"));
    }

    void spacingAndAligningOnTheBar()
    {
        // Three texts 300 high from 1000 to 4000: gaps of 980.63 twips.
        Cover cover;
        const ElementRef a = cover.insert(Face::Recto, {1000, 4000});
        const ElementRef b = cover.insert(Face::Recto, {3000, 1000});
        const ElementRef c = cover.insert(Face::Recto, {1000, 2500});
        const ElementRef hidden = cover.insert(Face::Recto, {4000, 500});
        cover.text(hidden).visible = false;
        const ElementRef verso = cover.insert(Face::Verso, {9000, 1000});
        cover.click(c);
        cover.alignment.SpaceVertically(0);
        QCOMPARE(cover.text(b).top, 1000.0f);
        QVERIFY(near(cover.text(c).top, 2280.63));
        QVERIFY(near(cover.text(a).top, 3561.26));
        QCOMPARE(cover.text(hidden).top, 500.0f); // hidden texts are not placed
        QCOMPARE(cover.context.screen.overlays[RectoSheet].marks.frame.top(),
                 cover.text(c).top); // the frame follows

        // Nothing selected: every Recto text goes to the bar's right edge, hidden ones too.
        QRectF& bar = cover.context.screen.overlays[RectoSheet].bar;
        const auto onBar = [&](const ElementRef& text) {
            return double(cover.text(text).left) == bar.right();
        };
        cover.selection.EndDrag();
        QVERIFY(cover.alignment.AlignToBar(0));
        QVERIFY(onBar(a) && onBar(b) && onBar(c) && onBar(hidden) && !onBar(verso));

        // The bar must stand 60 twips or more inside the face.
        const QRectF recto = cover.document.faces[Face::Recto].frame;
        for (const double inside : {60, 59})
            for (const double right : {recto.left() + inside, recto.right() - inside}) {
                bar.moveRight(right);
                QCOMPARE(cover.alignment.AlignToBar(0), inside == 60);
            }
        QCOMPARE(cover.said(),
                 QStringLiteral("Désolé. La barre d'alignement n'est pas dans la zone. Déplacer la "
                                "barre dans la zone désirée."));

        // Ctrl+A aligns on the face the bar was last dragged over.
        for (const auto& [left, text] : {std::pair{8000.0, verso}, std::pair{2000.0, b}}) {
            cover.click(ElementRef::bar(RectoSheet));
            cover.selection.beginMove(bar.center());
            QVERIFY(cover.selection.moveTo(bar.center() + QPointF(left - bar.left(), 0)));
            cover.selection.EndDrag();
            cover.alignment.alignKey();
            QVERIFY(onBar(text));
        }

        // A wide selected text is cut to end 60 inside the face.
        cover.text(b).width = 6000;
        cover.click(b);
        QVERIFY(cover.alignment.AlignToBar(0));
        QCOMPARE(cover.text(b).left + cover.text(b).width, 6743.0f);

        // Ctrl+A with the bar hidden says so and aligns nothing.
        cover.alignment.ToggleAlignmentBar();
        cover.text(b).left = 3000;
        cover.alignment.alignKey();
        QCOMPARE(cover.said(), QStringLiteral("La barre d'alignement doit être visible pour "
                                              "aligner le texte sélectionné !"));
        QCOMPARE(cover.text(b).left, 3000.0f);

        // More texts than the face holds: spread 30 inside its top and bottom, evenly.
        for (const int count : {14, 200}) {
            Cover crowded;
            for (int i = 0; i < count; ++i)
                crowded.insert(Face::Verso, {8000, 2000.0 + i}, {800, 600});
            crowded.alignment.SpaceVertically(1);
            const Face& face = crowded.document.faces[Face::Verso];
            const double step = (6803.15 - 2 * 30 - 600) / (count - 1);
            for (int i = 1; i <= count; ++i)
                QVERIFY(near(face.text(i)->top, 30 + (i - 1) * step));
        }
    }
};

QTEST_MAIN(TestTextCommands)
#include "tst_textcommands.moc"
