// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "OleColor.h"
#include "TextElement.h"
#include "TextFont.h"

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <vector>

// A text painted rotated on the Dos sheet's surface: it stays until the sheet is cleared.
struct RotatedTextRun {
    QString text;
    QPointF start;     // twips: the top-left corner of the text cell before rotation
    double angle = 90; // degrees, counter-clockwise: 90 reads upward, 270 downward
    TextFont font;
    int stretch = 100; // percent, along the text
    OleColor color = OleColors::black;

    bool operator==(const RotatedTextRun&) const = default;
};

// A container of faces: the Recto sheet (Recto and Verso) or the Dos sheet (Dos and its
// spines). All coordinates of its faces and their elements are measured from its top-left
// corner; where a window shows it is the window's business.
struct Sheet {
    QSizeF size; // twips
    OleColor backColor = OleColors::white;
    OleColor foreColor = OleColors::black;
    std::vector<RotatedTextRun> drawing;

    bool operator==(const Sheet&) const = default;
};

// A spine of the Dos: a narrow strip at each side of the Dos frame.
struct Spine {
    QRectF rect;
    BorderStyle borderStyle = BorderStyle::Single;

    bool operator==(const Spine&) const = default;
};
