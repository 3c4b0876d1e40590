// SPDX-License-Identifier: GPL-3.0-or-later
#include "ElementPainter.h"

#include "ImageSlot.h"
#include "Sheet.h"
#include "TextElement.h"
#include "TextEncoding.h"
#include "TextMetrics.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QtMath>
#include <map>

namespace ElementPainter {

void setHints(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

void box(QPainter& painter, const QRectF& rect, const QColor& fill, bool border)
{
    // A cosmetic pen: one device pixel wide on whatever device, as the windows' flat borders.
    painter.setPen(border ? QPen(Qt::black, 0) : QPen(Qt::NoPen));
    painter.setBrush(fill.isValid() ? QBrush(fill) : QBrush(Qt::NoBrush));
    painter.drawRect(rect);
}

void ellipse(QPainter& painter, const QRectF& rect)
{
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(rect);
}

namespace {

Qt::Alignment horizontalFlag(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Right:
        return Qt::AlignRight;
    case Alignment::Centre:
        return Qt::AlignHCenter;
    case Alignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

// One line each, as the caption has them and as its size counts them (one line height apiece,
// which a text sized to its caption was given), cut with "…" where wider than the text.
void paintLines(QPainter& painter, const TextElement& element, const QString& caption)
{
    const QRectF rect = element.rect();
    const QFontMetricsF metrics(painter.font());
    double top = rect.top();
    for (const QString& line : caption.split(QLatin1Char('\n'))) {
        if (top >= rect.bottom())
            break;
        const QString shown = metrics.elidedText(line, Qt::ElideRight, rect.width());
        const double room = rect.width() - metrics.horizontalAdvance(shown);
        const double left = element.alignment == Alignment::Right    ? rect.left() + room
                            : element.alignment == Alignment::Centre ? rect.left() + room / 2
                                                                     : rect.left();
        painter.drawText(QPointF(left, top + metrics.ascent()), shown);
        top += metrics.height();
    }
}

} // namespace

void text(QPainter& painter, const TextElement& element, BorderStyle border)
{
    const QRectF rect = element.rect();
    if (element.backStyle == BackStyle::Opaque)
        box(painter, rect, OleColors::toQColor(element.backColor), false);
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.setFont(TextMetrics::twipFont(element.font()));
    painter.setPen(OleColors::toQColor(element.foreColor));
    const QString caption = TextEncoding::withLf(element.caption());
    if (TextMetrics::wrapsLines(element.font(), caption, rect.size()))
        painter.drawText(rect, Qt::AlignTop | Qt::TextWordWrap | horizontalFlag(element.alignment),
                         caption);
    else
        paintLines(painter, element, caption);
    painter.restore();
    if (border == BorderStyle::Single)
        box(painter, rect, QColor(), true);
}

void picture(QPainter& painter, const ImageSlot& slot, BorderStyle border)
{
    if (slot.isEmpty() || !slot.visible)
        return;
    slot.picture.paint(painter, pictureRect(slot));
    if (border == BorderStyle::Single)
        box(painter, slot.rect, QColor(), true);
}

QRectF pictureRect(const ImageSlot& slot)
{
    return slot.stretch ? slot.rect : QRectF(slot.rect.topLeft(), slot.picture.naturalSize());
}

void preparePrinted(const QPainter& painter, const std::vector<const ImageSlot*>& slots)
{
    std::map<const void*, std::pair<Picture, QSize>> largest;
    for (const ImageSlot* slot : slots) {
        if (slot->isEmpty() || !slot->visible || slot->picture.isVector())
            continue;
        const QSizeF placed = painter.deviceTransform().mapRect(pictureRect(*slot)).size();
        const QSize dots(qCeil(placed.width() - 1e-6), qCeil(placed.height() - 1e-6));
        auto& [picture, size] = largest[slot->picture.handle().lock().get()];
        picture = slot->picture;
        size = size.expandedTo(dots);
    }
    for (const auto& [key, pictureAndSize] : largest)
        pictureAndSize.first.prepareOutput(pictureAndSize.second, painter.device());
}

void rotatedText(QPainter& painter, const RotatedTextRun& run)
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

} // namespace ElementPainter
