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
    const SelectionMarks& marks = overlay.marks;
    if (marks.frameVisible)
        ElementPainter::box(painter, marks.frame, QColor(), true);
    if (marks.handlesVisible) {
        for (const QRectF& handle : marks.handles)
            ElementPainter::box(painter, handle, OleColors::toQColor(OleColors::systemWindow),
                                true);
    }
}

} // namespace

void paint(QPainter& painter, const JewelCaseDocument& document, int sheetIndex,
           const SheetOverlay* overlay)
{
    if (!isSheet(sheetIndex))
        return;
    const Sheet& sheet = document.sheets[std::size_t(sheetIndex)];
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.fillRect(QRectF(QPointF(0, 0), sheet.size), OleColors::toQColor(sheet.backColor));

    if (sheetIndex == DosSheet) {
        for (const Spine& spine : document.spines)
            ElementPainter::box(painter, spine.rect, QColor(),
                                spine.borderStyle == BorderStyle::Single);
        for (const RotatedTextRun& run : sheet.drawing)
            ElementPainter::rotatedText(painter, run);
    }

    std::vector<const TextElement*> texts;
    for (int face = 0; face < Face::count; ++face) {
        if (Face::sheetOf(face) != sheetIndex)
            continue;
        const Face& model = document.faces[std::size_t(face)];
        ElementPainter::box(painter, model.frame, OleColors::toQColor(model.color), true);
        ElementPainter::picture(painter, model.background);
        ElementPainter::picture(painter, model.logo);
        for (const auto& [index, element] : model.texts) {
            if (element.visible)
                texts.push_back(&element);
        }
    }
    std::stable_sort(texts.begin(), texts.end(), [](const TextElement* a, const TextElement* b) {
        return a->zOrder < b->zOrder;
    });
    for (const TextElement* element : texts)
        ElementPainter::text(painter, *element);

    if (overlay)
        paintOverlay(painter, *overlay);
    painter.restore();
}

bool render(QPaintDevice& device, const JewelCaseDocument& document, int sheet,
            const SheetOverlay* overlay, const QPointF& origin)
{
    if (!isSheet(sheet))
        return false;
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setTransform(QTransform::fromTranslate(origin.x(), origin.y()) *
                         Twips::toDevice(device));
    paint(painter, document, sheet, overlay);
    return painter.end();
}

QImage image(const JewelCaseDocument& document, int sheet, int dpi)
{
    if (!isSheet(sheet) || dpi <= 0)
        return {};
    const QSizeF twips = document.sheets[std::size_t(sheet)].size;
    const double pixelsPerTwip = dpi / Twips::perInch;
    QImage picture(int(std::ceil(twips.width() * pixelsPerTwip)),
                   int(std::ceil(twips.height() * pixelsPerTwip)), QImage::Format_RGB32);
    const int dotsPerMeter = int(std::lround(dpi / 0.0254));
    picture.setDotsPerMeterX(dotsPerMeter);
    picture.setDotsPerMeterY(dotsPerMeter);
    picture.fill(Qt::white);
    if (!render(picture, document, sheet))
        return {};
    return picture;
}

} // namespace SheetRenderer
