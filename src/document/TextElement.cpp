// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextElement.h"

#include "TextMetrics.h"

Alignment alignmentFromNumber(double number)
{
    if (number == 1)
        return Alignment::Right;
    if (number == 2)
        return Alignment::Centre;
    return Alignment::Left;
}

std::vector<const TextElement*> shownTexts(const std::map<int, TextElement>& texts)
{
    std::vector<const TextElement*> shown;
    for (const auto& [index, element] : texts) {
        if (index >= 1 && element.visible)
            shown.push_back(&element);
    }
    return shown;
}

void TextElement::setCaption(const QString& caption)
{
    caption_ = caption;
    if (autoSize_)
        fitToText();
}

void TextElement::setFont(const TextFont& font)
{
    font_ = font;
    if (autoSize_)
        fitToText();
}

void TextElement::setAutoSize(bool on)
{
    autoSize_ = on;
    if (autoSize_)
        fitToText();
}

void TextElement::restore(const QString& caption, const TextFont& font, const QRectF& rect,
                          bool autoSize)
{
    caption_ = caption;
    font_ = font;
    autoSize_ = autoSize;
    setRect(rect);
}

void TextElement::setRect(const QRectF& rect)
{
    left = float(rect.left());
    top = float(rect.top());
    width = float(rect.width());
    height = float(rect.height());
}

void TextElement::fitToText()
{
    const QSizeF size = TextMetrics::captionSize(font_, caption_);
    width = float(size.width());
    height = float(size.height());
}
