// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrintJobOptions.h"

#include <cstring>
#include <cups/cups.h>

#include <QPrintEngine>
#include <QPrinter>
#include <cstdlib>

namespace PrintJobOptions {

namespace {

// Qt's CUPS print engine takes the options of a job as a flat list of name/value pairs under
// this key, and hands them to cupsPrintFile when the job ends (it is where its own print dialog
// puts the page set, the banners and the printer's advanced options). The key is Qt's private
// PPK_CupsOptions: QPrinter has no public way to give a job an option, and the tests check that
// the options really reach the queue.
constexpr auto cupsOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

bool isCupsQueue(const QPrinter& printer)
{
    return printer.outputFormat() == QPrinter::NativeFormat && printer.outputFileName().isEmpty();
}

// `options` with `name` set to `value`, added or replaced.
QStringList withOption(QStringList options, const QString& name, const QString& value)
{
    for (qsizetype i = 0; i + 1 < options.size(); i += 2) {
        if (options[i] == name) {
            options[i + 1] = value;
            return options;
        }
    }
    options << name << value;
    return options;
}

} // namespace

int ippQuality(int printQualityCode)
{
    // IPP has three levels for the four entries. Low goes with medium as normal: draft already
    // asks the printer for its fastest mode, and low then differs from medium by its resolution
    // (300 against 600 dpi), so that each entry changes the job on a printer offering those.
    switch (printQualityCode) {
    case -1:
        return 3;
    case -2:
    case -3:
        return 4;
    default:
        return 5;
    }
}

int nearestResolution(int wanted, const QList<int>& offered)
{
    int nearest = 0;
    for (int resolution : offered) {
        if (resolution <= 0)
            continue;
        const int distance = std::abs(resolution - wanted);
        const int best = std::abs(nearest - wanted);
        if (nearest == 0 || distance < best || (distance == best && resolution > nearest))
            nearest = resolution;
    }
    return nearest;
}

QStringList withQuality(QStringList options, int printQualityCode, int resolution)
{
    options = withOption(options, QStringLiteral("print-quality"),
                         QString::number(ippQuality(printQualityCode)));
    // The name a PPD gives its resolution choices.
    if (resolution > 0)
        options = withOption(options, QStringLiteral("Resolution"),
                             QStringLiteral("%1dpi").arg(resolution));
    return options;
}

QStringList jobOptions(const QPrinter& printer)
{
    if (!isCupsQueue(printer))
        return {};
    return printer.printEngine()->property(cupsOptionsKey).toStringList();
}

void setJobOptions(QPrinter& printer, const QStringList& options)
{
    if (isCupsQueue(printer))
        printer.printEngine()->setProperty(cupsOptionsKey, options);
}

bool queueRefusesJobs(const QString& printer)
{
    cups_dest_t* destination =
        cupsGetNamedDest(CUPS_HTTP_DEFAULT, printer.toUtf8().constData(), nullptr);
    if (!destination)
        return false;
    const char* accepting =
        cupsGetOption("printer-is-accepting-jobs", destination->num_options, destination->options);
    const bool refuses = accepting && std::strcmp(accepting, "false") == 0;
    cupsFreeDests(1, destination);
    return refuses;
}

} // namespace PrintJobOptions
