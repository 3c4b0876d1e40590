#include "OutputCommands.h"

#include "BmpFile.h"
#include "ClipboardPicture.h"
#include "CoverContext.h"
#include "FaceViews.h"
#include "JewelCaseDocument.h"
#include "PrintedSheet.h"
#include "Prompter.h"
#include "SheetRenderer.h"
#include "Twips.h"

#include <QApplication>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <algorithm>

namespace {

// The confirmation of each printing entry.
QString confirmation(int entry)
{
    switch (entry) {
    case OutputCommands::AllSheets:
        return QStringLiteral("Impression du Recto-Verso-Dos");
    case OutputCommands::RectoVerso:
        return QStringLiteral("Impression du Recto-Verso");
    default:
        return QStringLiteral("Impression du Dos");
    }
}

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

} // namespace

OutputCommands::OutputCommands(CoverContext& context, QPushButton& cancelButton, QWidget* window,
                               std::function<void(int view)> showView)
    : context_(context), cancelButton_(cancelButton), window_(window),
      showView_(std::move(showView))
{
    cancelButton_.hide();
    cancelButton_.setEnabled(false);
    connect(&cancelButton_, &QPushButton::clicked, this, &OutputCommands::cancel);
}

OutputCommands::~OutputCommands() = default;

QPrinter& OutputCommands::printer() const
{
    // Made on first use: finding the system's printers would slow the program's start.
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

bool OutputCommands::setQuality(int entry)
{
    const int code = -(entry + 1);
    if (entry < 0 || entry > 3 || code == printQualityCode_)
        return false;
    printQualityCode_ = code;
    return true;
}

int OutputCommands::qualityResolution() const
{
    int resolution = resolutionOf(printQualityCode_);
    // A PDF file takes any resolution; a printer says what it can do.
    const QList<int> offered = printer().outputFormat() == QPrinter::PdfFormat
                                   ? QList<int>()
                                   : printer().supportedResolutions();
    if (!offered.isEmpty()) {
        const int highest = *std::max_element(offered.begin(), offered.end());
        if (highest >= 72)
            resolution = std::min(resolution, highest);
    }
    return resolution;
}

void OutputCommands::Print(int entry)
{
    if (entry < DosToClipboard || entry > Dos)
        return;
    const bool toClipboard = entry < 0;
    if (!toClipboard && !copyInProgress_ && !bmpExportInProgress_) {
        const Prompter::Button answer = context_.prompter.ask(
            {QStringLiteral("Impression"),
             confirmation(entry) + QStringLiteral("\r   Confirmez  ?"), Prompter::Icon::Question,
             Prompter::Yes | Prompter::No, Prompter::No});
        if (answer != Prompter::Yes)
            return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    cancelled_ = false;
    cancelButton_.show();
    cancelButton_.setEnabled(true);
    context_.selection.EndDrag();
    // One PDF file holds the whole command; a printer gets one job a sheet.
    bool documentOpen = false;
    QPainter document;
    const bool oneFile = !toClipboard && printer().outputFormat() == QPrinter::PdfFormat;
    // The printer's own settings are lent for the command and given back after it.
    const QPageLayout layout = printer().pageLayout();
    const int resolution = printer().resolution();

    const auto output = [&](int sheet, int view) {
        if (showView_)
            showView_(view);
        // The moment to press "Annuler l'impression" between two sheets.
        QCoreApplication::processEvents();
        if (cancelled_)
            return;
        if (oneFile) {
            if (!documentOpen) {
                // A file has no unprintable edge: its pages are the headless export's.
                printer().setPageMargins(QMarginsF(), QPageLayout::Millimeter);
                printer().setPageOrientation(QPageLayout::Landscape);
                printer().setResolution(qualityResolution());
                documentOpen = document.begin(&printer());
            } else {
                // The new page takes the layout set now; the engine may have gone back to the
                // printer's own.
                printer().setPageOrientation(QPageLayout::Landscape);
                printer().newPage();
            }
            if (documentOpen)
                PrintedSheet::paint(document, context_.document, sheet);
        } else {
            outputSheet(sheet, toClipboard);
        }
        Q_EMIT sheetOutput(sheet);
    };
    if (entry == AllSheets || entry == Dos || entry == DosToClipboard)
        output(DosSheet, FaceViews::Dos);
    if (entry == AllSheets || entry == RectoVerso || entry == RectoToClipboard)
        output(RectoSheet, FaceViews::RectoVerso);
    if (documentOpen)
        document.end();
    printer().setPageLayout(layout);
    printer().setResolution(resolution);

    cancelButton_.hide();
    cancelButton_.setEnabled(false);
    QApplication::restoreOverrideCursor();
}

void OutputCommands::outputSheet(int sheet, bool toClipboard)
{
    if (toClipboard) {
        // The sheet as the screen shows it, without its bar and selection.
        capture_ = SheetRenderer::image(context_.document, sheet, int(Twips::screenDpi));
        ClipboardPicture::clear();
        ClipboardPicture::write(capture_);
        if (!bmpExportInProgress_)
            context_.prompter.inform(QStringLiteral("Image copiée vers le presse papier"),
                                     QStringLiteral("Presse papier"), Prompter::Icon::Information);
        return;
    }
    printSheet(sheet);
}

void OutputCommands::printSheet(int sheet)
{
    // The command gives the printer its own settings back once every sheet is out.
    printer().setDocName(QStringLiteral("Jaskel CD : ") + (sheet == DosSheet
                                                               ? QStringLiteral("Dos")
                                                               : QStringLiteral("Recto Verso")));
    printer().setPageOrientation(QPageLayout::Landscape);
    printer().setResolution(qualityResolution());
    QPainter painter;
    bool printed = painter.begin(&printer());
    if (printed) {
        PrintedSheet::paint(painter, context_.document, sheet);
        printed = painter.end() && printer().printerState() != QPrinter::Error;
    }
    if (!printed && printer().printerState() != QPrinter::Aborted)
        context_.prompter.inform(QStringLiteral("Erreur rencontrée lors de l'impression :\r\n") +
                                     QStringLiteral("l'imprimante « %1 » n'a pas accepté la "
                                                    "page.")
                                         .arg(printer().printerName()),
                                 QStringLiteral("Printing Error"), Prompter::Icon::Exclamation);
}

void OutputCommands::cancel()
{
    cancelled_ = true;
    if (printer().printerState() == QPrinter::Active)
        printer().abort();
    cancelButton_.hide();
    cancelButton_.setEnabled(false);
    QCoreApplication::processEvents();
}

void OutputCommands::printerSetup()
{
    QPrintDialog dialog(&printer(), window_);
    dialog.setWindowTitle(QStringLiteral("Configurer l'imprimante"));
    dialog.exec();
}

void OutputCommands::copy(int entry)
{
    if (entry != 0 && entry != 1)
        return;
    copyInProgress_ = true;
    Print(-(entry + 1));
    copyInProgress_ = false;
}

void OutputCommands::exportSheet(int sheet)
{
    if (sheet != RectoSheet && sheet != DosSheet)
        return;
    bmpExportInProgress_ = true;
    Print(sheet == RectoSheet ? RectoToClipboard : DosToClipboard);
    bmpExportInProgress_ = false;
    const QImage picture = capture_;
    const bool recto = sheet == RectoSheet;
    const std::optional<QString> path = context_.prompter.getSaveFileName(
        {recto ? QStringLiteral("Enregistrer Recto/Verso au format image BMP")
               : QStringLiteral("Enregistrer Dos au format image BMP"),
         recto ? QStringLiteral("Recto Verso") : QStringLiteral("Dos"),
         {QStringLiteral("Fichier image BMP (*.bmp)")},
         QStringLiteral("bmp")});
    if (!path || path->isEmpty())
        return;
    if (!BmpFile::write(picture, *path))
        context_.prompter.inform(QStringLiteral("Impossible d'écrire le fichier %1.").arg(*path),
                                 QStringLiteral("Enregistrer"), Prompter::Icon::Exclamation);
}
