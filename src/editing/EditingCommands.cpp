#include "EditingCommands.h"

#include "CoverSelection.h"
#include "JewelCaseDocument.h"
#include "frmTextEdit.h"

#include <QAction>
#include <QWidget>

EditingCommands::EditingCommands(QWidget* window, CoverContext context,
                                 std::function<void()> showAbout)
    : QObject(window), window_(window), context_(context), showAbout_(std::move(showAbout)),
      texts_(context,
             [this](const QString& caption) {
                 return frmTextEdit::edit(caption, context_.prompter, window_, showAbout_);
             }),
      formatting_(context), alignment_(context)
{
    wire("mnuInsert0", [this] { texts_.insertFromMenu(0); });
    wire("mnuInsert1", [this] { texts_.insertFromMenu(1); });
    wire("tbInsertRecto", [this] { texts_.insertFromMenu(0); });
    wire("tbInsertVerso", [this] { texts_.insertFromMenu(1); });
    wire("tbInsertDos", [this] {
        texts_.InsertText(Face::Dos, false);
        context_.document.documentModified = 1;
    });
    wire("mnuEdit", [this] { texts_.edit(); });
    wire("tbEdit", [this] { texts_.edit(); });
    wire("mnuDelete", [this] { texts_.deleteSelection(); });

    wire("mnuFont", [this] { formatting_.font(); });
    wire("tbFont", [this] { formatting_.font(); });
    wire("mnuColour", [this] { formatting_.colour(); });
    wire("tbColour", [this] { formatting_.colour(); });
    wire("mnuBackTransparent", [this] { formatting_.backColour(0); });
    wire("mnuBackChange", [this] { formatting_.backColour(1); });
    wire("mnuBorderNone", [this] { formatting_.border(0); });
    wire("mnuBorderSingle", [this] { formatting_.border(1); });
    for (int entry = 0; entry < 4; ++entry) {
        const QByteArray name = "mnuTextAlign" + QByteArray::number(entry);
        wire(name.constData(), [this, entry] { formatting_.textAlignment(entry); });
    }
    wire("mnuBringToFront", [this] { formatting_.bringToFront(); });
    wire("mnuSendToBack", [this] { formatting_.sendToBack(); });

    wire("mnuShowBar", [this] {
        const bool shown = alignment_.ToggleAlignmentBar();
        action("mnuShowBar")->setChecked(shown);
        showTextEntries(textEntriesShown_);
    });
    wire("mnuAlign0", [this] { alignment_.AlignToBar(0); });
    wire("mnuAlign1", [this] { alignment_.AlignToBar(1); });
    wire("mnuSpace0", [this] { alignment_.SpaceVertically(0); });
    wire("mnuSpace1", [this] { alignment_.SpaceVertically(1); });
    wire("mnuAlignKey", [this] { alignment_.alignKey(); });

    connect(&context_.selection, &CoverSelection::textEntriesAvailable, this,
            &EditingCommands::showTextEntries);
}

QAction* EditingCommands::action(const char* name) const
{
    return window_->findChild<QAction*>(QString::fromLatin1(name));
}

void EditingCommands::wire(const char* name, std::function<void()> command)
{
    QAction* entry = action(name);
    if (!entry)
        return;
    entry->setEnabled(true);
    connect(entry, &QAction::triggered, this, [this, command = std::move(command)] {
        command();
        Q_EMIT coverChanged();
    });
}

void EditingCommands::showTextEntries(bool shown)
{
    textEntriesShown_ = shown;
    const bool barShown = action("mnuShowBar")->isChecked();
    action("mnuBackTransparent")->setVisible(shown);
    action("mnuBorder")->setVisible(shown);
    action("mnuTextAlignment")->setVisible(shown);
    action("mnuAlign")->setVisible(shown && barShown);
    action("mnuSpace")->setVisible(shown);
}
