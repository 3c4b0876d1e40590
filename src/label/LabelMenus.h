// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "HistoryActions.h"

#include <array>

class QAction;
class QMenu;
class QMenuBar;
class QObject;
class QToolBar;

// The CD label window's menu entries and toolbar buttons, with the program's captions and
// shortcuts, and their layout. Each entry is a member, so that a command connects to it by name
// and a missing one is a compile error.
struct LabelMenus {
    // The toolbar's positions, separators included.
    enum ToolbarPosition {
        NewPosition = 1,
        OpenPosition,
        SavePosition,
        PrintPosition,
        ClosePosition,
        InsertPosition = 7,
        EditPosition,
        FontPosition,
        ColourPosition,
        HelpPosition = 12,
        LastPosition = HelpPosition
    };

    explicit LabelMenus(QObject* owner);

    // Builds the menu bar and the toolbar.
    void layOut(QMenuBar* menuBar, QToolBar* toolBar);
    // The toolbar item at a position (a separator at 6 and 11), or null outside 1 to 12.
    QAction* toolbarAt(int position) const;

    // "&Fichier"
    QAction* open;
    QAction* newLabel;
    QAction* saveJket;
    QAction* saveBmp;
    QAction* print;
    std::array<QAction*, 4> quality; // draft, low, medium, high
    QAction* printerSetup;
    QAction* calibratePrinter; // "Calibrer l'imprimante…"
    QAction* calibrationPage;  // "Imprimer une page de calibrage"
    QAction* labelSheet;       // "Feuille d'étiquettes…": alone on its page or on label stock
    QAction* copy;
    QAction* close;

    // "&Texte sélectionné"
    QAction* insertText;
    QAction* font;
    QAction* colour;
    QAction* backTransparent;
    QAction* backChange;
    QAction* borderNone;
    QAction* borderSingle;
    QAction* edit;
    QAction* deleteText;
    std::array<QAction*, 4> align; // left, right, centred, the size of its text

    // "&Image"
    QAction* pictureFromFile;
    QAction* pictureFromScanner;
    QAction* pictureFromClipboard;
    QAction* deletePicture;
    QAction* labelColour;

    // "&?"
    QAction* help;
    QAction* about;

    // Toolbar buttons, each running the entry of the same name.
    QAction* newButton;
    QAction* openButton;
    QAction* saveButton;
    QAction* printButton;
    QAction* closeButton;
    QAction* insertButton;
    QAction* editButton;
    QAction* fontButton;
    QAction* colourButton;
    QAction* helpButton;

    // "É&dition", before "&?".
    HistoryActions history;

    QMenu* fileMenu = nullptr;
    QMenu* textMenu = nullptr; // also the pop-up menu of a text
    QMenu* pictureMenu = nullptr;
    QMenu* insertPictureMenu = nullptr;

private:
    std::array<QAction*, LastPosition> toolbar_{};
};
