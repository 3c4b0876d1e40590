// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "OleColor.h"
#include "TextFont.h"

#include <QRectF>
#include <QString>
#include <map>
#include <vector>

// The choices of a text's look, with the numbers the files store.
enum class Alignment { Left = 0, Right = 1, Centre = 2 };
enum class BackStyle { Transparent = 0, Opaque = 1 };
enum class BorderStyle { None = 0, Single = 1 };

// A stored number as one of the choices: anything unknown is the first choice, as for a
// non-zero flag any number but 0 is the second.
Alignment alignmentFromNumber(double number);
inline BackStyle backStyleFromNumber(double number)
{
    return number != 0 ? BackStyle::Opaque : BackStyle::Transparent;
}
inline BorderStyle borderStyleFromNumber(double number)
{
    return number != 0 ? BorderStyle::Single : BorderStyle::None;
}

// A text placed on a face (and, with its index unused, the Dos's vertical text).
// Positions are twips in the coordinates of the face's sheet.
class TextElement {
public:
    Alignment alignment = Alignment::Left;
    OleColor backColor = OleColors::systemWindow;
    BackStyle backStyle = BackStyle::Transparent;
    BorderStyle borderStyle = BorderStyle::None;
    OleColor foreColor = OleColors::systemWindowText;
    float left = 0;
    float top = 0;
    float width = 510;
    float height = 255;
    bool visible = false; // a new element starts hidden; a deleted one is hidden, not destroyed
    int index = 0;
    int zOrder = 0; // stacking among the texts of a sheet, higher in front

    const QString& caption() const { return caption_; }
    void setCaption(const QString& caption);

    const TextFont& font() const { return font_; }
    void setFont(const TextFont& font);

    // While on, the element takes the size of its text whenever the text or font changes.
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool on);
    // Restoring from a file: the stored size stands, whatever AutoSize says.
    void restore(const QString& caption, const TextFont& font, const QRectF& rect, bool autoSize);

    QRectF rect() const { return QRectF(left, top, width, height); }
    void setRect(const QRectF& rect);

    bool operator==(const TextElement&) const = default;

private:
    void fitToText();

    QString caption_ = QStringLiteral("Texte");
    TextFont font_;
    bool autoSize_ = true;
};

// The texts of a face or of the CD label that a file keeps and a window shows: index 1 and up
// (0 is the template new texts are made from), not deleted (hidden), in index order.
std::vector<const TextElement*> shownTexts(const std::map<int, TextElement>& texts);
