// SPDX-License-Identifier: GPL-3.0-or-later
#include "HistoryActions.h"

#include "DocumentHistory.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

const QString undoCaption = QStringLiteral("&Annuler");
const QString redoCaption = QStringLiteral("&Rétablir");

QString named(const QString& caption, const QString& step)
{
    return step.isEmpty() ? caption : caption + QLatin1Char(' ') + step;
}

} // namespace

HistoryActions::HistoryActions(QObject* owner)
    : undo(new QAction(undoCaption, owner)), redo(new QAction(redoCaption, owner))
{
    undo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    redo->setShortcuts(
        {QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    undo->setEnabled(false);
    redo->setEnabled(false);
}

QMenu* HistoryActions::addMenu(QMenuBar* bar, QAction* before) const
{
    auto* menu = new QMenu(QStringLiteral("É&dition"), bar);
    menu->addActions({undo, redo});
    bar->insertMenu(before, menu);
    return menu;
}

void HistoryActions::follow(DocumentHistory& history) const
{
    QUndoStack& stack = history.stack();
    QObject::connect(undo, &QAction::triggered, &history, &DocumentHistory::undo);
    QObject::connect(redo, &QAction::triggered, &history, &DocumentHistory::redo);
    QAction* undoEntry = undo;
    QAction* redoEntry = redo;
    const auto update = [&stack, undoEntry, redoEntry] {
        undoEntry->setEnabled(stack.canUndo());
        undoEntry->setText(named(undoCaption, stack.undoText()));
        redoEntry->setEnabled(stack.canRedo());
        redoEntry->setText(named(redoCaption, stack.redoText()));
    };
    QObject::connect(&stack, &QUndoStack::indexChanged, undo, update);
    QObject::connect(&stack, &QUndoStack::cleanChanged, undo, update);
    update();
}
