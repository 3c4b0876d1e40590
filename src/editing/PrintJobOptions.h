// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QStringList>

class QPrinter;

// What a print job carries to a CUPS queue besides its pages: the print quality as IPP
// understands it, and the printer's own resolution nearest the quality's.
namespace PrintJobOptions {

// The IPP print-quality of a quality code (-1 draft to -4 high): draft 3, normal 4, high 5.
int ippQuality(int printQualityCode);
// The offered resolution nearest `wanted` (the higher one of two as near); 0 when none is
// offered.
int nearestResolution(int wanted, const QList<int>& offered);
// `options` (name, value, name, value…) with the quality of `printQualityCode` as IPP's
// print-quality, and the printer's resolution choice `resolution` ("600dpi") unless it is 0.
QStringList withQuality(QStringList options, int printQualityCode, int resolution);

// The options the printer sends with its next job: those the print dialog chose, plus the
// quality's. Nothing on a printer that is a PDF file.
QStringList jobOptions(const QPrinter& printer);
void setJobOptions(QPrinter& printer, const QStringList& options);

// True when the CUPS queue `printer` exists and refuses new jobs (its administrator rejected
// them): the print engine would hand it the job and say nothing of its refusal.
bool queueRefusesJobs(const QString& printer);

} // namespace PrintJobOptions
