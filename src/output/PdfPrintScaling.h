// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// A PDF's viewer preference that turns print scaling off (/ViewerPreferences << /PrintScaling
// /None >> in its catalog), so that a viewer prints the page at its actual size rather than
// shrunk to the printer's margins. QPdfWriter writes no viewer preferences: the file is given
// them afterwards by an incremental update (a new catalog, a one-entry cross-reference section
// and a trailer that points back to the first), which leaves every byte written before as it
// was.
namespace PdfPrintScaling {

// The PDF `pdf` with the preference added; empty when it is no PDF we can read (a
// cross-reference stream, no catalog). Unchanged when the preference is there already.
QByteArray withActualSize(const QByteArray& pdf);

// Adds the preference to the PDF file at `path`. False when the file cannot be read, updated
// or written.
bool markActualSize(const QString& path);

} // namespace PdfPrintScaling
