// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ImageSlot.h"
#include "OleColor.h"
#include "TextElement.h"

#include <QRectF>
#include <QString>
#include <map>
#include <optional>

// The two sheets the faces lie on.
enum SheetIndex { RectoSheet = 0, DosSheet = 1 };

// One face of the cover: its frame on its sheet, its colour, its text array and its two pictures.
struct Face {
    // The face index every part of the program uses.
    enum Index { Verso = 0, Recto = 1, Dos = 2 };
    static constexpr int count = 3;

    static bool isValid(int face) { return face >= 0 && face < count; }
    // The Recto and the Verso share the Recto sheet; the Dos has a sheet of its own.
    static SheetIndex sheetOf(int face) { return face == Dos ? DosSheet : RectoSheet; }
    // The caption shown under the face.
    static QString caption(int face);

    QRectF frame; // twips, in the sheet; the frame's Top is 0 on every sheet
    OleColor color = OleColors::white;
    ImageSlot background;
    ImageSlot logo;

    // The text array: element 0 (the template) always exists; created elements may leave holes.
    std::map<int, TextElement> texts;

    TextElement* text(int index);
    const TextElement* text(int index) const;
    int highestIndex() const;
    // Creates element n from the template (hidden) unless it exists; returns it either way.
    TextElement& loadText(int index);
    // Destroys every created element (index 1 and up).
    void unloadTexts();

    bool operator==(const Face&) const = default;
};
