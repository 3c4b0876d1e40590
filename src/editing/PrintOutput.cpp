#include "PrintOutput.h"

#include "BmpFile.h"
#include "ClipboardPicture.h"
#include "Prompter.h"

#include <QApplication>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
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

void PrintOutput::printerSetup()
{
    QPrintDialog dialog(&printer(), window_);
    dialog.setWindowTitle(QStringLiteral("Configurer l'imprimante"));
    dialog.exec();
}

bool PrintOutput::confirmed(const QString& what)
{
    if (copyOrExportInProgress())
        return true;
    return prompter_.confirmed(QStringLiteral("Impression"), what);
}

void PrintOutput::output(const std::vector<Page>& pages, bool toClipboard,
                         QPageLayout::Orientation orientation)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    cancelled_ = false;
    cancelButton_.show();
    cancelButton_.setEnabled(true);
    // One PDF file holds the whole command; a printer gets one job a page.
    bool documentOpen = false;
    QPainter document;
    const bool oneFile = !toClipboard && printer().outputFormat() == QPrinter::PdfFormat;
    // The printer's own settings are lent for the command and given back after it.
    const QPageLayout layout = printer().pageLayout();
    const int resolution = printer().resolution();

    for (const Page& page : pages) {
        if (page.show)
            page.show();
        // The moment to press "Annuler l'impression" between two pages.
        QCoreApplication::processEvents();
        if (cancelled_)
            break;
        if (oneFile) {
            if (!documentOpen) {
                // A file has no unprintable edge: its pages are the headless export's.
                printer().setPageMargins(QMarginsF(), QPageLayout::Millimeter);
                printer().setPageOrientation(orientation);
                printer().setResolution(qualityResolution());
                documentOpen = document.begin(&printer());
            } else {
                // The new page takes the layout set now; the engine may have gone back to the
                // printer's own.
                printer().setPageOrientation(orientation);
                printer().newPage();
            }
            if (documentOpen && page.paint)
                page.paint(document);
        } else if (toClipboard) {
            this->toClipboard(page);
        } else {
            printPage(page, orientation);
        }
        Q_EMIT pageOutput(page.number);
    }
    if (documentOpen)
        document.end();
    printer().setPageLayout(layout);
    printer().setResolution(resolution);

    cancelButton_.hide();
    cancelButton_.setEnabled(false);
    QApplication::restoreOverrideCursor();
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

void PrintOutput::printPage(const Page& page, QPageLayout::Orientation orientation)
{
    // The command gives the printer its own settings back once every page is out.
    printer().setDocName(page.jobName);
    printer().setPageOrientation(orientation);
    printer().setResolution(qualityResolution());
    QPainter painter;
    bool printed = painter.begin(&printer());
    if (printed) {
        if (page.paint)
            page.paint(painter);
        printed = painter.end() && printer().printerState() != QPrinter::Error;
    }
    if (!printed && printer().printerState() != QPrinter::Aborted)
        prompter_.inform(QStringLiteral("Erreur rencontrée lors de l'impression :\r\n") +
                             QStringLiteral("l'imprimante « %1 » n'a pas accepté la page.")
                                 .arg(printer().printerName()),
                         QStringLiteral("Printing Error"), Prompter::Icon::Exclamation);
}

void PrintOutput::cancel()
{
    cancelled_ = true;
    if (printer().printerState() == QPrinter::Active)
        printer().abort();
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
