// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class DocumentHistory;
class QAction;
class QMenu;
class QMenuBar;
class QObject;

// The "É&dition" menu of a window: "Annuler …" (Ctrl+Z) and "Rétablir …" (Ctrl+Y, Ctrl+Shift+Z),
// each naming the step it would undo or redo ("Annuler la police") and disabled when there is
// none. Both windows have one, on their own document's history.
struct HistoryActions {
    explicit HistoryActions(QObject* owner);

    // Adds the menu to `bar` before `before` (the "?" menu), or last without one.
    QMenu* addMenu(QMenuBar* bar, QAction* before) const;
    // The entries undo and redo the steps of `history`, and follow its names.
    void follow(DocumentHistory& history) const;

    QAction* undo;
    QAction* redo;
};
