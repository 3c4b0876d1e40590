// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <QRectF>
#include <QString>

class QPainter;

// "Imprimer une page de calibrage": a page the user measures with a ruler to find how far off a
// printer prints. Two 100 mm rulers with millimetre ticks (across and down), a 120 mm square,
// the edges of the printable area, and lines saying where they should be and what printed them.
// Everything is placed from the paper's corner, so that an offset can be measured too.
namespace CalibrationPage {

// Where the rulers start and where the square stands, in mm from the paper's top-left corner.
constexpr QPointF rulerOrigin{20, 20};
constexpr double rulerLength = 100;
constexpr QRectF square{40, 40, 120, 120};

// Paints the page on a paged device whose origin is the printable area's corner;
// `printableArea` is that area in mm from the paper's corner; `description` says which printer,
// paper and quality print it.
void paint(QPainter& painter, const QRectF& printableArea, const QString& description);

} // namespace CalibrationPage
