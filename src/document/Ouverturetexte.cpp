#include "Ouverturetexte.h"

#include "JewelCaseDocument.h"
#include "VerticalTextDrawing.h"

#include <algorithm>

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

void restoreCommon(TextElement& element, const ElementRecord& record)
{
    element.setCaption(record.caption);
    element.setFont(recordFont(record));
    element.foreColor = OleColor(record.foreColor);
    element.setRect(QRectF(record.left, record.top, record.width, record.height));
    element.visible = record.visible != 0;
    element.backStyle = int(record.backStyle);
    element.borderStyle = int(record.borderStyle);
    element.backColor = OleColor(record.backColor);
    element.enabled = true;
}

} // namespace

bool Ouverturetexte(JewelCaseDocument& document, int tActiveFrame, const ElementRecord& record)
{
    if (tActiveFrame >= VersoTexts && tActiveFrame <= DosTexts) {
        if (record.index < 0)
            return false;
        TextElement& element = document.faces[tActiveFrame].loadText(record.index);
        element.setAutoSize(record.autoSize != 0);
        element.alignment = int(record.alignment);
        restoreCommon(element, record);
        document.bringToFront(element);
        return true;
    }
    if (tActiveFrame != VerticalTextFrame)
        return false;

    TextElement& vertical = document.verticalText;
    vertical.alignment = int(record.alignment);
    restoreCommon(vertical, record);
    Sheet& dosSheet = document.dosSheet();
    dosSheet.backColor = OleColor(record.backColor);
    dosSheet.foreColor = OleColor(record.foreColor);
    // The alignment list offers three choices; anything else falls back to the first.
    const int alignment = int(record.alignment);
    document.verticalTextTag = std::clamp(alignment, 0, 2) == alignment ? alignment : 0;
    DrawRotatedText(document, vertical.caption());
    return true;
}
