// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>
#include <memory>

class PrintOutput;
struct CoverContext;
class QPrinter;
class QPushButton;
class QWidget;

// Printing, the clipboard copies and the sheet BMP exports of the cover. A sheet goes to paper
// through the one renderer at the printer's resolution (never as a screen picture); to the
// clipboard and a BMP file as the screen shows it, 15 twips a pixel. The window lends its
// cancel button "Annuler l'impression" and a way to switch views; what every window's output
// shares is `PrintOutput`'s.
class OutputCommands : public QObject {
    Q_OBJECT
public:
    // The print command's entries: 0 both sheets (the Dos first), 1 the recto sheet, 2 the Dos
    // sheet; -1 and -2 the recto and the Dos sheet onto the clipboard.
    enum Entry {
        AllSheets = 0,
        RectoVerso = 1,
        Dos = 2,
        RectoToClipboard = -1,
        DosToClipboard = -2
    };

    OutputCommands(CoverContext& context, QPushButton& cancelButton, QWidget* window,
                   std::function<void(int view)> showView);
    ~OutputCommands() override;

    // The program's printer, with the settings "Configurer l'imprimante" chose; the CD label
    // prints on it too.
    QPrinter& printer() const;

    // "Imprimer" and its entries.
    void Print(int entry);
    // "&Qualité d'impression": entry 0 draft to 3 high. False when the entry was already chosen.
    bool setQuality(int entry);
    // "Configurer l'imprimante".
    void printerSetup();
    // "Calibrer l'imprimante…".
    void calibratePrinter();
    // "Imprimer une page de calibrage".
    void printCalibrationPage();
    // "Copier Recto && Verso" (0) and "Copier Dos" (1).
    void copy(int entry);
    // "CD Jaquette Recto Verso  (Format BMP)" and "CD Jaquette Dos               (Format BMP)".
    void exportSheet(int sheet);

Q_SIGNALS:
    // A sheet starts being painted for the printer (the tests cancel during a sheet with it).
    void sheetPainting(int sheet);
    // A sheet has gone to its destination (the tests cancel between sheets with it).
    void sheetOutput(int sheet);

private:
    CoverContext& context_;
    std::function<void(int view)> showView_;
    std::unique_ptr<PrintOutput> output_;
};
