// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "OleColor.h"
#include "TextElement.h"

#include <QRectF>
#include <array>

// The frame and eight handles drawn around the selection on one sheet.
struct SelectionMarks {
    bool frameVisible = false;
    QRectF frame;
    bool handlesVisible = false;
    std::array<QRectF, 8> handles{};
    // The outline the screen shows for the selected element in place of its own (none while
    // the frame stands in for it, a single line during a drag). `bordered` is the text, spine
    // or picture slot it belongs to; the document keeps its own border all along.
    const void* bordered = nullptr;
    BorderStyle shownBorder = BorderStyle::None;
};

// The border an element is painted with: the marks' while they name it, else its own.
template <typename Element>
BorderStyle shownBorder(const SelectionMarks* marks, const Element& element)
{
    return marks && marks->bordered == &element ? marks->shownBorder : element.borderStyle;
}

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
