#include "DragRules.h"

#include "Twips.h"

namespace DragRules {

std::array<QRectF, 8> handleRects(const QRectF& frame)
{
    const double l = frame.left();
    const double t = frame.top();
    const double w = frame.width();
    const double h = frame.height();
    const double left = l - 45;
    const double right = l + w - 45;
    const double centreX = l + (w - 90) / 2;
    const double top = t - 45;
    const double bottom = t + h - 45;
    const double centreY = t + (h - 90) / 2;
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

std::optional<QPointF> move(const QRectF& selected, const QPointF& dragStart,
                            const QPointF& pointer, const DragBounds& bounds, bool horizontalOnly)
{
    const double dx = Twips::round(dragStart.x() - pointer.x());
    const double dy = Twips::round(dragStart.y() - pointer.y());
    const double left = selected.left() - dx;
    const double top = selected.top() - dy;
    if (left < bounds.lowerX || left + selected.width() > bounds.upperX - 30)
        return std::nullopt;
    if (horizontalOnly)
        return QPointF(left, selected.top());
    if (top < 30 || top + selected.height() > bounds.upperY - 30)
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
    const bool movesRight = handle >= 4;
    const bool movesTop = handle == 0 || handle == 6 || handle == 7;
    const bool movesBottom = handle >= 2 && handle <= 4;
    if (movesLeft && x + selected.left() < bounds.lowerX)
        return std::nullopt;
    if (movesRight && bounds.upperX - (x + selected.left() + selected.width()) < 30)
        return std::nullopt;
    if (movesTop && y + selected.top() < 30)
        return std::nullopt;
    if (movesBottom && bounds.upperY - (y + selected.top() + selected.height()) < minimumSize)
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
