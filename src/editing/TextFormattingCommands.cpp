#include "TextFormattingCommands.h"

#include "CoverContext.h"
#include "FitLabelInFace.h"
#include "JewelCaseDocument.h"
#include "Prompter.h"
#include "VerticalTextDrawing.h"

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
    const Prompter::Button answer = context_.prompter.ask(
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

bool TextFormattingCommands::askAndApplyToFace(const QString& question, const QString& lastLine,
                                               const std::function<void(TextElement&)>& change,
                                               bool fontTypo)
{
    const Scope scope = askScope(question, lastLine, fontTypo);
    if (scope == Scope::All)
        forEachFaceText(change);
    return scope != Scope::Cancelled;
}

void TextFormattingCommands::forEachFaceText(const std::function<void(TextElement&)>& change)
{
    const int face = context_.selection.currentFace();
    if (!Face::isValid(face))
        return;
    for (auto& [index, element] : context_.document.faces[std::size_t(face)].texts)
        change(element);
}

std::optional<TextFormattingCommands::Target> TextFormattingCommands::checkedTarget()
{
    if (!context_.selection.TextSelectionCheck(context_.prompter))
        return std::nullopt;
    const bool spine = context_.selection.currentSelection().isSpine();
    TextElement* text = selectedText();
    if (!spine && !text)
        return std::nullopt;
    return Target{spine, text};
}

std::optional<OleColor> TextFormattingCommands::chooseColour(const Target& target)
{
    return context_.prompter.getColor(target.spine ? context_.document.dosSheet().foreColor
                                                   : target.text->foreColor);
}

TextElement* TextFormattingCommands::selectedText()
{
    return context_.surface.text(context_.selection.currentSelection());
}

void TextFormattingCommands::redrawVerticalText()
{
    DrawRotatedText(context_.document, context_.document.verticalText.caption());
}

void TextFormattingCommands::font()
{
    const auto target = checkedTarget();
    if (!target)
        return;
    JewelCaseDocument& document = context_.document;
    SelectionController& selection = context_.selection;
    const bool spine = target->spine;
    TextElement* text = target->text;
    const auto chosen =
        context_.prompter.getFont(spine ? document.verticalText.font() : text->font());
    if (!chosen)
        return;
    if (spine) {
        document.verticalText.setFont(*chosen);
        redrawVerticalText();
        return;
    }
    if (!askAndApplyToFace(
            QStringLiteral("Voulez vous appliquer la police à tous les éléments ou "
                           "uniquement au texte sélectionné ?"),
            QStringLiteral("Cliquez sur Non pour appliquer uniquement au texte "
                           "sélectionné."),
            [&](TextElement& element) {
                element.setFont(*chosen);
                FitLabelInFace(document, selection, element, selection.currentFace());
            },
            true))
        return;
    text->setAutoSize(false);
    text->setFont(*chosen);
    FitLabelInFace(document, selection, *text, selection.currentFace());
    selection.Select();
}

void TextFormattingCommands::colour()
{
    const auto target = checkedTarget();
    if (!target)
        return;
    JewelCaseDocument& document = context_.document;
    TextElement* text = target->text;
    const auto chosen = chooseColour(*target);
    if (!chosen)
        return;
    if (target->spine) {
        document.dosSheet().foreColor = *chosen;
        redrawVerticalText();
        return;
    }
    const auto paint = [&](TextElement& element) { element.foreColor = *chosen; };
    if (askAndApplyToFace(
            QStringLiteral("Voulez vous appliquer la couleur à tous les éléments ou uniquement à "
                           "l'élément sélectionné ?"),
            QStringLiteral("Cliquez sur Non pour appliquez uniquement à l'élément sélectionné."),
            paint))
        paint(*text);
}

void TextFormattingCommands::backColour(int entry)
{
    if (entry != 0 && entry != 1)
        return;
    const auto target = checkedTarget();
    if (!target)
        return;
    JewelCaseDocument& document = context_.document;
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
            document.dosSheet().backColor = chosen;
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
    if (askAndApplyToFace(
            question,
            QStringLiteral("Cliquez sur Non pour appliquer uniquement à l'élément sélectionné."),
            fill))
        fill(*text);
}

void TextFormattingCommands::border(int entry)
{
    if (entry != 0 && entry != 1)
        return;
    if (!context_.selection.TextSelectionCheck(context_.prompter))
        return;
    const BorderStyle style = entry == 0 ? BorderStyle::None : BorderStyle::Single;
    SelectionController& selection = context_.selection;
    if (selection.currentSelection().isSpine()) {
        context_.document.spines[0].borderStyle = style;
        return;
    }
    TextElement* text = selectedText();
    if (!text)
        return;
    if (!askAndApplyToFace(
            QStringLiteral("Voulez vous changer la bordure à tous les éléments ou uniquement à "
                           "l'élément sélectionné ?"),
            QStringLiteral("Cliquez sur Non pour appliquer uniquement à l'élément sélectionné."),
            [&](TextElement& element) { element.borderStyle = style; }))
        return;
    selection.keepBorderStyle(style);
}

void TextFormattingCommands::textAlignment(int entry)
{
    if (entry < 0 || entry > 3)
        return;
    if (!context_.selection.TextSelectionCheck(context_.prompter))
        return;
    TextElement* text = selectedText();
    if (!text)
        return;
    if (entry < 3) {
        text->alignment = alignmentFromNumber(entry);
        return;
    }
    SelectionController& selection = context_.selection;
    text->setAutoSize(true);
    FitLabelInFace(context_.document, selection, *text, selection.currentFace());
    selection.Select();
}

void TextFormattingCommands::bringToFront()
{
    if (TextElement* text = selectedText())
        context_.document.bringToFront(*text);
}

void TextFormattingCommands::sendToBack()
{
    if (TextElement* text = selectedText())
        context_.document.sendToBack(*text);
}
