#pragma once

#include <QPointF>
#include <QRectF>
#include <Qt>
#include <array>
#include <optional>

// The bounds inside which an element may be dragged: its face, or the disc of a CD label.
struct DragBounds {
    double lowerX = 0; // the element's Left may not go below this
    double upperX = 0; // its right edge stays 30 twips short of this
    double upperY = 0; // its bottom stays 30 (move) or 60 (resize) twips short of this
};

// The rules of moving an element by its frame and resizing it by one of its eight handles.
// They work on rectangles in twips: the rectangle recorded when the selection was shown, and
// the pointer position measured from the frame's or the handle's top-left corner.
namespace DragRules {

constexpr double handleSize = 90;
constexpr double minimumSize = 60;

// The eight handles around a frame: 0 top left, then anticlockwise to 7 top middle.
std::array<QRectF, 8> handleRects(const QRectF& frame);

// The new top-left corner of a moved element, or nothing when the move leaves the bounds.
// A move that only slides horizontally (an alignment bar) keeps its Top and skips the Y test.
std::optional<QPointF> move(const QRectF& selected, const QPointF& dragStart,
                            const QPointF& pointer, const DragBounds& bounds, bool horizontalOnly);

// The rectangle after one step of a resize by handle `handle` (0 to 7), starting from the
// element's current rectangle, or nothing when the step leaves the bounds. An edge whose
// minimum size fails stops the step; the edges already moved stay moved.
std::optional<QRectF> resize(const QRectF& selected, const QRectF& current, int handle,
                             const QPointF& pointer, const DragBounds& bounds);

Qt::CursorShape handleCursor(int handle);

} // namespace DragRules
