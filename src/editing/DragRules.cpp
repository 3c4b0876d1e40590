// SPDX-License-Identifier: GPL-3.0-or-later
#include "DragRules.h"

#include "Twips.h"

namespace DragRules {

std::array<QRectF, 8> handleRects(const QRectF& frame)
{
    const double l = frame.left();
    const double t = frame.top();
    const double w = frame.width();
    const double h = frame.height();
    // Each handle is centred on a corner or on the middle of a side.
    const double half = handleSize / 2;
    const double left = l - half;
    const double right = l + w - half;
    const double centreX = l + (w - handleSize) / 2;
    const double top = t - half;
    const double bottom = t + h - half;
    const double centreY = t + (h - handleSize) / 2;
    const std::array<QPointF, 8> corners = {
        QPointF(left, top),       QPointF(left, centreY), QPointF(left, bottom),
        QPointF(centreX, bottom), QPointF(right, bottom), QPointF(right, centreY),
        QPointF(right, top),      QPointF(centreX, top),
    };
    std::array<QRectF, 8> handles{};
    for (std::size_t i = 0; i < corners.size(); ++i)
        handles[i] = QRectF(Twips::round(corners[i].x()), Twips::round(corners[i].y()), handleSize,
                            handleSize);
    return handles;
}

QRectF recordedRect(const QRectF& rect)
{
    const double left = Twips::round(rect.left());
    const double top = Twips::round(rect.top());
    return QRectF(left, top, Twips::round(rect.right()) - left, Twips::round(rect.bottom()) - top);
}

std::optional<QPointF> move(const QRectF& selected, const QPointF& dragStart,
                            const QPointF& pointer, const DragBounds& bounds, bool horizontalOnly)
{
    const double dx = Twips::round(dragStart.x() - pointer.x());
    const double dy = Twips::round(dragStart.y() - pointer.y());
    const double left = selected.left() - dx;
    const double top = selected.top() - dy;
    const QRectF& area = bounds.area;
    const QMarginsF& margins = bounds.moveMargins;
    if (left < area.left() + margins.left() ||
        left + selected.width() > area.right() - margins.right())
        return std::nullopt;
    if (horizontalOnly)
        return QPointF(left, selected.top());
    if (top < area.top() + margins.top() ||
        top + selected.height() > area.bottom() - margins.bottom())
        return std::nullopt;
    return QPointF(left, top);
}

namespace {

enum Edge { Left, Right, Top, Bottom };

// The edges each handle moves, in the order they are applied.
const std::array<std::array<int, 2>, 8> handleEdges = {{
    {Left, Top},
    {Left, -1},
    {Left, Bottom},
    {Bottom, -1},
    {Right, Bottom},
    {Right, -1},
    {Right, Top},
    {Top, -1},
}};

} // namespace

std::optional<QRectF> resize(const QRectF& selected, const QRectF& current, int handle,
                             const QPointF& pointer, const DragBounds& bounds)
{
    if (handle < 0 || handle > 7)
        return std::nullopt;
    const double x = pointer.x();
    const double y = pointer.y();
    const bool movesLeft = handle <= 2;
    const bool movesRight = handle >= 4 && handle <= 6; // the middle ones move no side
    const bool movesTop = handle == 0 || handle == 6 || handle == 7;
    const bool movesBottom = handle >= 2 && handle <= 4;
    const QRectF& area = bounds.area;
    const QMarginsF& margins = bounds.resizeMargins;
    if (movesLeft && x + selected.left() < area.left() + margins.left())
        return std::nullopt;
    if (movesRight && area.right() - (x + selected.left() + selected.width()) < margins.right())
        return std::nullopt;
    if (movesTop && y + selected.top() < area.top() + margins.top())
        return std::nullopt;
    if (movesBottom && area.bottom() - (y + selected.top() + selected.height()) < margins.bottom())
        return std::nullopt;

    double left = current.left();
    double top = current.top();
    double width = current.width();
    double height = current.height();
    for (int edge : handleEdges[std::size_t(handle)]) {
        if (edge == Left) {
            if (selected.width() - x < minimumSize)
                break;
            left = x + selected.left();
            width = selected.width() - x;
        } else if (edge == Right) {
            if (selected.width() + x < minimumSize)
                break;
            width = selected.width() + x;
        } else if (edge == Top) {
            if (selected.height() - y < minimumSize)
                break;
            top = y + selected.top();
            height = selected.height() - y;
        } else if (edge == Bottom) {
            if (selected.height() + y < minimumSize)
                break;
            height = selected.height() + y;
        }
    }
    return QRectF(left, top, width, height);
}

Qt::CursorShape handleCursor(int handle)
{
    switch (handle % 4) {
    case 0:
        return Qt::SizeFDiagCursor;
    case 1:
        return Qt::SizeHorCursor;
    case 2:
        return Qt::SizeBDiagCursor;
    default:
        return Qt::SizeVerCursor;
    }
}

} // namespace DragRules
