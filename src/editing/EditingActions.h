// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>

class QAction;
class QObject;

// The entries of the "&Texte sélectionné" menu and the toolbar buttons that run them, with the
// program's own captions and shortcuts. Each exists from construction: the window lays them
// out in its menus and toolbar, and the commands connect to them by name in the code, so that
// a missing entry is a compile error rather than a silent no-op.
struct TextActions {
    explicit TextActions(QObject* owner);

    QAction* font;
    QAction* colour;
    QAction* backColour; // the submenu "&Couleur de fond"
    QAction* backTransparent;
    QAction* backChange;
    QAction* border; // the submenu "Bordure du texte"
    QAction* borderNone;
    QAction* borderSingle;
    QAction* insert; // the submenu "&Insérer Nouveau texte"
    std::array<QAction*, 2> insertOn;
    QAction* edit;
    QAction* deleteText;
    QAction* showBar;
    QAction* align; // the submenu "Aligner la sélection à &Gauche de la barre"
    std::array<QAction*, 2> alignOn;
    QAction* space; // the submenu "Alignement &Vertical automatique des textes"
    std::array<QAction*, 2> spaceOn;
    QAction* textAlignment; // the submenu "Alignement du texte"
    std::array<QAction*, 4> textAlign;
    QAction* bringToFront;
    QAction* sendToBack;
    QAction* alignKey; // Ctrl+A, which is no entry's shortcut

    // Toolbar buttons.
    QAction* insertRectoButton;
    QAction* insertVersoButton;
    QAction* insertDosButton;
    QAction* editButton;
    QAction* fontButton;
    QAction* colourButton;
};

// The "&Affichage" menu and the two view buttons.
struct ViewActions {
    explicit ViewActions(QObject* owner);

    std::array<QAction*, 3> show; // "&Recto Verso", "&Verso", "&Dos"
    QAction* rectoVersoButton;
    QAction* dosButton;
};

// An action with its caption and shortcut; a toolbar button, whose caption is its tooltip.
QAction* makeAction(QObject* owner, const QString& text, const QString& shortcut = QString());
QAction* makeButton(QObject* owner, const QString& tooltip);
