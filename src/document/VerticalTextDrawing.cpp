// SPDX-License-Identifier: GPL-3.0-or-later
#include "VerticalTextDrawing.h"

#include "CoverLayout.h"
#include "JewelCaseDocument.h"
#include "TextMetrics.h"
#include "Twips.h"

#include <cmath>

double spineTextLength(const JewelCaseDocument& document)
{
    return document.dos().frame.height() - CoverLayout::insideMargin;
}

namespace {

// The font stretch (percent) at which `text` is no longer than `length`.
int fittingStretch(const TextFont& font, const QString& text, double length, double width)
{
    int stretch = std::max(1, int(std::floor(100.0 * length / width)));
    while (stretch > 1 &&
           TextMetrics::lineWidth(TextMetrics::twipFont(font, stretch), text) > length)
        --stretch;
    return stretch;
}

} // namespace

void DrawRotatedText(JewelCaseDocument& document, QString text)
{
    Sheet& dosSheet = document.dosSheet();
    dosSheet.drawing.clear();
    if (text.isEmpty())
        return;

    const QString padded = QLatin1Char(' ') + text + QLatin1Char(' ');
    TextElement& vertical = document.verticalText;
    vertical.setAutoSize(true);
    vertical.setCaption(padded);

    const TextFont font = vertical.font();
    double length = vertical.width;
    int stretch = 100;
    const double available = spineTextLength(document);
    if (available < length) {
        stretch = fittingStretch(font, padded, available, length);
        length = TextMetrics::lineWidth(TextMetrics::twipFont(font, stretch), padded);
    }

    const QRectF frame = document.dos().frame;
    const double t = frame.top();
    const double h = frame.height();
    const QRectF& leftSpine = document.spines[0].rect;
    for (int pass = 0; pass < 2; ++pass) {
        double y = 0;
        switch (document.verticalTextAlignment) {
        case VerticalAlignment::End:
            y = pass == 0 ? t + length : t + h - length;
            break;
        case VerticalAlignment::Centre:
            y = pass == 0 ? t + h / 2 + length / 2 : t + h / 2 - length / 2;
            break;
        case VerticalAlignment::Start:
            y = pass == 0 ? t + h : t;
            break;
        }
        const double x = pass == 0
                             ? leftSpine.left() - CoverLayout::spineTextOffset
                             : 2 * leftSpine.width() + frame.width() + CoverLayout::spineTextOffset;
        RotatedTextRun run;
        run.text = padded;
        run.start = QPointF(x, Twips::round(y));
        run.angle = pass == 0 ? 90 : 270;
        run.font = font;
        run.stretch = stretch;
        run.color = dosSheet.foreColor;
        dosSheet.drawing.push_back(run);
    }

    vertical.setCaption(text);
}
