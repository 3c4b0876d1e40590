#pragma once

#include "TextElement.h"

#include <QImage>
#include <QRectF>

// A picture slot of a face (logo or background): the picture, if any, stretched to its
// rectangle. Slots start hidden and empty.
struct ImageSlot {
    QImage picture;
    QRectF rect; // twips, in the face's sheet
    bool stretch = true;
    bool visible = false;
    BorderStyle borderStyle = BorderStyle::None;

    bool isEmpty() const { return picture.isNull(); }
};
