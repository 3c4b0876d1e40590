#include "TextElementCommands.h"

#include "CoverContext.h"
#include "CoverLayout.h"
#include "FaceViews.h"
#include "FitLabelInFace.h"
#include "JewelCaseDocument.h"
#include "Prompter.h"
#include "VerticalTextDrawing.h"

namespace {

// Where a new text of a face starts: right of the face's middle, at mid-height (the Recto and
// Verso take half the Dos's width for it, as they always have).
QPointF insertionPoint(const JewelCaseDocument& document, int face)
{
    using namespace CoverLayout;
    switch (face) {
    case Face::Recto:
        return {bookletFaceWidth / 2 + insertionOffset, dosFaceWidth / 2};
    case Face::Verso:
        return {bookletFaceWidth / 2 + insertionOffset + bookletFaceWidth, dosFaceWidth / 2};
    default:
        return {bookletFaceHeight / 2 + insertionOffset + document.spines[0].rect.width(),
                dosFaceHeight / 2};
    }
}

} // namespace

TextElementCommands::TextElementCommands(CoverContext& context, Editor editor)
    : context_(context), editor_(std::move(editor))
{
}

TextElement* TextElementCommands::InsertText(int face, bool keepSelection)
{
    JewelCaseDocument& document = context_.document;
    if (!Face::isValid(face))
        return nullptr;
    Face& target = document.faces[std::size_t(face)];
    TextElement& element = target.loadText(target.highestIndex() + 1);
    const QPointF position = insertionPoint(document, face);
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
    const std::optional<int> face = FaceViews::faceOfEntry(context_.screen.currentView, entry);
    if (!face)
        return;
    InsertText(*face, false);
    context_.document.documentModified = true;
}

void TextElementCommands::edit()
{
    SelectionController& selection = context_.selection;
    if (!selection.TextSelectionCheck(context_.prompter))
        return;
    JewelCaseDocument& document = context_.document;
    const ElementRef selected = selection.currentSelection();
    if (selected.isSpine()) {
        const auto answer = context_.prompter.getText(QStringLiteral("Changer le texte vertical"),
                                                      QStringLiteral("Entrer votre texte"),
                                                      document.verticalText.caption());
        if (answer && !answer->isEmpty())
            DrawRotatedText(document, *answer);
        return;
    }
    TextElement* element = context_.surface.text(selected);
    if (!element)
        return;
    if (const auto caption = editor_(element->caption()))
        element->setCaption(*caption);
    element->setAutoSize(false);
    FitLabelInFace(document, selection, *element, selected.area);
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
    SelectionController& selection = context_.selection;
    if (!selection.TextSelectionCheck(context_.prompter))
        return;
    if (selection.currentSelection().isSpine()) {
        context_.document.dosSheet().drawing.clear();
    } else if (TextElement* element = context_.surface.text(selection.currentSelection())) {
        element->visible = false;
    }
    selection.EndDrag();
}
