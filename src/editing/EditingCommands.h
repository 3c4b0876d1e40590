// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlignmentCommands.h"
#include "EditingActions.h"
#include "TextElementCommands.h"
#include "TextFormattingCommands.h"

#include <QObject>
#include <functional>

class QAction;
class QWidget;
struct CoverContext;

// The editing commands of the cover window, wired to their menu entries and toolbar buttons.
class EditingCommands : public QObject {
    Q_OBJECT
public:
    // `showAbout` opens the about box, which the text editor offers too.
    EditingCommands(QWidget* window, CoverContext& context, const TextActions& actions,
                    std::function<void()> showAbout);

    TextElementCommands& texts() { return texts_; }
    TextFormattingCommands& formatting() { return formatting_; }
    AlignmentCommands& alignment() { return alignment_; }

    // Shows or hides the entries that only texts offer, as the selection is a text or a spine.
    void showTextEntries(bool shown);

Q_SIGNALS:
    // A command has changed the cover: the sheets are painted again.
    void coverChanged();

private:
    void wire(QAction* action, std::function<void()> command);

    QWidget* window_;
    CoverContext& context_;
    const TextActions& actions_;
    std::function<void()> showAbout_;
    TextElementCommands texts_;
    TextFormattingCommands formatting_;
    AlignmentCommands alignment_;
    bool textEntriesShown_ = true;
};
