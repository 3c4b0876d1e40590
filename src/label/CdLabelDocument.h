// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ImageSlot.h"
#include "OleColor.h"
#include "TextElement.h"

#include <QPointF>
#include <QRectF>
#include <QString>
#include <map>
#include <vector>

// The label printed on the disc itself, as its file holds it: the disc area's colour, one
// picture named by its file, and texts indexed from 1 (index 0 is the hidden template new
// texts are made from, never saved). Lengths are twips from the disc area's top-left corner.
// Nothing here is about a window; like the cover, the label's flags are changed by the
// commands that change it, not by these functions.
class CdLabelDocument {
public:
    // The disc area: a square, the whole drawing.
    static constexpr double discSide = 6700;
    static constexpr QRectF discArea{0, 0, discSide, discSide};
    // Where a new text's top-left corner goes: the disc area's centre.
    static constexpr QPointF newTextPlace{discSide / 2, discSide / 2};
    // The disc's outline, drawn from the corner and this much narrower than the area.
    static constexpr double outlineShrink = 50;
    static constexpr QRectF discOutline{0, 0, discSide - outlineShrink, discSide - outlineShrink};
    // The hub, centred.
    static constexpr double hubSide = 2300;
    static constexpr QRectF hubCircle{(discSide - hubSide) / 2, (discSide - hubSide) / 2, hubSide,
                                      hubSide};
    // Where a picture chosen from a file is first placed.
    static constexpr QRectF insertedPictureRect{3000, 3000, 1000, 1000};

    static inline const QString newFileName = QStringLiteral("Nouveau");
    static inline const QString noPicture = QStringLiteral("Aucun");

    // An empty label named "Nouveau".
    CdLabelDocument();
    // Empties the label as a new one is started: no picture (its file name forgotten), no
    // texts, a white disc area, the template as new. The file name and the modified flag are
    // the caller's.
    void reset();

    OleColor backColor = OleColors::white;

    // The picture's file, or "Aucun".
    QString pictureFileName = noPicture;
    // The picture, stretched over its rectangle, and whether it is shown.
    ImageSlot picture;

    // The texts by index; 0, the template, always exists.
    std::map<int, TextElement> texts;

    bool hasPictureFile() const
    {
        return !pictureFileName.isEmpty() && pictureFileName != noPicture;
    }
    // Gives the label `image`, read from `file`, shown over `rect`.
    void setPicture(const QString& file, const Picture& image, const QRectF& rect);
    // Hides and forgets the picture and its file name; the rectangle stays.
    void removePicture();

    TextElement& templateText() { return texts.at(0); }
    const TextElement& templateText() const { return texts.at(0); }
    // The text `index`, or null when there is none.
    TextElement* text(int index);
    const TextElement* text(int index) const;
    int highestIndex() const { return texts.rbegin()->first; }
    // Creates text `index` from the template (hidden) unless it exists; returns it either way.
    TextElement& loadText(int index);
    // A new text above the highest index: "Texte", sized to its text, its corner at the
    // disc's centre, shown.
    TextElement& insertText();
    // The texts a file keeps and the label shows, as a face's (`::shownTexts`).
    std::vector<const TextElement*> shownTexts() const;

    bool operator==(const CdLabelDocument&) const = default;
};
