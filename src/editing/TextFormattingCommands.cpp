// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextFormattingCommands.h"

#include "CoverContext.h"
#include "CoverLayout.h"
#include "DocumentHistory.h"
#include "JewelCaseDocument.h"
#include "Prompter.h"
#include "TrackListLayout.h"
#include "VerticalTextDrawing.h"

TextFormattingCommands::TextFormattingCommands(CoverContext& context)
    : selection_(context.selection), surface_(context.surface), prompter_(context.prompter),
      cover_(&context.document)
{
}

TextFormattingCommands::TextFormattingCommands(SelectionController& selection, Prompter& prompter)
    : selection_(selection), surface_(selection.surface()), prompter_(prompter)
{
}

QString TextFormattingCommands::applyToAllQuestion(const QString& question, const QString& lastLine,
                                                   bool fontTypo)
{
    const QString all = fontTypo
                            ? QStringLiteral("Cliquez sur Oui pour aplliquer à tous les éléments")
                            : QStringLiteral("Cliquez sur Oui pour appliquer à tous les éléments");
    return question + QStringLiteral("\r\n\r\n") + all + QStringLiteral("\r\n") + lastLine;
}

TextFormattingCommands::Scope
TextFormattingCommands::askScope(const QString& question, const QString& lastLine, bool fontTypo)
{
    const Prompter::Button answer = prompter_.ask(
        {Prompter::programTitle(), applyToAllQuestion(question, lastLine, fontTypo),
         Prompter::Icon::Question, Prompter::Yes | Prompter::No | Prompter::Cancel, Prompter::No});
    switch (answer) {
    case Prompter::Yes:
        return Scope::All;
    case Prompter::No:
        return Scope::Selection;
    default:
        return Scope::Cancelled;
    }
}

bool TextFormattingCommands::askAndApplyToAll(const QString& question, const QString& lastLine,
                                              const std::function<void(TextElement&)>& change,
                                              bool fontTypo)
{
    const Scope scope = askScope(question, lastLine, fontTypo);
    if (scope == Scope::All)
        forEachText(change);
    return scope != Scope::Cancelled;
}

void TextFormattingCommands::forEachText(const std::function<void(TextElement&)>& change)
{
    surface_.forEachText(selection_.currentFace(), change);
}

void TextFormattingCommands::fit(TextElement& element)
{
    surface_.fitText(element, selection_.currentFace());
}

std::optional<TextFormattingCommands::Target> TextFormattingCommands::checkedTarget()
{
    if (!selection_.TextSelectionCheck(prompter_))
        return std::nullopt;
    const bool spine = selection_.currentSelection().isSpine() && cover_;
    TextElement* text = selectedText();
    if (!spine && !text)
        return std::nullopt;
    return Target{spine, text};
}

std::optional<OleColor> TextFormattingCommands::chooseColour(const Target& target)
{
    return prompter_.getColor(target.spine ? cover_->dosSheet().foreColor : target.text->foreColor);
}

TextElement* TextFormattingCommands::selectedText()
{
    return surface_.textOf(selection_.currentSelection());
}

void TextFormattingCommands::redrawVerticalText()
{
    DrawRotatedText(*cover_, cover_->verticalText.caption());
}

void TextFormattingCommands::font()
{
    DocumentHistory::Edit edit(selection_.surface().history(), QStringLiteral("la police"));
    const auto target = checkedTarget();
    if (!target)
        return;
    const bool spine = target->spine;
    TextElement* text = target->text;
    const auto chosen = prompter_.getFont(spine ? cover_->verticalText.font() : text->font());
    if (!chosen)
        return;
    if (spine) {
        cover_->verticalText.setFont(*chosen);
        redrawVerticalText();
        return;
    }
    // Only the cover asks whether the font goes to every text; the label's goes to the selection.
    if (cover_ && !askAndApplyToAll(
                      QStringLiteral("Voulez vous appliquer la police à tous les éléments ou "
                                     "uniquement au texte sélectionné ?"),
                      QStringLiteral("Cliquez sur Non pour appliquer uniquement au texte "
                                     "sélectionné."),
                      [&](TextElement& element) {
                          element.setFont(*chosen);
                          fit(element);
                      },
                      true))
        return;
    text->setAutoSize(false);
    text->setFont(*chosen);
    fit(*text);
    selection_.Select();
}

