#include "TextElementCommands.h"

#include "CoverSelection.h"
#include "FitLabelInFace.h"
#include "JewelCaseDocument.h"
#include "Prompter.h"
#include "VerticalTextDrawing.h"
#include "frmTextEdit.h"

TextElementCommands::TextElementCommands(CoverContext context, Editor editor)
    : context_(context), editor_(std::move(editor))
{
}

TextElement* TextElementCommands::InsertText(int face, bool keepSelection)
{
    JewelCaseDocument& document = context_.document;
    if (face < 0 || face >= JewelCaseDocument::faceCount)
        return nullptr;
    Face& target = document.faces[std::size_t(face)];
    TextElement& element = target.loadText(target.highestIndex() + 1);
    const auto& sizes = document.faceSizes;
    QPointF position;
    switch (face) {
    case Face::Recto:
        position = QPointF(sizes[0] / 2 + 30, sizes[2] / 2);
        break;
    case Face::Verso:
        position = QPointF(sizes[0] / 2 + 30 + sizes[0], sizes[2] / 2);
        break;
    default:
        position = QPointF(sizes[1] / 2 + 30 + document.spines[0].rect.width(), sizes[3] / 2);
        break;
    }
    element.setAutoSize(true);
    element.setCaption(QStringLiteral("Texte"));
    element.left = float(position.x());
    element.top = float(position.y());
    element.visible = true;
    element.enabled = true;
    document.bringToFront(element);
    element.setAutoSize(false);

    if (!keepSelection) {
        // Selected as a press on it would: its face becomes the face of the drag bounds.
        context_.selection.pressElement(ElementRef::text(face, element.index));
        context_.selection.Select();
    }
    return &element;
}

void TextElementCommands::insertFromMenu(int entry)
{
    const int face = context_.document.currentView == 0 ? (entry == 0 ? Face::Recto : Face::Verso)
                                                        : int(Face::Dos);
    InsertText(face, false);
    context_.document.documentModified = 1;
}

void TextElementCommands::edit()
{
    if (!context_.selection.TextSelectionCheck(context_.prompter))
        return;
    JewelCaseDocument& document = context_.document;
    CoverSelection& selection = context_.selection;
    const ElementRef selected = selection.currentSelection;
    if (selected.isSpine()) {
        const auto answer = context_.prompter.getText(QStringLiteral("Changer le texte vertical"),
                                                      QStringLiteral("Entrer votre texte"),
                                                      document.verticalText.caption());
        if (answer && !answer->isEmpty())
            DrawRotatedText(document, *answer);
        return;
    }
    TextElement* element = document.text(selected);
    if (!element)
        return;
    labelTextEditing = 0;
    if (const auto caption = editor_(element->caption())) {
        const bool resizesItself = element->autoSize();
        element->setCaption(*caption);
        if (resizesItself)
            selection.forgetWidening();
    }
    element->setAutoSize(false);
    FitLabelInFace(document, selection, *element, selected.face);
    selection.Select();
}

void TextElementCommands::doubleClick(const ElementRef& element)
{
    if (!element.isText())
        return;
    // Pressed as any text is: the face is the clicked text's own, so that the commands that
    // follow address it.
    context_.selection.pressElement(element);
    edit();
}

void TextElementCommands::deleteSelection()
{
    if (!context_.selection.TextSelectionCheck(context_.prompter))
        return;
    JewelCaseDocument& document = context_.document;
    CoverSelection& selection = context_.selection;
    if (selection.currentSelection.isSpine()) {
        document.dosSheet().drawing.clear();
    } else if (TextElement* element = document.text(selection.currentSelection)) {
        element->visible = false;
    }
    selection.ShowHandles(false);
    selection.EndDrag();
}
