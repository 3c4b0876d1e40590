#pragma once

#include "OleColor.h"
#include "TextFont.h"

#include <QPointF>
#include <QRectF>
#include <QString>
#include <array>
#include <vector>

// The frame and eight handles drawn around the selection on one sheet.
struct SelectionMarks {
    bool frameVisible = false;
    QRectF frame;
    bool handlesVisible = false;
    std::array<QRectF, 8> handles{};
};

// A text painted rotated on the Dos sheet's surface: it stays until the sheet is cleared.
struct RotatedTextRun {
    QString text;
    QPointF start;     // twips: the top-left corner of the text cell before rotation
    double angle = 90; // degrees, counter-clockwise: 90 reads upward, 270 downward
    TextFont font;
    int stretch = 100; // percent, along the text
    OleColor color = OleColors::black;
};

// A container of faces: the Recto sheet (Recto and Verso) or the Dos sheet (Dos and its spines).
struct Sheet {
    QRectF geometry;      // twips: Left/Top in the window's sheet area, and the sheet's size
    bool visible = false; // the window's first view switch shows one of the two
    OleColor backColor = OleColors::white;
    OleColor foreColor = OleColors::black;

    QRectF bar; // the yellow alignment bar
    bool barVisible = true;

    SelectionMarks marks;
    std::vector<RotatedTextRun> drawing;
};

// A spine of the Dos: a narrow strip at each side of the Dos frame.
struct Spine {
    QRectF rect;
    int borderStyle = 1;
};
