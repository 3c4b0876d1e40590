// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrintOutput.h"

#include "BmpFile.h"
#include "CalibrationPage.h"
#include "ClipboardPicture.h"
#include "PdfPrintScaling.h"
#include "PrintJobOptions.h"
#include "PrinterCalibrationDialog.h"
#include "PrinterCorrection.h"
#include "Prompter.h"
#include "RecordedPage.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLocale>
#include <QPaintEngine>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <algorithm>

namespace {

// Draft, low, medium and high quality, as printer resolutions.
int resolutionOf(int printQualityCode)
{
    switch (printQualityCode) {
    case -1:
        return 150;
    case -2:
        return 300;
    case -3:
        return 600;
    default:
        return 1200;
    }
}

// The quality's name as the calibration page says it.
QString qualityName(int printQualityCode)
{
    switch (printQualityCode) {
    case -1:
        return QStringLiteral("brouillon");
    case -2:
        return QStringLiteral("basse");
    case -3:
        return QStringLiteral("moyenne");
    default:
        return QStringLiteral("haute");
    }
}

} // namespace

PrintOutput::PrintOutput(Prompter& prompter, QPushButton& cancelButton, QWidget* window,
                         std::function<QPrinter&()> sharedPrinter)
    : prompter_(prompter), cancelButton_(cancelButton), window_(window),
      sharedPrinter_(std::move(sharedPrinter))
{
    cancelButton_.hide();
    cancelButton_.setEnabled(false);
    connect(&cancelButton_, &QPushButton::clicked, this, &PrintOutput::cancel);
}

PrintOutput::~PrintOutput() = default;

QPrinter& PrintOutput::printer() const
{
    if (sharedPrinter_)
        return sharedPrinter_();
    if (!ownPrinter_)
        ownPrinter_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *ownPrinter_;
}

bool PrintOutput::setQuality(int entry)
{
    const int code = -(entry + 1);
    if (entry < 0 || entry > 3 || code == printQualityCode_)
        return false;
    printQualityCode_ = code;
    return true;
}

int PrintOutput::qualityResolution() const
{
    int resolution = resolutionOf(printQualityCode_);
    // A PDF file takes any resolution; a printer says what it can do.
    const QList<int> offered = offeredResolutions();
    if (!offered.isEmpty())
        resolution = std::min(resolution, *std::max_element(offered.begin(), offered.end()));
    return resolution;
}

QList<int> PrintOutput::offeredResolutions() const
{
    const QPrinter& printer = this->printer();
    if (printer.outputFormat() != QPrinter::NativeFormat || !printer.outputFileName().isEmpty())
        return {};
    // The printer's own choices (its PPD's); QPrinter itself only ever offers 72 dpi.
    QList<int> offered = QPrinterInfo::printerInfo(printer.printerName()).supportedResolutions();
    offered.removeIf([](int resolution) { return resolution < 72; });
    return offered;
}

bool PrintOutput::printerSetup()
{
    settlePrinter();
    QPrintDialog dialog(&printer(), window_);
    dialog.setWindowTitle(QStringLiteral("Configurer l'imprimante"));
    // The dialog only chooses the printer and its settings: its button does not print.
    if (auto* buttons =
            dialog.findChild<QDialogButtonBox*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    }
    return dialog.exec() == QDialog::Accepted;
}

bool PrintOutput::printsOnPaper() const
{
    const QPrinter& printer = this->printer();
    return printer.outputFormat() == QPrinter::NativeFormat && printer.outputFileName().isEmpty();
}

bool PrintOutput::calibratePrinter()
{
    settlePrinter();
    if (!printsOnPaper() || !missingPrinter().isEmpty()) {
        prompter_.inform(QStringLiteral("Le calibrage vaut pour une imprimante ; un fichier PDF "
                                        "s'imprime toujours à sa taille réelle.\r\nChoisissez "
                                        "d'abord une imprimante avec « Configurer "
                                        "l'imprimante »."),
                         QStringLiteral("Calibrer l'imprimante"), Prompter::Icon::Information);
        return false;
    }
    const QString name = printer().printerName();
    PrinterCalibrationDialog dialog(name, PrinterCorrection::of(name), window_);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    PrinterCorrection::remember(name, dialog.correction());
    return true;
}

QRectF PrintOutput::printableArea() const
{
    return printer().pageLayout().paintRect(QPageLayout::Millimeter);
}

