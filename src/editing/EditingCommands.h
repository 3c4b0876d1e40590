#pragma once

#include "AlignmentCommands.h"
#include "CoverContext.h"
#include "TextElementCommands.h"
#include "TextFormattingCommands.h"

#include <QObject>

class QAction;
class QWidget;

// The editing commands of the cover window, wired to its menu entries and toolbar buttons
// (found by their object names).
class EditingCommands : public QObject {
    Q_OBJECT
public:
    // `showAbout` opens the about box, which the text editor offers too.
    EditingCommands(QWidget* window, CoverContext context, std::function<void()> showAbout);

    TextElementCommands& texts() { return texts_; }
    TextFormattingCommands& formatting() { return formatting_; }
    AlignmentCommands& alignment() { return alignment_; }

    // Shows or hides the entries that only texts offer, after a text or a spine is clicked.
    void showTextEntries(bool shown);

Q_SIGNALS:
    // A command has changed the cover: the sheets are painted again.
    void coverChanged();

private:
    QAction* action(const char* name) const;
    void wire(const char* name, std::function<void()> command);

    QWidget* window_;
    CoverContext context_;
    std::function<void()> showAbout_;
    TextElementCommands texts_;
    TextFormattingCommands formatting_;
    AlignmentCommands alignment_;
    bool textEntriesShown_ = true;
};
