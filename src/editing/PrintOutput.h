// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QObject>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class Prompter;
class QPainter;
class QPrinter;
class QPushButton;
class QWidget;

// What every window's output shares, the cover's sheets as the CD label: the printer, the
// print quality (a resolution, and a quality the queue is told), the question before printing,
// the cancel button "Annuler l'impression", the printer's own settings lent for one command and
// given back, one job a page on a printer and one file for a whole command on a PDF, and the
// printing errors; and, for the clipboard copy and the BMP export, the page's picture as the
// screen shows it.
class PrintOutput : public QObject {
    Q_OBJECT
public:
    // One page of a command.
    struct Page {
        int number = 0;                       // what `pageOutput` says of it (the cover's sheet)
        QString jobName;                      // the printer's name for its job
        std::function<void()> show;           // the window shows it first (a view switch)
        std::function<void(QPainter&)> paint; // on paper, on a device whose origin is the
                                              // printable area's corner
        std::function<QImage()> picture;      // as the screen shows it
    };

    // `sharedPrinter` gives the program's one printer; without it the output makes its own, on
    // first use, as finding the system's printers takes a while.
    PrintOutput(Prompter& prompter, QPushButton& cancelButton, QWidget* window,
                std::function<QPrinter&()> sharedPrinter = {});
    ~PrintOutput() override;

    QPrinter& printer() const;
    // Entry 0 draft to 3 high. False when the entry was already chosen.
    bool setQuality(int entry);
    // The resolution the quality prints at, capped by what the printer offers.
    int qualityResolution() const;
    // The resolutions the printer offers; none for a PDF file, which takes any.
    QList<int> offeredResolutions() const;
    // "Configurer l'imprimante". True when the user chose.
    bool printerSetup();
    // "Calibrer l'imprimante…": the correction of the chosen printer, remembered under its name.
    // True when the user chose one.
    bool calibratePrinter();
    // "Imprimer une page de calibrage", with the printer's correction as every print.
    void printCalibrationPage();
    // The printable area of the page being printed, in mm from the paper's corner.
    QRectF printableArea() const;

    // A copy or a BMP export is running: the pages go to the clipboard, nothing is asked.
    bool copyOrExportInProgress() const { return copyInProgress_ || bmpExportInProgress_; }
    // The question before printing, `what` then "   Confirmez  ?"; true without asking while a
    // copy or an export runs.
    bool confirmed(const QString& what);
    // Sends `pages` in order to the printer, in `orientation` (on paper of `pageSize` when it is
    // given), or puts their pictures on the clipboard. A printer's remembered correction is
    // applied to every page, never to a PDF file, which says it is to be printed at its actual
    // size. A page is painted first and goes out only if "Annuler l'impression" was not
    // pressed meanwhile; the pages after it are then skipped. Without a printer, offers to
    // choose one; a printer that fails is reported, and left ready for the next command.
    void output(const std::vector<Page>& pages, bool toClipboard,
                QPageLayout::Orientation orientation, const QPageSize& pageSize = {});
    // A copy: `print` runs without its question and puts its page on the clipboard, with the
    // message "Image copiée vers le presse papier".
    void copy(const std::function<void()>& print);
    // A BMP export: `print` puts its page on the clipboard silently, and the picture is then
    // written where the save dialog titled `title` says, `proposedName` proposed.
    void exportBmp(const std::function<void()>& print, const QString& title,
                   const QString& proposedName);

Q_SIGNALS:
    // A page starts being painted for the printer (the tests press "Annuler l'impression" then).
    void pagePainting(int number);
    // A page has gone to its destination (the tests cancel between pages with it).
    void pageOutput(int number);

private:
    void toClipboard(const Page& page);
    // The window shows the page and lets events run; false when the output was cancelled.
    bool shownAndNotCancelled(const Page& page);
    void print(const std::vector<Page>& pages, QPageLayout::Orientation orientation,
               const QPageSize& pageSize);
    // A printer that is a printer, not a PDF file.
    bool printsOnPaper() const;
    // Which printer, paper, quality and correction print: the calibration page's lines.
    QString printingDescription() const;
    // A printer to print on, or the user's choice of one.
    bool printerReady();
    QString missingPrinter() const;
    bool finishJob(QPainter& job);
    // "Erreur rencontrée lors de l'impression :" with `reason`, or what failed when none is
    // given.
    void reportFailure(bool starting, QString reason = {});
    void settlePrinter();
    void cancel();

    Prompter& prompter_;
    QPushButton& cancelButton_;
    QWidget* window_;
    std::function<QPrinter&()> sharedPrinter_;
    mutable std::unique_ptr<QPrinter> ownPrinter_;
    int printQualityCode_ = -4;
    bool copyInProgress_ = false;
    bool bmpExportInProgress_ = false;
    bool cancelled_ = false; // "Annuler l'impression" was pressed during this command
    QImage capture_;         // the last page put on the clipboard
};
