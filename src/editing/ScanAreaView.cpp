// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScanAreaView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace {
constexpr int longestSide = 240;
} // namespace

ScanAreaView::ScanAreaView(const QRectF& glass, QWidget* parent)
    : QWidget(parent), glass_(glass), area_(glass)
{
    setCursor(Qt::CrossCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize ScanAreaView::sizeHint() const
{
    // The glass's shape, at most `longestSide` pixels either way.
    const QSizeF shape = glass_.size().scaled(longestSide, longestSide, Qt::KeepAspectRatio);
    return QSize(std::max(1, qRound(shape.width())), std::max(1, qRound(shape.height()))) +
           QSize(2, 2);
}

QRectF ScanAreaView::glassOnScreen() const
{
    const QSizeF inside = QSizeF(size()) - QSizeF(2, 2);
    QRectF drawn(QPointF(), glass_.size().scaled(inside, Qt::KeepAspectRatio));
    drawn.moveCenter(QRectF(QPointF(1, 1), inside).center());
    return drawn;
}

void ScanAreaView::setPreview(const QImage& preview)
{
    preview_ = preview;
    update();
}

void ScanAreaView::setArea(const QRectF& area)
{
    area_ = area;
    update();
}

QPointF ScanAreaView::toGlass(const QPointF& point) const
{
    const QRectF drawn = glassOnScreen();
    if (drawn.isEmpty())
        return glass_.topLeft();
    const double x = (point.x() - drawn.left()) / drawn.width();
    const double y = (point.y() - drawn.top()) / drawn.height();
    return {glass_.left() + std::clamp(x, 0.0, 1.0) * glass_.width(),
            glass_.top() + std::clamp(y, 0.0, 1.0) * glass_.height()};
}

void ScanAreaView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRectF drawn = glassOnScreen();
    painter.fillRect(drawn, Qt::white);
    if (!preview_.isNull())
        painter.drawImage(drawn, preview_);
    painter.setPen(Qt::gray);
    painter.drawRect(drawn);
    if (glass_.isEmpty())
        return;
    // The area in the glass's millimetres, drawn in the widget's pixels.
    const double scale = drawn.width() / glass_.width();
    const QRectF area((area_.left() - glass_.left()) * scale + drawn.left(),
                      (area_.top() - glass_.top()) * scale + drawn.top(), area_.width() * scale,
                      area_.height() * scale);
    // Outside the area is veiled, so the part to be scanned stands out.
    QPainterPath veil;
    veil.addRect(drawn);
    veil.addRect(area);
    painter.fillPath(veil, QColor(0, 0, 0, 80));
    painter.setPen(QPen(Qt::red, 1, Qt::DashLine));
    painter.drawRect(area);
}

void ScanAreaView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        anchor_ = toGlass(event->position());
}

void ScanAreaView::mouseMoveEvent(QMouseEvent* event)
{
    if (!anchor_)
        return;
    const QRectF drawn = QRectF(*anchor_, toGlass(event->position())).normalized();
    // A click, or a line, is no area.
    if (drawn.width() > 0 && drawn.height() > 0)
        Q_EMIT areaDrawn(drawn);
}

void ScanAreaView::mouseReleaseEvent(QMouseEvent* event)
{
    mouseMoveEvent(event);
    anchor_.reset();
}