void TextFormattingCommands::colour()
{
    DocumentHistory::Edit edit(selection_.surface().history(), QStringLiteral("la couleur"));
    const auto target = checkedTarget();
    if (!target)
        return;
    TextElement* text = target->text;
    const auto chosen = chooseColour(*target);
    if (!chosen)
        return;
    if (target->spine) {
        cover_->dosSheet().foreColor = *chosen;
        redrawVerticalText();
        return;
    }
    const auto paint = [&](TextElement& element) { element.foreColor = *chosen; };
    // As the font: asked on the cover only.
    if (!cover_) {
        paint(*text);
        return;
    }
    if (askAndApplyToAll(
            QStringLiteral("Voulez vous appliquer la couleur à tous les éléments ou uniquement à "
                           "l'élément sélectionné ?"),
            QStringLiteral("Cliquez sur Non pour appliquez uniquement à l'élément sélectionné."),
            paint))
        paint(*text);
}

void TextFormattingCommands::backColour(int entry)
{
    DocumentHistory::Edit edit(selection_.surface().history(),
                               QStringLiteral("la couleur de fond"));
    if (entry != 0 && entry != 1)
        return;
    const auto target = checkedTarget();
    if (!target)
        return;
    const bool spine = target->spine;
    TextElement* text = target->text;
    const BackStyle backStyle = entry == 0 ? BackStyle::Transparent : BackStyle::Opaque;
    OleColor chosen = 0;
    if (backStyle == BackStyle::Opaque) {
        // The dialog starts from the text colour, as it always has.
        const auto answer = chooseColour(*target);
        if (!answer)
            return;
        chosen = *answer;
    }
    if (spine) {
        if (backStyle == BackStyle::Opaque) {
            cover_->dosSheet().backColor = chosen;
            redrawVerticalText();
        }
        return;
    }
    const QString question =
        backStyle == BackStyle::Opaque
            ? QStringLiteral("Voulez vous appliquer la couleur à tous les éléments ou "
                             "uniquement au texte sélectionné ?")
            : QStringLiteral("Voulez vous appliquer la couleur de fond à tous les "
                             "éléments ou uniquement au texte sélectionné ?");
    const auto fill = [&](TextElement& element) {
        element.backStyle = backStyle;
        if (backStyle == BackStyle::Opaque)
            element.backColor = chosen;
    };
    if (askAndApplyToAll(
            question,
            QStringLiteral("Cliquez sur Non pour appliquer uniquement à l'élément sélectionné."),
            fill))
        fill(*text);
}

void TextFormattingCommands::border(int entry)
{
    DocumentHistory::Edit edit(selection_.surface().history(), QStringLiteral("la bordure"));
    if (entry != 0 && entry != 1)
        return;
    if (!selection_.TextSelectionCheck(prompter_))
        return;
    const BorderStyle style = entry == 0 ? BorderStyle::None : BorderStyle::Single;
    if (selection_.currentSelection().isSpine() && cover_) {
        cover_->spines[0].borderStyle = style;
        return;
    }
    TextElement* text = selectedText();
    if (!text)
        return;
    if (askAndApplyToAll(
            QStringLiteral("Voulez vous changer la bordure à tous les éléments ou uniquement à "
                           "l'élément sélectionné ?"),
            QStringLiteral("Cliquez sur Non pour appliquer uniquement à l'élément sélectionné."),
            [&](TextElement& element) { element.borderStyle = style; }))
        text->borderStyle = style;
}

void TextFormattingCommands::textAlignment(int entry)
{
    if (entry < 0 || entry > 3)
        return;
    DocumentHistory::Edit edit(selection_.surface().history(),
                               entry < 3 ? QStringLiteral("l'alignement du texte")
                                         : QStringLiteral("l'ajustement à la taille du texte"));
    if (!selection_.TextSelectionCheck(prompter_))
        return;
    TextElement* text = selectedText();
    if (!text)
        return;
    if (entry < 3) {
        text->alignment = alignmentFromNumber(entry);
        return;
    }
    text->setAutoSize(true);
    shrinkTrackList(*text);
    fit(*text);
    selection_.Select();
}

void TextFormattingCommands::shrinkTrackList(TextElement& text)
{
    const int face = selection_.currentFace();
    if (!cover_ || !Face::isValid(face) || !TrackListLayout::isTrackList(text.caption()))
        return;
    const double room =
        CoverLayout::fittedBottom(cover_->faces[std::size_t(face)].frame) - text.top;
    if (text.height <= room)
        return;
    TextFont font = text.font();
    font.size = TrackListLayout::fittingSize(font, text.caption(), room);
    text.setFont(font);
}

void TextFormattingCommands::bringToFront()
{
    DocumentHistory::Edit edit(selection_.surface().history(),
                               QStringLiteral("la mise au premier plan"));
    if (TextElement* text = selectedText(); text && cover_)
        cover_->bringToFront(*text);
}

void TextFormattingCommands::sendToBack()
{
    DocumentHistory::Edit edit(selection_.surface().history(),
                               QStringLiteral("la mise à l'arrière plan"));
    if (TextElement* text = selectedText(); text && cover_)
        cover_->sendToBack(*text);
}
