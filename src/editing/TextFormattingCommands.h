// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "OleColor.h"

#include <QString>
#include <functional>
#include <optional>

class JewelCaseDocument;
class Prompter;
class SelectionController;
class SelectionSurface;
class TextElement;
struct CoverContext;

// The formatting commands of the selected text: font, colours, border, alignment and
// stacking. They work on a window's selection and the texts of its surface: the cover's, where
// a selected spine stands for the Dos's vertical text, or the CD label's.
class TextFormattingCommands {
public:
    // The cover's: the font and the text colour may go to every text of the face.
    explicit TextFormattingCommands(CoverContext& context);
    // Another window's (the CD label's): the font and the text colour go to the selected text
    // only.
    TextFormattingCommands(SelectionController& selection, Prompter& prompter);

    enum class Scope { All, Selection, Cancelled };

    void font();
    void colour();
    // Entry 0 transparent, 1 a chosen colour; other entries do nothing.
    void backColour(int entry);
    // Entry 0 no border, 1 a single line.
    void border(int entry);
    // Entry 0 left, 1 right, 2 centred, 3 the size of its text.
    void textAlignment(int entry);
    void bringToFront();
    void sendToBack();

    // The question whether a change goes to every text of the face or to the selection only.
    static QString applyToAllQuestion(const QString& question, const QString& lastLine,
                                      bool fontTypo = false);

private:
    // The selection the colour and font commands act on: a spine, or a text.
    struct Target {
        bool spine = false;
        TextElement* text = nullptr;
    };

    std::optional<Target> checkedTarget();
    // The colour dialog, preset with the target's text colour.
    std::optional<OleColor> chooseColour(const Target& target);
    Scope askScope(const QString& question, const QString& lastLine, bool fontTypo = false);
    // Asks the apply-to-all question; on Yes, `change` goes to every text it reaches. False
    // when the user cancelled; otherwise the caller changes the selection itself.
    bool askAndApplyToAll(const QString& question, const QString& lastLine,
                          const std::function<void(TextElement&)>& change, bool fontTypo = false);
    // Every text the apply-to-all answer reaches, hidden ones and the template included.
    void forEachText(const std::function<void(TextElement&)>& change);
    void fit(TextElement& element);
    // A track list (a text file of the lookup window's, inserted) sized to its text takes a
    // smaller font, down to 6 pt, rather than run past the foot of its face on the cover.
    void shrinkTrackList(TextElement& text);
    TextElement* selectedText();
    void redrawVerticalText();

    SelectionController& selection_;
    SelectionSurface& surface_;
    Prompter& prompter_;
    JewelCaseDocument* cover_ = nullptr; // the cover's spines and stacking; null elsewhere
};
