#pragma once

#include "OleColor.h"

#include <QRectF>
#include <array>

// The frame and eight handles drawn around the selection on one sheet.
struct SelectionMarks {
    bool frameVisible = false;
    QRectF frame;
    bool handlesVisible = false;
    std::array<QRectF, 8> handles{};
};

// What a window draws over a sheet while it is edited, and never prints or exports: the
// alignment bar and the selection marks. Twips, in the sheet's coordinates.
struct SheetOverlay {
    QRectF bar;
    bool barVisible = true;
    SelectionMarks marks;
};

// The alignment bar: a thin yellow strip as high as the faces it serves.
namespace AlignmentBar {
constexpr double width = 75;
constexpr OleColor colour = 0x0000FFFF;
} // namespace AlignmentBar
