// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTransform>

// What a printer needs to print at true size: its scale across and down, in %, and how far it
// puts the page off, in mm (rightwards and downwards). The user measures a calibration page and
// enters them; they are remembered for each printer name, and every print on that printer
// applies them, never a PDF file.
struct PrinterCorrection {
    static constexpr double minScale = 95, maxScale = 105; // %
    static constexpr double maxOffset = 20;                // mm, either way

    double scaleX = 100, scaleY = 100;
    double offsetX = 0, offsetY = 0;

    bool operator==(const PrinterCorrection&) const = default;
    bool isNone() const { return *this == PrinterCorrection(); }

    // The correction in a device's dots: a scale about the printable area's corner (the
    // device's origin), then the offset.
    QTransform transform(double dpiX, double dpiY) const;
    // "échelle 100,0 % × 100,0 %, décalage 0,0 mm × 0,0 mm".
    QString description() const;

    // Each value brought within its range to 0.1; what is no number is none.
    PrinterCorrection bounded() const;

    // The correction remembered for `printer` in the user's settings; none for an unknown one.
    static PrinterCorrection of(const QString& printer);
    // Remembers `correction` for `printer` (none forgets it).
    static void remember(const QString& printer, const PrinterCorrection& correction);
};
