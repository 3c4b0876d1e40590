// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Picture.h"
#include "TextElement.h"

#include <QRectF>

// A picture slot of a face (logo or background). Slots start hidden and empty.
struct ImageSlot {
    Picture picture;
    QRectF rect; // twips, in the face's sheet
    // Stretched, the picture fills the rectangle; unstretched, the rectangle has the picture's
    // natural size.
    bool stretch = true;
    bool visible = false;
    BorderStyle borderStyle = BorderStyle::None;
    bool fittedToFace = false; // placed to cover its face, 15 twips in

    bool operator==(const ImageSlot&) const = default;

    bool isEmpty() const { return picture.isNull(); }
    // Gives the slot a picture; unstretched, the slot takes the picture's natural size.
    void setPicture(const Picture& newPicture)
    {
        picture = newPicture;
        if (!stretch && !picture.isNull())
            rect.setSize(picture.naturalSize());
    }
};
