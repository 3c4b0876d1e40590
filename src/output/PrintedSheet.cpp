// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrintedSheet.h"

#include "ElementPainter.h"
#include "JewelCaseDocument.h"
#include "PdfPictureFiles.h"
#include "PdfPrintScaling.h"
#include "SheetRenderer.h"
#include "Twips.h"

#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <optional>
#include <set>

namespace PrintedSheet {

namespace {

// The rectangles a user cuts out of a sheet: the Recto and the Verso; the Dos with its spines
// (the spines' inner edges are where the inlay folds).
std::vector<QRectF> cutRects(const JewelCaseDocument& document, int sheet)
{
    std::vector<QRectF> rects;
    for (int face = 0; face < Face::count; ++face) {
        if (Face::sheetOf(face) == sheet)
            rects.push_back(document.faces[std::size_t(face)].frame);
    }
    if (sheet == DosSheet) {
        for (const Spine& spine : document.spines)
            rects.push_back(spine.rect);
    }
    return rects;
}

} // namespace

QPageLayout pageLayout(QPageLayout::Orientation orientation)
{
    return QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF());
}

std::vector<QLineF> cutMarks(const JewelCaseDocument& document, int sheet)
{
    return cutMarks(cutRects(document, sheet));
}

std::vector<QLineF> cutMarks(const std::vector<QRectF>& rects)
{
    if (rects.empty())
        return {};
    std::set<double> xs, ys;
    QRectF bounds = rects.front();
    for (const QRectF& rect : rects) {
        xs.insert({rect.left(), rect.right()});
        ys.insert({rect.top(), rect.bottom()});
        bounds = bounds.united(rect);
    }
    std::vector<QLineF> marks;
    const double near = markGap;
    const double far = markGap + markLength;
    for (double x : xs) {
        marks.emplace_back(x, bounds.top() - far, x, bounds.top() - near);
        marks.emplace_back(x, bounds.bottom() + near, x, bounds.bottom() + far);
    }
    for (double y : ys) {
        marks.emplace_back(bounds.left() - far, y, bounds.left() - near, y);
        marks.emplace_back(bounds.right() + near, y, bounds.right() + far, y);
    }
    return marks;
}

void paintAtMargin(QPainter& painter, const std::vector<QRectF>& cutRects,
                   const std::function<void(QPainter&)>& paintTwips)
{
    painter.save();
    painter.setTransform(Twips::toDevice(*painter.device()));
    painter.translate(margin, margin);
    paintTwips(painter);
    painter.setPen(QPen(Qt::black, markWidth));
    for (const QLineF& mark : cutMarks(cutRects))
        painter.drawLine(mark);
    painter.restore();
}

void paint(QPainter& painter, const JewelCaseDocument& document, int sheet)
{
    if (sheet < 0 || sheet >= JewelCaseDocument::sheetCount)
        return;
    // Every sheet of the cover takes each picture at one size, the largest it is printed at.
    std::vector<const ImageSlot*> slots;
    for (const Face& face : document.faces)
        slots.insert(slots.end(), {&face.background, &face.logo});
    paintAtMargin(painter, cutRects(document, sheet), [&](QPainter& twips) {
        ElementPainter::preparePrinted(twips, slots);
        SheetRenderer::paint(twips, document, sheet, nullptr);
    });
}

namespace {

// Writes the pages; the picture files a PDF takes as they are go in when `filesAsTheyAre`.
bool writePages(const QString& path, const QPageLayout& layout, int dpi, int pageCount,
                const std::function<void(QPainter&, int page)>& paintPage, bool filesAsTheyAre)
{
    QFile file(path);
    if (pageCount <= 0 || !file.open(QIODevice::WriteOnly))
        return false;
    bool painted = false;
    std::vector<Picture::FilesAsTheyAre::StandIn> standIns;
    {
        QPdfWriter pdf(&file);
        pdf.setCreator(QStringLiteral("Jaskel CD"));
        pdf.setResolution(std::max(dpi, 1));
        pdf.setPageLayout(layout);
        std::optional<Picture::FilesAsTheyAre> files;
        if (filesAsTheyAre)
            files.emplace(&pdf, PdfPictureFiles::holds);
        QPainter painter;
        painted = painter.begin(&pdf);
        for (int page = 0; painted && page < pageCount; ++page) {
            if (page > 0)
                pdf.newPage();
            paintPage(painter, page);
        }
        if (painted)
            painted = painter.end();
        if (files)
            standIns = files->standIns();
    }
    file.close();
    return painted && file.error() == QFileDevice::NoError &&
           PdfPictureFiles::apply(path, standIns);
}

} // namespace

bool writePdfPages(const QString& path, const QPageLayout& layout, int dpi, int pageCount,
                   const std::function<void(QPainter&, int page)>& paintPage)
{
    // Should the files not go in (a PDF not as Qt's engine writes it), the pictures are
    // decoded and written by Qt's engine instead. The files go in first: the mark of actual
    // size is an update appended to the file, which a viewer that prints the file reads last.
    return (writePages(path, layout, dpi, pageCount, paintPage, true) ||
            writePages(path, layout, dpi, pageCount, paintPage, false)) &&
           PdfPrintScaling::markActualSize(path);
}

bool writePdf(const JewelCaseDocument& document, const std::vector<int>& sheets,
              const QString& path, int dpi)
{
    return writePdfPages(
        path, pageLayout(), dpi, int(sheets.size()),
        [&](QPainter& painter, int page) { paint(painter, document, sheets[std::size_t(page)]); });
}

} // namespace PrintedSheet
