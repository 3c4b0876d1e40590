// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentHistory.h"

DocumentHistory::DocumentHistory(QObject* parent) : QObject(parent)
{
    connect(&stack_, &QUndoStack::cleanChanged, this, &DocumentHistory::updateModified);
}

DocumentHistory::~DocumentHistory() = default;

void DocumentHistory::begin(const QString& what)
{
    if (depth_++ > 0)
        return;
    what_ = what;
    keepBefore();
}

void DocumentHistory::end()
{
    if (depth_ == 0 || --depth_ > 0)
        return;
    if (std::unique_ptr<QUndoCommand> step = stepFromBefore(what_)) {
        stack_.push(step.release());
        Q_EMIT changed();
    }
    updateModified();
}

void DocumentHistory::undo()
{
    if (!editing())
        stack_.undo();
}

void DocumentHistory::redo()
{
    if (!editing())
        stack_.redo();
}

void DocumentHistory::markModified()
{
    marked_ = true;
    updateModified();
}

void DocumentHistory::markSaved()
{
    marked_ = false;
    stack_.setClean();
    updateModified();
}

void DocumentHistory::restart()
{
    marked_ = false;
    stack_.clear();
    restarted();
    Q_EMIT changed();
    updateModified();
}

void DocumentHistory::announceRestored()
{
    Q_EMIT restored();
    Q_EMIT changed();
}

void DocumentHistory::updateModified()
{
    const bool modified = isModified();
    if (modified == std::exchange(lastModified_, modified))
        return;
    Q_EMIT modifiedChanged(modified);
}
