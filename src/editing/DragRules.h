// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CoverLayout.h"

#include <QMarginsF>
#include <QPointF>
#include <QRectF>
#include <Qt>
#include <array>
#include <optional>

namespace DragRules {
// A dragged element stays this far from the top, right and bottom of its area; a resized one
// stops this far from the bottom, and is never made narrower or lower than the minimum size.
constexpr double edgeMargin = 30;
constexpr double bottomResizeMargin = 60;
constexpr double minimumSize = CoverLayout::smallestText;
constexpr double handleSize = 90;
} // namespace DragRules

// The bounds inside which an element may be dragged: its face, or the disc of a CD label.
// An element dragged by its frame keeps `moveMargins` from the area's sides, one resized by a
// handle keeps `resizeMargins`; on the cover a text may touch its face's left edge, stays
// 30 twips from the others, and a bottom handle stops 60 twips short of the bottom.
struct DragBounds {
    QRectF area;
    QMarginsF moveMargins{0, DragRules::edgeMargin, DragRules::edgeMargin, DragRules::edgeMargin};
    QMarginsF resizeMargins{0, DragRules::edgeMargin, DragRules::edgeMargin,
                            DragRules::bottomResizeMargin};
};

// The rules of moving an element by its frame and resizing it by one of its eight handles.
// They work on rectangles in twips: the rectangle recorded when the selection was shown, and
// the pointer position measured from the frame's or the handle's top-left corner.
namespace DragRules {

// The eight handles around a frame: 0 top left, then anticlockwise to 7 top middle.
std::array<QRectF, 8> handleRects(const QRectF& frame);

// The rectangle a selection records when it is shown: its edges in whole twips, so that an
// element whose edge the program put on a limit is on it, not a rounding beyond it.
QRectF recordedRect(const QRectF& rect);

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
