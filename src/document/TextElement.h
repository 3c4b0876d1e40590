#pragma once

#include "OleColor.h"
#include "TextFont.h"

#include <QRectF>
#include <QString>

// A text placed on a face (and, with its index unused, the Dos's vertical text).
// Positions are twips in the coordinates of the face's sheet.
class TextElement {
public:
    enum Alignment { AlignLeft = 0, AlignRight = 1, AlignCentre = 2 };

    int alignment = AlignLeft;
    OleColor backColor = OleColors::systemWindow;
    int backStyle = 0;   // 0 transparent, 1 opaque
    int borderStyle = 0; // 0 none, 1 single line
    OleColor foreColor = OleColors::systemWindowText;
    float left = 0;
    float top = 0;
    float width = 510;
    float height = 255;
    bool visible = false; // a new element starts hidden; a deleted one is hidden, not destroyed
    bool enabled = true;
    int index = 0;
    int zOrder = 0; // stacking among the texts of a sheet, higher in front

    const QString& caption() const { return caption_; }
    void setCaption(const QString& caption);

    const TextFont& font() const { return font_; }
    void setFont(const TextFont& font);

    // While on, the element takes the size of its text whenever the text or font changes.
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool on);

    QRectF rect() const { return QRectF(left, top, width, height); }
    void setRect(const QRectF& rect);

private:
    void fitToText();

    QString caption_ = QStringLiteral("Texte");
    TextFont font_;
    bool autoSize_ = true;
};
