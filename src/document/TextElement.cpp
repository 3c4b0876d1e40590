#include "TextElement.h"

#include "TextMetrics.h"

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
