// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextRestore.h"

#include "JewelCaseDocument.h"
#include "VerticalTextDrawing.h"

namespace {

bool isSet(double value)
{
    return value != 0;
}

TextFont recordFont(const ElementRecord& record)
{
    TextFont font;
    font.name = record.fontName.isEmpty() ? record.fontObjectName : record.fontName;
    font.bold = isSet(record.fontBold);
    font.italic = isSet(record.fontItalic);
    font.size = float(record.fontSize);
    font.strikethru = isSet(record.fontStrikethru);
    font.underline = isSet(record.fontUnderline);
    return font;
}

VerticalAlignment verticalAlignmentFromNumber(double number)
{
    if (number == 1)
        return VerticalAlignment::End;
    if (number == 2)
        return VerticalAlignment::Centre;
    return VerticalAlignment::Start;
}

} // namespace

void restoreTextElement(TextElement& element, const ElementRecord& record, bool autoSize)
{
    // AutoSize, caption and font are set without measuring the text, which the stored
    // rectangle would replace anyway.
    element.restore(record.caption, recordFont(record),
                    QRectF(record.left, record.top, record.width, record.height), autoSize);
    element.foreColor = OleColor(record.foreColor);
    element.visible = record.visible != 0;
    element.backStyle = backStyleFromNumber(record.backStyle);
    element.borderStyle = borderStyleFromNumber(record.borderStyle);
    element.backColor = OleColor(record.backColor);
}

std::optional<int> faceOfFrame(ActiveFrame frame)
{
    switch (frame) {
    case ActiveFrame::VersoTexts:
        return Face::Verso;
    case ActiveFrame::RectoTexts:
        return Face::Recto;
    case ActiveFrame::DosTexts:
        return Face::Dos;
    case ActiveFrame::VerticalText:
        break;
    }
    return std::nullopt;
}

std::optional<ActiveFrame> activeFrameFromNumber(int number)
{
    if (number < 0 || number > int(ActiveFrame::VerticalText))
        return std::nullopt;
    return ActiveFrame(number);
}

bool restoreText(JewelCaseDocument& document, ActiveFrame frame, const ElementRecord& record)
{
    if (const std::optional<int> face = faceOfFrame(frame)) {
        if (record.index < 0)
            return false;
        TextElement& element = document.faces[std::size_t(*face)].loadText(record.index);
        element.alignment = alignmentFromNumber(record.alignment);
        restoreTextElement(element, record, record.autoSize != 0);
        document.bringToFront(element);
        return true;
    }

    TextElement& vertical = document.verticalText;
    vertical.alignment = alignmentFromNumber(record.alignment);
    restoreTextElement(vertical, record, vertical.autoSize());
    Sheet& dosSheet = document.dosSheet();
    dosSheet.backColor = OleColor(record.backColor);
    dosSheet.foreColor = OleColor(record.foreColor);
    // The alignment list offers three choices; anything else falls back to the first.
    document.verticalTextAlignment = verticalAlignmentFromNumber(record.alignment);
    DrawRotatedText(document, vertical.caption());
    return true;
}