QString PrintOutput::printingDescription() const
{
    const QPrinter& printer = this->printer();
    const QLocale french(QLocale::French, QLocale::France);
    const QPageLayout layout = printer.pageLayout();
    const QSizeF paper = layout.fullRect(QPageLayout::Millimeter).size();
    const QString who = printsOnPaper()
                            ? QStringLiteral("Imprimante : %1").arg(printer.printerName())
                            : QStringLiteral("Fichier PDF : %1").arg(printer.outputFileName());
    const QString correction =
        printsOnPaper()
            ? QStringLiteral("Correction : %1")
                  .arg(PrinterCorrection::of(printer.printerName()).description())
            : QStringLiteral("Correction : aucune (un fichier PDF est à sa taille réelle)");
    return QStringLiteral("%1\nPapier : %2 (%3 × %4 mm) ; qualité %5 (%6 ppp)\n%7")
        .arg(who, layout.pageSize().name(), french.toString(paper.width(), 'f', 1),
             french.toString(paper.height(), 'f', 1), qualityName(printQualityCode_))
        .arg(qualityResolution())
        .arg(correction);
}

void PrintOutput::printCalibrationPage()
{
    if (!confirmed(QStringLiteral("Impression de la page de calibrage")))
        return;
    Page page;
    page.jobName = QStringLiteral("Jaskel CD : Page de calibrage");
    page.paint = [this](QPainter& painter) {
        CalibrationPage::paint(painter, printableArea(), printingDescription());
    };
    output({page}, false, QPageLayout::Portrait);
}

bool PrintOutput::confirmed(const QString& what)
{
    if (copyOrExportInProgress())
        return true;
    return prompter_.confirmed(QStringLiteral("Impression"), what);
}

void PrintOutput::output(const std::vector<Page>& pages, bool toClipboard,
                         QPageLayout::Orientation orientation, const QPageSize& pageSize)
{
    if (!toClipboard && !printerReady())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    cancelled_ = false;
    cancelButton_.show();
    cancelButton_.setEnabled(true);
    if (toClipboard) {
        for (const Page& page : pages) {
            if (!shownAndNotCancelled(page))
                break;
            this->toClipboard(page);
            Q_EMIT pageOutput(page.number);
        }
    } else {
        print(pages, orientation, pageSize);
    }
    cancelButton_.hide();
    cancelButton_.setEnabled(false);
    QApplication::restoreOverrideCursor();
}

bool PrintOutput::shownAndNotCancelled(const Page& page)
{
    if (page.show)
        page.show();
    // After the view switch: "Annuler l'impression" pressed between two pages.
    QCoreApplication::processEvents();
    return !cancelled_;
}

void PrintOutput::print(const std::vector<Page>& pages, QPageLayout::Orientation orientation,
                        const QPageSize& pageSize)
{
    QPrinter& printer = this->printer();
    // The printer's own settings are lent for the command and given back after it.
    const QPageLayout layout = printer.pageLayout();
    const int resolution = printer.resolution();
    const QStringList options = PrintJobOptions::jobOptions(printer);
    // One PDF file holds the whole command; a printer gets one job a page.
    const bool oneFile = printer.outputFormat() == QPrinter::PdfFormat;
    // What this printer needs to print at true size; a file is at true size already.
    const PrinterCorrection correction =
        printsOnPaper() ? PrinterCorrection::of(printer.printerName()) : PrinterCorrection();
    bool filePrinted = false;
    QPainter job;

    for (const Page& page : pages) {
        if (!shownAndNotCancelled(page))
            break;
        if (!job.isActive()) {
            // A file has no unprintable edge: its pages are the headless export's.
            if (oneFile)
                printer.setPageMargins(QMarginsF(), QPageLayout::Millimeter);
            else
                printer.setDocName(page.jobName);
            printer.setResolution(qualityResolution());
            // The queue is told the quality, and the printer's resolution nearest it.
            PrintJobOptions::setJobOptions(
                printer, PrintJobOptions::withQuality(
                             options, printQualityCode_,
                             PrintJobOptions::nearestResolution(resolutionOf(printQualityCode_),
                                                                offeredResolutions())));
        }
        // The next page of a file takes the layout set now; the engine may have gone back to
        // the printer's own.
        if (pageSize.isValid())
            printer.setPageSize(pageSize);
        printer.setPageOrientation(orientation);

        Q_EMIT pagePainting(page.number);
        RecordedPage recorded(printer);
        {
            QPainter painter(&recorded);
            if (page.paint)
                page.paint(painter);
        }
        // "Annuler l'impression" pressed while the page was painted: nothing of it goes out.
        QCoreApplication::processEvents();
        if (cancelled_)
            break;
        if (!oneFile && PrintJobOptions::queueRefusesJobs(printer.printerName())) {
            reportFailure(true, QStringLiteral("l'imprimante « %1 » refuse les travaux pour le "
                                               "moment.")
                                    .arg(printer.printerName()));
            break;
        }
        const bool started = job.isActive() ? printer.newPage() : job.begin(&printer);
        if (!started) {
            reportFailure(true);
            break;
        }
        recorded.playOn(job, correction.transform(printer.logicalDpiX(), printer.logicalDpiY()));
        filePrinted = oneFile;
        if (!oneFile && !finishJob(job))
            break;
        Q_EMIT pageOutput(page.number);
    }
    // A viewer that prints the file is told to print it at its actual size.
    if (job.isActive() && finishJob(job) && filePrinted &&
        !PdfPrintScaling::markActualSize(printer.outputFileName()))
        reportFailure(false);

    printer.setPageLayout(layout);
    printer.setResolution(resolution);
    PrintJobOptions::setJobOptions(printer, options);
}

