#include "SheetRenderer.h"

#include "JewelCaseDocument.h"
#include "TextMetrics.h"

#include <QPainter>
#include <algorithm>
#include <vector>

namespace {

const QColor outline = Qt::black;

// A one-pixel line on whatever device, as the windows' flat borders are.
QPen borderPen()
{
    return QPen(outline, 0);
}

void paintBox(QPainter& painter, const QRectF& rect, const QColor& fill, bool border)
{
    painter.setPen(border ? borderPen() : Qt::NoPen);
    painter.setBrush(fill.isValid() ? QBrush(fill) : Qt::NoBrush);
    painter.drawRect(rect);
}

void paintPicture(QPainter& painter, const ImageSlot& slot)
{
    if (slot.isEmpty() || !slot.visible)
        return;
    if (slot.stretch)
        painter.drawImage(slot.rect, slot.picture);
    else
        painter.drawImage(slot.rect.topLeft(), slot.picture);
    if (slot.borderStyle != 0)
        paintBox(painter, slot.rect, QColor(), true);
}

void paintRotated(QPainter& painter, const RotatedTextRun& run)
{
    const QFont font = TextMetrics::twipFont(run.font, run.stretch);
    painter.save();
    painter.translate(run.start);
    painter.rotate(-run.angle); // the runs count angles counter-clockwise
    painter.setFont(font);
    painter.setPen(OleColors::toQColor(run.color));
    painter.drawText(QPointF(0, QFontMetricsF(font).ascent()), run.text);
    painter.restore();
}

} // namespace

void SheetRenderer::paintText(QPainter& painter, const TextElement& element)
{
    const QRectF rect = element.rect();
    if (element.backStyle != 0)
        paintBox(painter, rect, OleColors::toQColor(element.backColor), false);
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.setFont(TextMetrics::twipFont(element.font()));
    painter.setPen(OleColors::toQColor(element.foreColor));
    int flags = Qt::AlignTop | Qt::TextWordWrap;
    switch (element.alignment) {
    case TextElement::AlignRight:
        flags |= Qt::AlignRight;
        break;
    case TextElement::AlignCentre:
        flags |= Qt::AlignHCenter;
        break;
    default:
        flags |= Qt::AlignLeft;
        break;
    }
    painter.drawText(rect, flags, TextMetrics::displayText(element.caption()));
    painter.restore();
    if (element.borderStyle != 0)
        paintBox(painter, rect, QColor(), true);
}

void SheetRenderer::paint(QPainter& painter, const JewelCaseDocument& document, int sheetIndex,
                          const Options& options)
{
    const Sheet& sheet = document.sheets[sheetIndex];
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.fillRect(QRectF(QPointF(0, 0), sheet.geometry.size()),
                     OleColors::toQColor(sheet.backColor));

    if (sheetIndex == 1) {
        for (const Spine& spine : document.spines)
            paintBox(painter, spine.rect, QColor(), spine.borderStyle != 0);
        for (const RotatedTextRun& run : sheet.drawing)
            paintRotated(painter, run);
    }

    std::vector<const TextElement*> texts;
    for (const Face& face : document.faces) {
        if (face.sheet != sheetIndex)
            continue;
        paintBox(painter, face.frame, OleColors::toQColor(face.color), true);
        paintPicture(painter, face.background);
        paintPicture(painter, face.logo);
        for (const auto& [index, element] : face.texts) {
            if (element.visible)
                texts.push_back(&element);
        }
    }
    std::stable_sort(texts.begin(), texts.end(), [](const TextElement* a, const TextElement* b) {
        return a->zOrder < b->zOrder;
    });
    for (const TextElement* element : texts)
        paintText(painter, *element);

    if (options.showGuides && sheet.barVisible)
        paintBox(painter, sheet.bar, OleColors::toQColor(0x0000FFFF), true);

    if (options.showMarks) {
        const SelectionMarks& marks = sheet.marks;
        if (marks.frameVisible)
            paintBox(painter, marks.frame, QColor(), true);
        if (marks.handlesVisible) {
            for (const QRectF& handle : marks.handles)
                paintBox(painter, handle, OleColors::toQColor(OleColors::systemWindow), true);
        }
    }
    painter.restore();
}
