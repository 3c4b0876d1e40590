// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlignmentCommands.h"

#include "CoverContext.h"
#include "CoverLayout.h"
#include "DragRules.h"
#include "FaceViews.h"
#include "FitTextInFace.h"
#include "JewelCaseDocument.h"
#include "Prompter.h"
#include "Twips.h"
#include "VerticalSpread.h"

#include <algorithm>

namespace {
// Spaced texts that do not fit keep as far from the face's top and bottom edges as a drag
// keeps them.
constexpr double spacingMargin = DragRules::edgeMargin;
} // namespace

std::vector<double> spacedTops(const std::vector<double>& heights, double firstTop,
                               double faceHeight)
{
    double total = 0;
    for (const double height : heights)
        total = Twips::round(total + height);
    const double count = double(heights.size());
    return spreadVertically(heights, {.top = firstTop,
                                      .gap = (faceHeight - firstTop - total) / (count + 2),
                                      .within = std::nullopt, // crowded by a negative gap
                                      .crowdedTop = spacingMargin,
                                      .crowdedBottom = faceHeight - spacingMargin,
                                      .total = total});
}

bool AlignmentCommands::ToggleAlignmentBar()
{
    CoverScreen& screen = context_.screen;
    const bool shown = !screen.overlays[RectoSheet].barVisible;
    screen.setBarsVisible(shown);
    SelectionController& selection = context_.selection;
    if (!shown && selection.currentSelection().isBar())
        selection.EndDrag();
    return shown;
}

bool AlignmentCommands::AlignToBar(int entry)
{
    const std::optional<int> face = FaceViews::faceOfEntry(context_.screen.currentView, entry);
    return face && alignOnFace(*face);
}

bool AlignmentCommands::alignOnFace(int face)
{
    DocumentHistory::Edit edit(context_.history, QStringLiteral("l'alignement sur la barre"));
    JewelCaseDocument& document = context_.document;
    SelectionController& selection = context_.selection;
    const QRectF bar = context_.screen.overlays[context_.screen.activeSheet()].bar;
    const QRectF frame = document.faces[std::size_t(face)].frame;
    const double barRight = bar.right();
    if (!CoverLayout::barInFace(barRight, frame)) {
        context_.prompter.inform(QStringLiteral("Désolé. La barre d'alignement n'est pas dans la "
                                                "zone. Déplacer la barre dans la zone désirée."));
        return false;
    }
    // A bar, a spine or a text of another face is no text of this face to align.
    const ElementRef selected = selection.currentSelection();
    TextElement* text = selected.area == face ? context_.surface.text(selected) : nullptr;
    if (!text) {
        for (auto& [index, element] : document.faces[std::size_t(face)].texts) {
            element.left = float(barRight);
            fitTextInFace(document, selection, element, face);
        }
        return true;
    }
    text->left = float(barRight);
    fitTextInFace(document, selection, *text, face);
    selection.Select();
    return true;
}

void AlignmentCommands::SpaceVertically(int entry)
{
    const std::optional<int> face = FaceViews::faceOfEntry(context_.screen.currentView, entry);
    if (!face)
        return;
    DocumentHistory::Edit edit(context_.history, QStringLiteral("l'alignement vertical"));
    JewelCaseDocument& document = context_.document;
    Face& target = document.faces[std::size_t(*face)];

    std::vector<TextElement*> texts;
    double firstTop = target.frame.height();
    for (auto& [index, element] : target.texts) {
        if (index == 0 || !element.visible)
            continue;
        firstTop = std::min(firstTop, double(element.top));
        texts.push_back(&element);
    }
    std::stable_sort(texts.begin(), texts.end(),
                     [](const TextElement* a, const TextElement* b) { return a->top < b->top; });
    std::vector<double> heights;
    for (const TextElement* element : texts)
        heights.push_back(element->height);
    const std::vector<double> tops = spacedTops(heights, firstTop, target.frame.height());
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i]->top = float(tops[i]);

    SelectionController& selection = context_.selection;
    if (selection.frameShown() && selection.currentSelection().isText() &&
        selection.currentSelection().area == *face)
        selection.Select(); // the frame follows its text
}

void AlignmentCommands::alignKey()
{
    if (!context_.screen.overlays[RectoSheet].barVisible) {
        context_.prompter.inform(QStringLiteral(
            "La barre d'alignement doit être visible pour aligner le texte sélectionné !"));
        return;
    }
    AlignToBar(context_.selection.currentFace() == Face::Verso ? 1 : 0);
}
