// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CoverActions.h"
#include "EditingActions.h"
#include "HistoryActions.h"

#include <array>

class QMenu;
class QMenuBar;
class QToolBar;

// The cover window's menus and toolbar: one typed set of entries per subsystem, laid out in
// the program's order.
struct MainMenus {
    // The toolbar's positions, separators included.
    enum ToolbarPosition {
        NewPosition = 1,
        OpenPosition,
        SavePosition,
        PrintRectoVersoPosition,
        PrintDosPosition,
        QuitPosition,
        ViewRectoVersoPosition = 8,
        ViewDosPosition,
        InsertRectoPosition = 11,
        InsertVersoPosition,
        InsertDosPosition,
        EditPosition = 15,
        FontPosition,
        ColourPosition,
        LastPosition = ColourPosition
    };

    explicit MainMenus(QObject* owner);

    // Builds the menu bar and the toolbar from the sets.
    void layOut(QMenuBar* menuBar, QToolBar* toolBar);
    // The toolbar item at a position (a separator at 7, 10 and 14), or null outside 1 to 17.
    QAction* toolbarAt(int position) const;

    FileActions file;
    TextActions text;
    ViewActions view;
    OutputActions output;
    WindowActions windows;
    HistoryActions history; // "É&dition", before "?"
    QMenu* fileMenu = nullptr;
    QMenu* textMenu = nullptr; // also the pop-up menu of a text

private:
    std::array<QAction*, LastPosition> toolbar_{};
};
