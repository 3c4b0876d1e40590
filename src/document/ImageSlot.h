#pragma once

#include <QImage>
#include <QRectF>

// A picture slot of a face (logo or background): the picture, if any, stretched to its rectangle.
struct ImageSlot {
    QImage picture;
    QRectF rect; // twips, in the face's sheet
    bool stretch = true;
    bool visible = true;
    int borderStyle = 0;

    bool isEmpty() const { return picture.isNull(); }
};
