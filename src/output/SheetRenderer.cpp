// SPDX-License-Identifier: GPL-3.0-or-later
#include "SheetRenderer.h"

#include "ElementPainter.h"
#include "JewelCaseDocument.h"
#include "SheetOverlay.h"
#include "Twips.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

namespace SheetRenderer {

namespace {

bool isSheet(int sheet)
{
    return sheet >= 0 && sheet < JewelCaseDocument::sheetCount;
}

void paintOverlay(QPainter& painter, const SheetOverlay& overlay)
{
    if (overlay.barVisible)
        ElementPainter::box(painter, overlay.bar, OleColors::toQColor(AlignmentBar::colour), true);
    paintMarks(painter, overlay.marks);
}

} // namespace

void paintMarks(QPainter& painter, const SelectionMarks& marks)
{
    if (marks.frameVisible)
        ElementPainter::box(painter, marks.frame, QColor(), true);
    if (marks.handlesVisible) {
        for (const QRectF& handle : marks.handles)
            ElementPainter::box(painter, handle, OleColors::toQColor(OleColors::systemWindow),
                                true);
    }
}

void paint(QPainter& painter, const JewelCaseDocument& document, int sheetIndex,
           const SheetOverlay* overlay)
{
    if (!isSheet(sheetIndex))
        return;
    const Sheet& sheet = document.sheets[std::size_t(sheetIndex)];
    const SelectionMarks* marks = overlay ? &overlay->marks : nullptr;
    painter.save();
    ElementPainter::setHints(painter);
    painter.fillRect(QRectF(QPointF(0, 0), sheet.size), OleColors::toQColor(sheet.backColor));

    if (sheetIndex == DosSheet) {
        for (const Spine& spine : document.spines)
            ElementPainter::box(painter, spine.rect, QColor(),
                                shownBorder(marks, spine) == BorderStyle::Single);
        for (const RotatedTextRun& run : sheet.drawing)
            ElementPainter::rotatedText(painter, run);
    }

    std::vector<const TextElement*> texts;
    for (int face = 0; face < Face::count; ++face) {
        if (Face::sheetOf(face) != sheetIndex)
            continue;
        const Face& model = document.faces[std::size_t(face)];
        ElementPainter::box(painter, model.frame, OleColors::toQColor(model.color), true);
        ElementPainter::picture(painter, model.background, model.background.borderStyle);
        ElementPainter::picture(painter, model.logo, shownBorder(marks, model.logo));
        for (const auto& [index, element] : model.texts) {
            if (element.visible)
                texts.push_back(&element);
        }
    }
    std::stable_sort(texts.begin(), texts.end(), [](const TextElement* a, const TextElement* b) {
        return a->zOrder < b->zOrder;
    });
    for (const TextElement* element : texts)
        ElementPainter::text(painter, *element, shownBorder(marks, *element));

    if (overlay)
        paintOverlay(painter, *overlay);
    painter.restore();
}

bool renderInTwips(QPaintDevice& device, const QPointF& origin,
                   const std::function<void(QPainter&)>& paintTwips)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setTransform(QTransform::fromTranslate(origin.x(), origin.y()) *
                         Twips::toDevice(device));
    paintTwips(painter);
    return painter.end();
}

QImage imageInTwips(const QSizeF& twips, int dpi, const std::function<void(QPainter&)>& paintTwips)
{
    if (dpi <= 0)
        return {};
    const double pixelsPerTwip = dpi / Twips::perInch;
    QImage picture(int(std::ceil(twips.width() * pixelsPerTwip)),
                   int(std::ceil(twips.height() * pixelsPerTwip)), QImage::Format_RGB32);
    const int dotsPerMeter = int(std::lround(dpi / 0.0254));
    picture.setDotsPerMeterX(dotsPerMeter);
    picture.setDotsPerMeterY(dotsPerMeter);
    picture.fill(Qt::white);
    if (!renderInTwips(picture, {}, paintTwips))
        return {};
    return picture;
}

bool render(QPaintDevice& device, const JewelCaseDocument& document, int sheet,
            const SheetOverlay* overlay, const QPointF& origin)
{
    if (!isSheet(sheet))
        return false;
    return renderInTwips(device, origin,
                         [&](QPainter& painter) { paint(painter, document, sheet, overlay); });
}

QImage image(const JewelCaseDocument& document, int sheet, int dpi)
{
    if (!isSheet(sheet))
        return {};
    return imageInTwips(document.sheets[std::size_t(sheet)].size, dpi,
                        [&](QPainter& painter) { paint(painter, document, sheet, nullptr); });
}

} // namespace SheetRenderer
