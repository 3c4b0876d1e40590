// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPageLayout>
#include <QPointF>
#include <QRectF>
#include <vector>

class CdLabelDocument;
struct LabelSheet;
class QPaintDevice;
class QPainter;
struct SelectionMarks;

// Paints the CD label, as the cover's sheets are painted: on any device at its own resolution,
// through the same element painters. The drawing is the disc area: its colour, the picture,
// the texts in index order, and the disc's outline and hub in thin black lines.
namespace LabelRenderer {

// Paints the label in a painter whose unit is already the twip; with marks, the selection's
// frame and handles over it, as a window shows them.
void paint(QPainter& painter, const CdLabelDocument& label, const SelectionMarks* marks = nullptr);

// Paints the label on `device`, its top-left corner `origin` twips from the device's. False
// when the device cannot be painted on.
bool render(QPaintDevice& device, const CdLabelDocument& label,
            const SelectionMarks* marks = nullptr, const QPointF& origin = {});

// The drawing as a picture at `dpi` dots per inch, without marks.
QImage image(const CdLabelDocument& label, int dpi);

// The page a label is printed on: A4, portrait.
QPageLayout pageLayout();

// Paints the label as it goes on paper, at true size a margin in from the printable area's
// corner, with cut marks outside the disc area's corners, on a paged device (a printer, a PDF
// writer) whose origin is the printable area's corner.
void paintPrinted(QPainter& painter, const CdLabelDocument& label);

// Paints the label on a sheet of label stock at `places` (from 0), the disc's centre on each
// label's, on a paged device whose origin is the printable area's corner, which is
// `printableCorner` mm from the paper's. No cut marks: the labels are cut already.
void paintOnSheet(QPainter& painter, const CdLabelDocument& label, const LabelSheet& sheet,
                  const std::vector<std::size_t>& places, const QPointF& printableCorner);

// Writes the label as a one-page PDF, at `dpi` for the pictures. False when the file cannot be
// written.
bool writePdf(const CdLabelDocument& label, const QString& path, int dpi);

} // namespace LabelRenderer
