// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineF>
#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <functional>
#include <vector>

class JewelCaseDocument;
struct ImageSlot;
class QPainter;

// A sheet as it goes on paper: at true size, its top-left corner a margin in from the top-left
// of the printable area, with thin cut marks outside the corners of its faces, and neither
// alignment bar nor selection. The printer and the PDF export both paint it.
namespace PrintedSheet {

// Room between the printable area's corner and the sheet, for the cut marks.
constexpr double margin = 340; // 6 mm
// A cut mark stops this far from the face's edge, and is this long.
constexpr double markGap = 57;     // 1 mm
constexpr double markLength = 227; // 4 mm
constexpr double markWidth = 6;    // 0.1 mm

// The page every sheet is printed on: A4, landscape unless told (the CD label is portrait).
QPageLayout pageLayout(QPageLayout::Orientation orientation = QPageLayout::Landscape);

// Paints sheet `sheet` with a painter on a paged device (a printer, a PDF writer), whose
// origin is the printable area's top-left corner.
void paint(QPainter& painter, const JewelCaseDocument& document, int sheet);

// The lines of the cut marks of a sheet, in the sheet's twips.
std::vector<QLineF> cutMarks(const JewelCaseDocument& document, int sheet);

// What the cover's sheets and the CD label share on paper. Paints what `paintTwips` paints in
// twips, the margin in from the printable area's top-left corner, with the cut marks of
// `cutRects` around it.
void paintAtMargin(QPainter& painter, const std::vector<QRectF>& cutRects,
                   const std::function<void(QPainter&)>& paintTwips);
// The lines of the cut marks outside the corners of `rects` (the edges they share marked once).
std::vector<QLineF> cutMarks(const std::vector<QRectF>& rects);
// A PDF file of `pageCount` pages on `layout`, page `page` painted by `paintPage` with a painter
// whose origin is the page's corner, at `dpi` for the pictures, marked to be printed at its
// actual size. A JPEG or PNG picture it holds at about its own size and orientation goes in as
// its file, never decoded (PdfPictureFiles). False when the file cannot be written.
bool writePdfPages(const QString& path, const QPageLayout& layout, int dpi, int pageCount,
                   const std::function<void(QPainter&, int page)>& paintPage);

// Writes `sheets` as the pages of a PDF file, in that order, at `dpi` for the pictures. False
// when the file cannot be written.
bool writePdf(const JewelCaseDocument& document, const std::vector<int>& sheets,
              const QString& path, int dpi);

} // namespace PrintedSheet
