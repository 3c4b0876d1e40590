// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Picture.h"
#include "SaneScanner.h"

#include <QString>
#include <optional>

class QWidget;

// The scanner commands of the windows, through SANE.
namespace ScannerWindows {

// "&Sélectionner la source de numérisation": a modal list of the scanners, each described and
// named ("Noname frontend-tester (virtual device) — test:0"); the choice is kept for the rest
// of the run. Without a scanner nothing is shown.
void SelectScannerSource(QWidget* window);
QString chosenSource();

// Empties the clipboard, asks how to scan ("Numériser", `ScanDialog`), scans one page from
// the chosen (or the first) scanner in the background while a modal progress window offers to
// cancel, puts the page on the clipboard and reads it back from there. Nothing when there is
// no scanner, the dialog is cancelled, the scan fails or is cancelled; the clipboard is then
// empty.
std::optional<Picture> AcquireScannedPicture(QWidget* window);

// Scans with `settings` on a thread of its own while a modal progress window, over `window`,
// offers to cancel. Nothing when the scan fails or is cancelled.
std::optional<QImage> scanWithProgress(QWidget* window, const QString& device,
                                       const SaneScanner::Settings& settings);

} // namespace ScannerWindows
