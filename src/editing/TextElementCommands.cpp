// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextElementCommands.h"

#include "CoverContext.h"
#include "CoverLayout.h"
#include "DocumentHistory.h"
#include "FaceViews.h"
#include "JewelCaseDocument.h"
#include "Prompter.h"
#include "VerticalTextDrawing.h"

TextElementCommands::TextElementCommands(CoverContext& context, Editor editor)
    : selection_(context.selection), prompter_(context.prompter), cover_(&context),
      editor_(std::move(editor))
{
}

TextElementCommands::TextElementCommands(SelectionController& selection, Prompter& prompter,
                                         Editor editor)
    : selection_(selection), prompter_(prompter), editor_(std::move(editor))
{
}

TextElement* TextElementCommands::InsertText(int face, bool keepSelection)
{
    DocumentHistory::Edit edit(selection_.surface().history(),
                               QStringLiteral("l'insertion du texte"));
    if (!cover_ || !Face::isValid(face))
        return nullptr;
    TextElement& element = cover_->document.insertText(face);

    if (!keepSelection) {
        // Selected as a press on it would: its face becomes the face of the drag bounds.
        selection_.pressElement(ElementRef::text(face, element.index));
        selection_.Select();
    }
    return &element;
}

void TextElementCommands::insertFromMenu(int entry)
{
    if (!cover_)
        return;
    const std::optional<int> face = FaceViews::faceOfEntry(cover_->screen.currentView, entry);
    if (!face)
        return;
    InsertText(*face, false);
}

void TextElementCommands::edit()
{
    if (!selection_.TextSelectionCheck(prompter_))
        return;
    const ElementRef selected = selection_.currentSelection();
    DocumentHistory::Edit edit(selection_.surface().history(),
                               selected.isSpine() ? QStringLiteral("le texte vertical")
                                                  : QStringLiteral("la modification du texte"));
    if (selected.isSpine() && cover_) {
        JewelCaseDocument& document = cover_->document;
        const auto answer = prompter_.getText(QStringLiteral("Changer le texte vertical"),
                                              QStringLiteral("Entrer votre texte"),
                                              document.verticalText.caption());
        if (answer && !answer->isEmpty())
            DrawRotatedText(document, *answer);
        return;
    }
    TextElement* element = selection_.surface().textOf(selected);
    if (!element)
        return;
    if (const auto caption = editor_ ? editor_(element->caption()) : std::nullopt)
        element->setCaption(*caption);
    element->setAutoSize(false);
    selection_.surface().fitText(*element, selected.area);
    selection_.Select();
}

void TextElementCommands::doubleClick(const ElementRef& element)
{
    if (!element.isText())
        return;
    // Pressed as any text is: the face is the clicked text's own, so that the commands that
    // follow address it.
    selection_.pressElement(element);
    edit();
}

void TextElementCommands::deleteSelection()
{
    DocumentHistory::Edit edit(selection_.surface().history(),
                               QStringLiteral("la suppression du texte"));
    if (!selection_.TextSelectionCheck(prompter_))
        return;
    const ElementRef selected = selection_.currentSelection();
    if (selected.isSpine() && cover_) {
        cover_->document.dosSheet().drawing.clear();
    } else if (TextElement* element = selection_.surface().textOf(selected)) {
        element->visible = false;
    }
    selection_.EndDrag();
}
