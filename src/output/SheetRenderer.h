// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPointF>
#include <QSizeF>
#include <functional>

class JewelCaseDocument;
class QPaintDevice;
class QPainter;
struct SelectionMarks;
struct SheetOverlay;

// Paints one sheet of the cover. Every device goes through `render`: the screen widgets, a
// clipboard image, a BMP or PNG file, a printer and a PDF. The sheet is painted at the
// device's own resolution, horizontally and vertically, so that a face is 12 cm wide on paper
// and 454 pixels wide on a 96-dpi screen; no caller scales a painter by hand.
namespace SheetRenderer {

// Paints sheet `sheet` (0 the Recto sheet, 1 the Dos sheet) on `device`, its top-left corner
// `origin` twips from the device's top-left corner. With an overlay, the alignment bar and
// the selection marks are painted over it. False when there is no such sheet or the device
// cannot be painted on.
bool render(QPaintDevice& device, const JewelCaseDocument& document, int sheet,
            const SheetOverlay* overlay = nullptr, const QPointF& origin = {});

// The sheet as a picture at `dpi` dots per inch (a device's resolution is a whole number),
// without bar or marks; a null image when there is no such sheet.
QImage image(const JewelCaseDocument& document, int sheet, int dpi);

// Paints a sheet in a painter whose unit is already the twip.
void paint(QPainter& painter, const JewelCaseDocument& document, int sheet,
           const SheetOverlay* overlay);

// What every document's renderer shares (the CD label has its own): the selection marks over
// a painting in twips.
void paintMarks(QPainter& painter, const SelectionMarks& marks);
// Runs `paintTwips` with a painter on `device` whose unit is the twip, at the device's own
// resolution, `origin` twips from its top-left corner. False when it cannot paint there.
bool renderInTwips(QPaintDevice& device, const QPointF& origin,
                   const std::function<void(QPainter&)>& paintTwips);
// A white picture `twips` large at `dpi` dots per inch, painted by `paintTwips`; a null image
// when `dpi` is not positive or painting fails.
QImage imageInTwips(const QSizeF& twips, int dpi, const std::function<void(QPainter&)>& paintTwips);

} // namespace SheetRenderer
