#include "AlignmentCommands.h"
#include "Application.h"
#include "CoverSelection.h"
#include "FaceViews.h"
#include "FitLabelInFace.h"
#include "JewelCaseDocument.h"
#include "ScriptedPrompter.h"
#include "TextElementCommands.h"
#include "TextFormattingCommands.h"
#include "TextMetrics.h"

#include <QApplication>
#include <QtTest>

namespace {

// A laid-out cover with its commands; the text editor is scripted.
struct Cover {
    JewelCaseDocument document;
    CoverSelection selection{document};
    ScriptedPrompter prompter;
    std::optional<QString> editorAnswer;
    QStringList editorOpenedWith;
    CoverContext context{document, selection, prompter};
    TextElementCommands texts{context, [this](const QString& caption) {
                                  editorOpenedWith.append(caption);
                                  return editorAnswer;
                              }};
    TextFormattingCommands formatting{context};
    AlignmentCommands alignment{context};

    Cover()
    {
        document.layOut(450);
        FaceViews::ShowView(document, selection, FaceViews::RectoVerso);
    }

    ElementRef insert(int face, QPointF at = {}, QSizeF size = {})
    {
        TextElement* element = texts.InsertText(face, true);
        if (!at.isNull())
            element->setRect(
                QRectF(at, size.isEmpty() ? QSizeF(element->width, element->height) : size));
        return ElementRef::text(face, element->index);
    }

    void click(const ElementRef& element)
    {
        selection.pressElement(element);
        selection.clickElement(element);
    }

    TextElement& text(const ElementRef& element) { return *document.text(element); }
};

const QString noText = QStringLiteral("Pas de texte sélectionné.");

} // namespace

class TestTextCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Application::configure(*qApp); }

    void insertingPlacesANewSelectedText()
    {
        Cover cover;
        TextElement* recto = cover.texts.InsertText(Face::Recto, false);
        QCOMPARE(recto->index, 1);
        QVERIFY(recto->visible && !recto->autoSize());
        QCOMPARE(recto->caption(), QStringLiteral("Texte"));
        QVERIFY(qAbs(recto->left - 3431.575) < 0.01);
        QVERIFY(qAbs(recto->top - 3925.985) < 0.01);
        // As large as "Texte" in the template font, plus the selection's widening.
        const QSizeF word = TextMetrics::captionSize(TextFont(), QStringLiteral("Texte"));
        QCOMPARE(recto->width, float(word.width() + 30));
        QCOMPARE(recto->height, float(word.height()));
        QCOMPARE(cover.selection.currentSelection, ElementRef::text(Face::Recto, 1));
        QCOMPARE(cover.selection.currentFace, int(Face::Recto));
        QVERIFY(cover.document.sheets[0].marks.frameVisible);
        QVERIFY(cover.document.sheets[0].marks.handlesVisible);

        // Stacked at the same place, each its own element in front of the last.
        TextElement* second = cover.texts.InsertText(Face::Recto, false);
        QCOMPARE(second->index, 2);
        QCOMPARE(QPointF(second->left, second->top), QPointF(recto->left, recto->top));
        QVERIFY(second->zOrder > recto->zOrder);
        QCOMPARE(recto->width, float(word.width())); // given back when the new one was selected

        TextElement* verso = cover.texts.InsertText(Face::Verso, false);
        QVERIFY(qAbs(verso->left - 10234.725) < 0.01);
        QCOMPARE(cover.selection.currentFace, int(Face::Verso));
        // The new text can be dragged at once: the Verso's bounds are in force.
        cover.selection.beginMove(QPointF(10, 10));
        QVERIFY(cover.selection.moveTo(QPointF(210, 10)));
        cover.selection.EndDrag();

        // A deleted text stays in its array; the next one still takes the highest index + 1.
        cover.click(ElementRef::text(Face::Recto, 2));
        cover.texts.deleteSelection();
        QVERIFY(!cover.document.faces[Face::Recto].text(2)->visible);
        QCOMPARE(cover.texts.InsertText(Face::Recto, true)->index, 3);

        // The Dos view sends both menu entries to the Dos.
        FaceViews::ShowView(cover.document, cover.selection, FaceViews::Dos);
        cover.document.documentModified = 0;
        cover.texts.insertFromMenu(0);
        cover.texts.insertFromMenu(1);
        const Face& dos = cover.document.faces[Face::Dos];
        QCOMPARE(dos.highestIndex(), 2);
        QVERIFY(qAbs(dos.text(1)->left - 3771.575) < 0.01);
        QVERIFY(qAbs(dos.text(1)->top - 3344.88) < 0.01);
        QCOMPARE(cover.document.documentModified, 1);
        QVERIFY(cover.document.sheets[1].marks.frameVisible);
        QCOMPARE(cover.document.faces[Face::Recto].highestIndex(), 3);

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
        QCOMPARE(cover.document.documentModified, 1);
        // Refitted: it ended past the Recto's right edge, and now ends 60 inside it.
        QVERIFY(cover.document.sheets[0].marks.frameVisible);
        cover.selection.Deselect(Face::Recto);
        QVERIFY(qAbs(cover.text(text).left + cover.text(text).width - (6803.15 - 60)) < 0.01);
        cover.click(text);

        // "&Annuler" keeps the caption; the text is still refitted and reselected.
        cover.editorAnswer.reset();
        cover.texts.edit();
        QCOMPARE(cover.text(text).caption(),
                 QStringLiteral("Première ligne\r\nDeuxième ligne assez longue"));
        QCOMPARE(cover.selection.currentSelection, text);

        // Nothing selected: said, and no editor.
        cover.selection.EndDrag();
        cover.texts.edit();
        QCOMPARE(cover.prompter.last().text, noText);
        QCOMPARE(cover.editorOpenedWith.size(), 2);
    }

    void doubleClickKeepsTheClickedFace()
    {
        Cover cover;
        const ElementRef recto = cover.insert(Face::Recto, {1000, 1000});
        const ElementRef verso = cover.insert(Face::Verso, {8000, 1000});
        cover.click(verso); // the last face pressed is the Verso
        cover.editorAnswer = QStringLiteral("Titre");
        cover.texts.doubleClick(recto);
        QCOMPARE(cover.selection.currentFace, int(Face::Recto));
        QCOMPARE(cover.text(recto).caption(), QStringLiteral("Titre"));
        // The questions that follow address the Recto's texts.
        cover.prompter.colours.push_back(0x000000FF);
        cover.prompter.buttons.push_back(Prompter::Yes);
        cover.formatting.colour();
        QCOMPARE(cover.text(recto).foreColor, OleColor(0xFF));
        QCOMPARE(cover.document.faces[Face::Recto].text(0)->foreColor, OleColor(0xFF));
        QCOMPARE(cover.text(verso).foreColor, OleColors::systemWindowText);
    }

    void applyToAllQuestions()
    {
        Cover cover;
        const ElementRef selected = cover.insert(Face::Recto, {1000, 1000});
        const ElementRef hidden = cover.insert(Face::Recto, {1000, 2000});
        cover.text(hidden).visible = false;
        const ElementRef verso = cover.insert(Face::Verso, {8000, 1000});
        const ElementRef dos = cover.insert(Face::Dos, {1000, 1000});
        cover.click(selected);

        // Cancel: nothing changes, but the cover counts as modified.
        cover.document.documentModified = 0;
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
        QCOMPARE(cover.text(hidden).borderStyle, 0);
        QCOMPARE(cover.document.documentModified, 1);

        // No: the selection only, and its border stays when it is left.
        cover.prompter.buttons.push_back(Prompter::No);
        cover.formatting.border(1);
        QCOMPARE(cover.text(hidden).borderStyle, 0);
        QCOMPARE(cover.text(selected).borderStyle, 0); // the frame stands in for it meanwhile
        cover.selection.pressEmpty(Face::Recto);
        QCOMPARE(cover.text(selected).borderStyle, 1);

        // Yes: every Recto text, hidden ones and the template included, and nothing else.
        cover.click(selected);
        cover.prompter.fonts.push_back(
            TextFont{QStringLiteral("Comic Sans MS"), 16, true, false, false, false});
        cover.prompter.buttons.push_back(Prompter::Yes);
        cover.formatting.font();
        QCOMPARE(
            cover.prompter.last().text,
            QStringLiteral("Voulez vous appliquer la police à tous les éléments ou uniquement au "
                           "texte sélectionné ?\r\n\r\nCliquez sur Oui pour aplliquer à tous les "
                           "éléments\r\nCliquez sur Non pour appliquer uniquement au texte "
                           "sélectionné."));
        for (int index : {0, 1, 2})
            QCOMPARE(cover.document.faces[Face::Recto].text(index)->font().name,
                     QStringLiteral("Comic Sans MS"));
        QCOMPARE(cover.text(verso).font().name, QStringLiteral("Times New Roman"));
        QCOMPARE(cover.text(dos).font().name, QStringLiteral("Times New Roman"));

        cover.prompter.colours.push_back(0x00336699);
        cover.prompter.buttons.push_back(Prompter::No);
        cover.formatting.backColour(1);
        QVERIFY(cover.prompter.last().text.startsWith(
            QStringLiteral("Voulez vous appliquer la couleur à tous les éléments ou uniquement au "
                           "texte sélectionné ?\r\n\r\n")));
        QCOMPARE(cover.text(selected).backStyle, 1);
        QCOMPARE(cover.text(selected).backColor, OleColor(0x00336699));
        QCOMPARE(cover.text(hidden).backStyle, 0);
        // The colour dialog starts from the text colour.
        QCOMPARE(cover.prompter.asked[cover.prompter.asked.size() - 2].message.text,
                 QString::number(OleColors::systemWindowText));

        cover.prompter.buttons.push_back(Prompter::Yes);
        cover.formatting.backColour(0);
        QVERIFY(cover.prompter.last().text.startsWith(
            QStringLiteral("Voulez vous appliquer la couleur de fond à tous les éléments ou "
                           "uniquement au texte sélectionné ?")));
        QCOMPARE(cover.text(selected).backStyle, 0);

        cover.prompter.colours.push_back(0x000000FF);
        cover.prompter.buttons.push_back(Prompter::No);
        cover.formatting.colour();
        QVERIFY(cover.prompter.last().text.endsWith(
            QStringLiteral("Cliquez sur Non pour appliquez uniquement à l'élément sélectionné.")));
        QCOMPARE(cover.text(selected).foreColor, OleColor(0xFF));
        QCOMPARE(cover.text(hidden).foreColor, OleColors::systemWindowText);
    }

    void cancelledDialogsAndTheBarChangeNothing()
    {
        Cover cover;
        const ElementRef text = cover.insert(Face::Recto, {1000, 1000});
        cover.click(text);
        const TextFont before = cover.text(text).font();
        cover.formatting.font(); // the scripted dialog is cancelled
        cover.formatting.colour();
        cover.formatting.backColour(1);
        QCOMPARE(cover.text(text).font(), before);
        QCOMPARE(cover.text(text).foreColor, OleColors::systemWindowText);
        QCOMPARE(cover.text(text).backStyle, 0);
        for (const auto& asked : cover.prompter.asked)
            QVERIFY(asked.kind != QStringLiteral("message")); // no question after a cancel

        cover.click(ElementRef::bar(0));
        const QRectF bar = cover.document.sheets[0].bar;
        const int asked = cover.prompter.asked.size();
        cover.texts.edit();
        cover.texts.deleteSelection();
        cover.formatting.font();
        cover.formatting.border(1);
        cover.formatting.textAlignment(3);
        QCOMPARE(cover.prompter.asked.size(), asked + 5);
        for (int i = asked; i < cover.prompter.asked.size(); ++i)
            QCOMPARE(cover.prompter.asked[i].message.text, noText);
        QCOMPARE(cover.document.sheets[0].bar, bar);
        QVERIFY(cover.document.sheets[0].barVisible);
        QVERIFY(cover.editorOpenedWith.isEmpty());
    }

    void spinesStandForTheVerticalText()
    {
        Cover cover;
        FaceViews::ShowView(cover.document, cover.selection, FaceViews::Dos);
        cover.click(ElementRef::spine(0));

        cover.prompter.texts.push_back(QStringLiteral("Nouvel album"));
        cover.texts.edit();
        QCOMPARE(cover.prompter.last().title, QStringLiteral("Changer le texte vertical"));
        QCOMPARE(cover.prompter.last().text, QStringLiteral("Entrer votre texte"));
        QCOMPARE(cover.document.verticalText.caption(), QStringLiteral("Nouvel album"));
        QCOMPARE(cover.document.dosSheet().drawing.at(0).text, QStringLiteral(" Nouvel album "));

        cover.prompter.texts.push_back(QString()); // an empty answer changes nothing
        cover.texts.edit();
        QCOMPARE(cover.document.verticalText.caption(), QStringLiteral("Nouvel album"));

        cover.prompter.colours.push_back(0x000000C0);
        cover.formatting.colour();
        QCOMPARE(cover.document.dosSheet().foreColor, OleColor(0xC0));
        for (const RotatedTextRun& run : cover.document.dosSheet().drawing)
            QCOMPARE(run.color, OleColor(0xC0));
        cover.prompter.fonts.push_back(
            TextFont{QStringLiteral("Comic Sans MS"), 12, false, true, false, false});
        cover.formatting.font();
        QCOMPARE(cover.document.dosSheet().drawing.at(1).font.name,
                 QStringLiteral("Comic Sans MS"));
        cover.formatting.border(0);
        QCOMPARE(cover.document.spines[0].borderStyle, 0);
        QCOMPARE(cover.document.spines[1].borderStyle, 1);
        for (const auto& asked : cover.prompter.asked)
            QVERIFY(asked.kind != QStringLiteral("message")); // spines ask no apply-to-all question

        // Deleting a spine clears both drawings; the caption is offered again next time.
        cover.texts.deleteSelection();
        QVERIFY(cover.document.dosSheet().drawing.empty());
        QCOMPARE(cover.document.verticalText.caption(), QStringLiteral("Nouvel album"));
        QVERIFY(!cover.document.sheets[1].marks.handlesVisible);
    }

    void fittingKeepsTextsInsideTheirFace()
    {
        Cover cover;
        TextElement& element = cover.text(cover.insert(Face::Recto, {6000, 6500}, {1500, 600}));
        FitLabelInFace(cover.document, cover.selection, element, Face::Recto);
        QCOMPARE(element.rect(), QRectF(6000, 6500, 6803.15f - 6000 - 60, 6803.15f - 6500 - 60));

        // Starting past the edge, it keeps 60 twips rather than turning negative.
        element.setRect(QRectF(6780, 6790, 500, 500));
        FitLabelInFace(cover.document, cover.selection, element, Face::Recto);
        QCOMPARE(element.rect(), QRectF(6780, 6790, 60, 60));

        // A text that fits is not touched.
        element.setRect(QRectF(1000, 1000, 500, 300));
        FitLabelInFace(cover.document, cover.selection, element, Face::Recto);
        QCOMPARE(element.rect(), QRectF(1000, 1000, 500, 300));

        // "Ajusté à la taille du texte" on a text that then passes the edge: cut 60 inside.
        const ElementRef verso = cover.insert(Face::Verso, {12500, 1000});
        cover.click(verso);
        cover.text(verso).setCaption(
            QStringLiteral("Un titre bien trop long pour rester dans la face"));
        cover.formatting.textAlignment(3);
        const QRectF frame = cover.document.faces[Face::Verso].frame;
        cover.selection.pressEmpty(Face::Verso);
        QVERIFY(!cover.text(verso).autoSize());
        QVERIFY(qAbs(cover.text(verso).left + cover.text(verso).width - (frame.right() - 60)) <
                0.01);
    }

    void spacingKeepsTheTopAndTheOrder()
    {
        Cover cover;
        const ElementRef a = cover.insert(Face::Recto, {1000, 4000}, {800, 300});
        const ElementRef b = cover.insert(Face::Recto, {1000, 1000}, {800, 300});
        const ElementRef c = cover.insert(Face::Recto, {1000, 2500}, {800, 300});
        const ElementRef hidden = cover.insert(Face::Recto, {1000, 500}, {800, 300});
        cover.text(hidden).visible = false;
        cover.alignment.SpaceVertically(0);
        QCOMPARE(cover.text(b).top, 1000.0f);
        QVERIFY(qAbs(cover.text(c).top - 2280.63) < 0.01);
        QVERIFY(qAbs(cover.text(a).top - 3561.26) < 0.01);
        QCOMPARE(cover.text(hidden).top, 500.0f); // hidden texts are not placed
        QCOMPARE(cover.document.documentModified, 1);
    }

    void aligningOnTheBar()
    {
        Cover cover;
        const ElementRef first = cover.insert(Face::Recto, {3000, 1000}, {800, 300});
        const ElementRef hidden = cover.insert(Face::Recto, {4000, 2000}, {800, 300});
        cover.text(hidden).visible = false;
        const ElementRef verso = cover.insert(Face::Verso, {9000, 1000}, {800, 300});
        const QRectF bar = cover.document.sheets[0].bar;
        const double barRight = bar.right();

        // Nothing selected: every Recto text goes to the bar's right edge, hidden ones too.
        QVERIFY(cover.alignment.AlignToBar(0));
        QCOMPARE(double(cover.text(first).left), barRight);
        QCOMPARE(double(cover.text(hidden).left), barRight);
        QCOMPARE(double(cover.document.faces[Face::Recto].text(0)->left), barRight);
        QCOMPARE(cover.text(verso).left, 9000.0f);

        // The bar over the Verso is out of the Recto's zone.
        cover.document.sheets[0].bar.moveLeft(8000);
        QVERIFY(!cover.alignment.AlignToBar(0));
        QCOMPARE(cover.prompter.last().text,
                 QStringLiteral("Désolé. La barre d'alignement n'est pas dans la zone. Déplacer la "
                                "barre dans la zone désirée."));
        QCOMPARE(cover.text(verso).left, 9000.0f);

        // A wide selected Verso text is shrunk to end 60 inside the face.
        cover.text(verso).width = 6000;
        cover.click(verso);
        cover.prompter.asked.clear();
        cover.alignment.alignKey(); // the last face pressed is the Verso
        QVERIFY(cover.prompter.asked.isEmpty());
        const QRectF frame = cover.document.faces[Face::Verso].frame;
        QCOMPARE(cover.text(verso).left, 8075.0f);
        QVERIFY(cover.document.sheets[0].marks.frameVisible);
        cover.selection.Deselect(Face::Verso);
        QVERIFY(qAbs(cover.text(verso).left + cover.text(verso).width - (frame.right() - 60)) <
                0.01);

        // Ctrl+A with the bar hidden says so and aligns nothing.
        cover.alignment.ToggleAlignmentBar();
        QVERIFY(!cover.document.sheets[0].barVisible && !cover.document.sheets[1].barVisible);
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
