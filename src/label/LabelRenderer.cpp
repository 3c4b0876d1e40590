// SPDX-License-Identifier: GPL-3.0-or-later
#include "LabelRenderer.h"

#include "CdLabelDocument.h"
#include "ElementPainter.h"
#include "LabelSheet.h"
#include "PrintedSheet.h"
#include "SheetOverlay.h"
#include "SheetRenderer.h"
#include "Twips.h"

#include <QPainter>

namespace LabelRenderer {

void paint(QPainter& painter, const CdLabelDocument& label, const SelectionMarks* marks)
{
    const QRectF area = CdLabelDocument::discArea;
    painter.save();
    ElementPainter::setHints(painter);
    painter.fillRect(area, OleColors::toQColor(label.backColor));
    // Nothing leaves the drawing, on screen or on paper, where the cut marks stand.
    painter.save();
    painter.setClipRect(area, Qt::IntersectClip);
    ElementPainter::picture(painter, label.picture, shownBorder(marks, label.picture));
    for (const TextElement* element : label.shownTexts())
        ElementPainter::text(painter, *element, shownBorder(marks, *element));
    painter.restore();
    ElementPainter::ellipse(painter, CdLabelDocument::discOutline);
    ElementPainter::ellipse(painter, CdLabelDocument::hubCircle);
    if (marks)
        SheetRenderer::paintMarks(painter, *marks);
    painter.restore();
}

bool render(QPaintDevice& device, const CdLabelDocument& label, const SelectionMarks* marks,
            const QPointF& origin)
{
    return SheetRenderer::renderInTwips(device, origin,
                                        [&](QPainter& painter) { paint(painter, label, marks); });
}

QImage image(const CdLabelDocument& label, int dpi)
{
    return SheetRenderer::imageInTwips(CdLabelDocument::discArea.size(), dpi,
                                       [&](QPainter& painter) { paint(painter, label); });
}

QPageLayout pageLayout()
{
    return PrintedSheet::pageLayout(QPageLayout::Portrait);
}

void paintPrinted(QPainter& painter, const CdLabelDocument& label)
{
    PrintedSheet::paintAtMargin(painter, {CdLabelDocument::discArea}, [&](QPainter& twips) {
        ElementPainter::preparePrinted(twips, {&label.picture});
        paint(twips, label);
    });
}

void paintOnSheet(QPainter& painter, const CdLabelDocument& label, const LabelSheet& sheet,
                  const std::vector<std::size_t>& places, const QPointF& printableCorner)
{
    constexpr double twipsPerMm = Twips::perInch / 25.4;
    // The disc's centre is the hub's.
    const QPointF discCentre = CdLabelDocument::hubCircle.center();
    painter.save();
    painter.setTransform(Twips::toDevice(*painter.device()), true);
    for (std::size_t place : places) {
        if (place >= sheet.places.size())
            continue;
        painter.save();
        painter.translate((sheet.centre(place) - printableCorner) * twipsPerMm - discCentre);
        paint(painter, label);
        painter.restore();
    }
    painter.restore();
}

bool writePdf(const CdLabelDocument& label, const QString& path, int dpi)
{
    return PrintedSheet::writePdfPages(
        path, pageLayout(), dpi, 1, [&](QPainter& painter, int) { paintPrinted(painter, label); });
}

} // namespace LabelRenderer
