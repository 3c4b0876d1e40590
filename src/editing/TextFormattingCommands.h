#pragma once

#include "OleColor.h"

#include <QString>
#include <functional>
#include <optional>

class TextElement;
struct CoverContext;

// The formatting commands of the selected text: font, colours, border, alignment and
// stacking. A selected spine stands for the Dos's vertical text.
class TextFormattingCommands {
public:
    explicit TextFormattingCommands(CoverContext& context) : context_(context) {}

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
    // Asks the apply-to-all question; on Yes, `change` goes to every text of the face. False
    // when the user cancelled; otherwise the caller changes the selection itself.
    bool askAndApplyToFace(const QString& question, const QString& lastLine,
                           const std::function<void(TextElement&)>& change, bool fontTypo = false);
    // Every text of the selection's face, hidden ones and the template included.
    void forEachFaceText(const std::function<void(TextElement&)>& change);
    TextElement* selectedText();
    void redrawVerticalText();

    CoverContext& context_;
};
