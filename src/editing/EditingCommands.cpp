// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditingCommands.h"

#include "CoverContext.h"
#include "JewelCaseDocument.h"
#include "TextEditorDialog.h"

#include <QAction>
#include <QWidget>

EditingCommands::EditingCommands(QWidget* window, CoverContext& context, const TextActions& actions,
                                 std::function<void()> showAbout)
    : QObject(window), window_(window), context_(context), actions_(actions),
      showAbout_(std::move(showAbout)),
      texts_(context,
             [this](const QString& caption) {
                 return TextEditorDialog::edit(caption, false, context_.prompter, window_,
                                               showAbout_);
             }),
      formatting_(context), alignment_(context)
{
    for (int entry = 0; entry < 2; ++entry) {
        wire(actions.insertOn[std::size_t(entry)], [this, entry] { texts_.insertFromMenu(entry); });
        wire(actions.alignOn[std::size_t(entry)], [this, entry] { alignment_.AlignToBar(entry); });
        wire(actions.spaceOn[std::size_t(entry)],
             [this, entry] { alignment_.SpaceVertically(entry); });
    }
    wire(actions.insertRectoButton, [this] { texts_.insertFromMenu(0); });
    wire(actions.insertVersoButton, [this] { texts_.insertFromMenu(1); });
    wire(actions.insertDosButton, [this] { texts_.InsertText(Face::Dos, false); });
    for (QAction* edit : {actions.edit, actions.editButton})
        wire(edit, [this] { texts_.edit(); });
    wire(actions.deleteText, [this] { texts_.deleteSelection(); });

    for (QAction* font : {actions.font, actions.fontButton})
        wire(font, [this] { formatting_.font(); });
    for (QAction* colour : {actions.colour, actions.colourButton})
        wire(colour, [this] { formatting_.colour(); });
    wire(actions.backTransparent, [this] { formatting_.backColour(0); });
    wire(actions.backChange, [this] { formatting_.backColour(1); });
    wire(actions.borderNone, [this] { formatting_.border(0); });
    wire(actions.borderSingle, [this] { formatting_.border(1); });
    for (int entry = 0; entry < 4; ++entry)
        wire(actions.textAlign[std::size_t(entry)],
             [this, entry] { formatting_.textAlignment(entry); });
    wire(actions.bringToFront, [this] { formatting_.bringToFront(); });
    wire(actions.sendToBack, [this] { formatting_.sendToBack(); });

    wire(actions.showBar, [this] {
        actions_.showBar->setChecked(alignment_.ToggleAlignmentBar());
        showTextEntries(textEntriesShown_);
    });
    wire(actions.alignKey, [this] { alignment_.alignKey(); });

    connect(&context_.selection, &SelectionController::textEntriesAvailable, this,
            &EditingCommands::showTextEntries);
}

void EditingCommands::wire(QAction* action, std::function<void()> command)
{
    connect(action, &QAction::triggered, this, [this, command = std::move(command)] {
        command();
        Q_EMIT coverChanged();
    });
}

void EditingCommands::showTextEntries(bool shown)
{
    textEntriesShown_ = shown;
    actions_.backTransparent->setVisible(shown);
    actions_.border->setVisible(shown);
    actions_.textAlignment->setVisible(shown);
    actions_.align->setVisible(shown && actions_.showBar->isChecked());
    actions_.space->setVisible(shown);
}
