// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>

class QAction;
class QObject;

// The cover window's entries and buttons that belong to the subsystems still to come, with
// their own captions and shortcuts. Each set is wired by its subsystem when it exists; until
// then its entries are shown disabled.

// "&Ouvrir", "&Nouveau", "Fichier CD Jaquette (Format JKCD)", "&Quitter" and their buttons,
// and "&Importer depuis des fichiers audio".
struct FileActions {
    explicit FileActions(QObject* owner);

    QAction* open;
    QAction* newCover;
    QAction* saveJkcd;
    QAction* quit;
    QAction* importAudio;
    // From the album last read (audio files, a catalogue record); disabled until there is one.
    QAction* createCover;
    QAction* createLabel;
    QAction* newButton;
    QAction* openButton;
    QAction* saveButton;
    QAction* quitButton;
};

// Printing, print quality, clipboard copies and BMP exports.
struct OutputActions {
    explicit OutputActions(QObject* owner);

    QAction* printAll;
    QAction* printRectoVerso;
    QAction* printDos;
    QAction* printerSetup;
    QAction* calibratePrinter;       // "Calibrer l'imprimante…"
    QAction* calibrationPage;        // "Imprimer une page de calibrage"
    std::array<QAction*, 4> quality; // draft, low, medium, high
    QAction* copyRectoVerso;
    QAction* copyDos;
    QAction* saveBmpRectoVerso;
    QAction* saveBmpDos;
    std::array<QAction*, 4> savePicture; // Verso, Recto, Dos backgrounds, then the logo
    QAction* printRectoVersoButton;
    QAction* printDosButton;
};

// The windows opened from the menu bar, and help.
struct WindowActions {
    explicit WindowActions(QObject* owner);

    QAction* imageOptions;
    QAction* cddb;
    QAction* label;
    QAction* help;
    QAction* about;
};
