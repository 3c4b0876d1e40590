// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ElementRef.h"

#include <functional>
#include <optional>

class JewelCaseDocument;
class Prompter;
class QString;
class SelectionController;
class TextElement;
struct CoverContext;

// Inserting, editing and deleting the texts of the cover, and the spines' vertical text; the
// editing and deleting serve the CD label's texts too.
class TextElementCommands {
public:
    // Opens the text editor on a caption and returns the edited one, or nothing.
    using Editor = std::function<std::optional<QString>(const QString& caption)>;

    TextElementCommands(CoverContext& context, Editor editor);
    // Another window's texts (the CD label's), which insert their texts themselves.
    TextElementCommands(SelectionController& selection, Prompter& prompter, Editor editor);

    // Creates the next text of face 0, 1 or 2 of the cover at the face's insertion point;
    // unless `keepSelection`, the new text becomes the selection.
    TextElement* InsertText(int face, bool keepSelection);
    // "&Insérer Nouveau texte": entry 0 the Recto, entry 1 the Verso; the Dos in its view.
    void insertFromMenu(int entry);
    void edit();
    void doubleClick(const ElementRef& element);
    void deleteSelection();

private:
    SelectionController& selection_;
    Prompter& prompter_;
    CoverContext* cover_ = nullptr; // the cover's faces and spines; null elsewhere
    Editor editor_;
};
