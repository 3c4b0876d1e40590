#include "AlignmentCommands.h"

#include "CoverSelection.h"
#include "FitLabelInFace.h"
#include "JewelCaseDocument.h"
#include "Prompter.h"
#include "Twips.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

int AlignmentCommands::targetFace(int entry) const
{
    return context_.document.currentView != 0 ? int(Face::Dos) : std::abs(entry - 1);
}

bool AlignmentCommands::ToggleAlignmentBar()
{
    JewelCaseDocument& document = context_.document;
    const bool shown = !document.sheets[0].barVisible;
    for (Sheet& sheet : document.sheets)
        sheet.barVisible = shown;
    CoverSelection& selection = context_.selection;
    if (!shown && selection.currentSelection.isBar()) {
        selection.ShowHandles(false);
        selection.EndDrag();
    }
    return shown;
}

bool AlignmentCommands::AlignToBar(int entry)
{
    JewelCaseDocument& document = context_.document;
    CoverSelection& selection = context_.selection;
    const int face = targetFace(entry);
    const QRectF bar = document.sheets[document.currentView == 0 ? 0 : 1].bar;
    const QRectF frame = document.faces[std::size_t(face)].frame;
    const double barRight = bar.left() + bar.width();
    if (frame.left() + 60 > barRight || frame.left() + frame.width() - 60 < barRight) {
        context_.prompter.inform(QStringLiteral("Désolé. La barre d'alignement n'est pas dans la "
                                                "zone. Déplacer la barre dans la zone désirée."));
        return false;
    }
    document.documentModified = 1;

    // A bar, a spine or a text of another face is no text of this face to align.
    const ElementRef selected = selection.currentSelection;
    TextElement* text = selected.face == face ? document.text(selected) : nullptr;
    if (!text) {
        for (auto& [index, element] : document.faces[std::size_t(face)].texts) {
            element.left = float(barRight);
            FitLabelInFace(document, selection, element, face);
        }
        return true;
    }
    text->left = float(barRight);
    FitLabelInFace(document, selection, *text, face);
    if ((text->left - frame.left()) + text->width > frame.width()) {
        text->width = float(frame.width() - (text->left - frame.left()) - 60);
        selection.forgetWidening();
    }
    selection.Select();
    return true;
}

void AlignmentCommands::SpaceVertically(int entry)
{
    JewelCaseDocument& document = context_.document;
    document.documentModified = 1;
    const int face = targetFace(entry);
    Face& target = document.faces[std::size_t(face)];
    const double height = target.frame.height();

    struct Row {
        TextElement* element;
        double top;
    };
    std::vector<Row> rows;
    double firstTop = height;
    double totalHeight = 0;
    for (auto& [index, element] : target.texts) {
        if (index == 0 || !element.visible)
            continue;
        firstTop = std::min(firstTop, double(element.top));
        totalHeight = Twips::round(totalHeight + element.height);
        rows.push_back({&element, element.top});
    }
    if (rows.empty())
        return;
    const double gap = (height - firstTop - totalHeight) / double(rows.size() + 2);
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row& a, const Row& b) { return a.top < b.top; });
    double top = firstTop;
    for (const Row& row : rows) {
        row.element->top = float(top);
        top += row.element->height + gap;
    }

    CoverSelection& selection = context_.selection;
    if (selection.frameShown() && selection.currentSelection.face == face &&
        selection.currentSelection.isText())
        selection.Select(); // the frame follows its text
}

void AlignmentCommands::alignKey()
{
    if (!context_.document.sheets[0].barVisible) {
        context_.prompter.inform(QStringLiteral(
            "La barre d'alignement doit être visible pour aligner le texte sélectionné !"));
        return;
    }
    AlignToBar(context_.selection.currentFace == Face::Verso ? 1 : 0);
}