bool PrintOutput::printerReady()
{
    settlePrinter();
    const QString missing = missingPrinter();
    if (missing.isEmpty())
        return true;
    // A PDF file is always possible.
    const Prompter::Message offer{
        QStringLiteral("Impression"),
        missing + QStringLiteral("\r\nChoisir une imprimante ou un fichier PDF avec "
                                 "« Configurer l'imprimante » ?"),
        Prompter::Icon::Question, Prompter::Yes | Prompter::No, Prompter::No};
    if (prompter_.ask(offer) != Prompter::Yes || !printerSetup())
        return false;
    const QString stillMissing = missingPrinter();
    if (!stillMissing.isEmpty())
        prompter_.inform(stillMissing, QStringLiteral("Impression"), Prompter::Icon::Exclamation);
    return stillMissing.isEmpty();
}

QString PrintOutput::missingPrinter() const
{
    const QPrinter& printer = this->printer();
    if (!printer.outputFileName().isEmpty())
        return {};
    // With no printer at all, the printer is a PDF file without a name.
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return QStringLiteral("Aucune imprimante n'est installée.");
    if (QPrinterInfo::printerInfo(printer.printerName()).isNull())
        return QStringLiteral("L'imprimante « %1 » n'est pas disponible.")
            .arg(printer.printerName());
    return {};
}

bool PrintOutput::finishJob(QPainter& job)
{
    const bool finished = job.end() && printer().printerState() != QPrinter::Error;
    if (!finished)
        reportFailure(false);
    return finished;
}

void PrintOutput::reportFailure(bool starting, QString reason)
{
    const QPrinter& printer = this->printer();
    const QString file = printer.outputFileName();
    if (reason.isEmpty() && !file.isEmpty())
        reason = starting ? QStringLiteral("impossible d'écrire le fichier « %1 ».").arg(file)
                          : QStringLiteral("le fichier « %1 » n'a pas pu être terminé.").arg(file);
    else if (reason.isEmpty())
        reason = starting ? QStringLiteral("l'imprimante « %1 » n'a pas pu commencer le travail.")
                                .arg(printer.printerName())
                          : QStringLiteral("l'imprimante « %1 » n'a pas accepté la page.")
                                .arg(printer.printerName());
    settlePrinter();
    prompter_.inform(QStringLiteral("Erreur rencontrée lors de l'impression :\r\n") + reason,
                     QStringLiteral("Printing Error"), Prompter::Icon::Exclamation);
}

void PrintOutput::settlePrinter()
{
    // A job that could not start leaves the printer active (or in error), and an active
    // printer refuses every new setting: ending its engine makes it idle again.
    QPrinter& printer = this->printer();
    if (printer.printerState() != QPrinter::Idle && printer.paintEngine())
        printer.paintEngine()->end();
}

void PrintOutput::toClipboard(const Page& page)
{
    // The page as the screen shows it, without bar or selection.
    capture_ = page.picture ? page.picture() : QImage();
    ClipboardPicture::clear();
    ClipboardPicture::write(capture_);
    if (!bmpExportInProgress_)
        prompter_.inform(QStringLiteral("Image copiée vers le presse papier"),
                         QStringLiteral("Presse papier"), Prompter::Icon::Information);
}

void PrintOutput::cancel()
{
    // Nothing is printing now: the page being painted is held back (print engines cannot
    // abort a job once they have it).
    cancelled_ = true;
    cancelButton_.hide();
    cancelButton_.setEnabled(false);
    QCoreApplication::processEvents();
}

void PrintOutput::copy(const std::function<void()>& print)
{
    copyInProgress_ = true;
    print();
    copyInProgress_ = false;
}

void PrintOutput::exportBmp(const std::function<void()>& print, const QString& title,
                            const QString& proposedName)
{
    bmpExportInProgress_ = true;
    capture_ = QImage();
    print();
    bmpExportInProgress_ = false;
    const QImage picture = capture_;
    const std::optional<QString> path =
        prompter_.getSaveFileName({title,
                                   proposedName,
                                   {QStringLiteral("Fichier image BMP (*.bmp)")},
                                   QStringLiteral("bmp")});
    if (!path || path->isEmpty())
        return;
    if (!BmpFile::write(picture, *path))
        prompter_.inform(QStringLiteral("Impossible d'écrire le fichier %1.").arg(*path),
                         QStringLiteral("Enregistrer"), Prompter::Icon::Exclamation);
}
