#pragma once

#include "ImageSlot.h"
#include "OleColor.h"
#include "TextElement.h"

#include <QRectF>
#include <QString>
#include <map>

// One face of the cover: its frame on its sheet, its colour, its text array and its two pictures.
struct Face {
    enum Index { Verso = 0, Recto = 1, Dos = 2 };

    int sheet = 0;
    QRectF frame; // twips, in the sheet; the frame's Top is 0 on every sheet
    OleColor color = OleColors::white;
    QString caption;
    QRectF captionRect; // twips, in the window's sheet area
    bool captionVisible = true;
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
};
