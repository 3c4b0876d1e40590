#pragma once

#include <QPageLayout>
#include <QString>
#include <vector>

class JewelCaseDocument;
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

// The page every sheet is printed on: A4, landscape.
QPageLayout pageLayout();

// Paints sheet `sheet` with a painter on a paged device (a printer, a PDF writer), whose
// origin is the printable area's top-left corner.
void paint(QPainter& painter, const JewelCaseDocument& document, int sheet);

// The lines of the cut marks of a sheet, in the sheet's twips.
std::vector<QLineF> cutMarks(const JewelCaseDocument& document, int sheet);

// Writes `sheets` as the pages of a PDF file, in that order, at `dpi` for the pictures. False
// when the file cannot be written.
bool writePdf(const JewelCaseDocument& document, const std::vector<int>& sheets,
              const QString& path, int dpi);

} // namespace PrintedSheet
