// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextMetrics.h"

#include "TextEncoding.h"
#include "Twips.h"

#include <QFontMetricsF>
#include <QStringList>
#include <cmath>

namespace TextMetrics {

QFont twipFont(const TextFont& textFont, int stretch)
{
    QFont font(textFont.name);
    font.setPixelSize(std::max(1, int(std::lround(textFont.size * Twips::perPoint))));
    font.setBold(textFont.bold);
    font.setItalic(textFont.italic);
    font.setUnderline(textFont.underline);
    font.setStrikeOut(textFont.strikethru);
    // Hinting would tie glyph advances to one device's pixel grid.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    if (stretch != 100)
        font.setStretch(stretch);
    return font;
}

double lineWidth(const QFont& font, const QString& text)
{
    return QFontMetricsF(font).horizontalAdvance(text);
}

QSizeF captionSize(const TextFont& textFont, const QString& caption)
{
    const QFont font = twipFont(textFont);
    const QFontMetricsF metrics(font);
    const QStringList lines = TextEncoding::withLf(caption).split(QLatin1Char('\n'));
    double width = 0;
    for (const QString& line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    return QSizeF(std::ceil(width), std::ceil(metrics.height() * lines.size()));
}

double wrappedHeight(const TextFont& textFont, const QString& caption, double width)
{
    const QFontMetricsF metrics(twipFont(textFont));
    // As tall as need be: only the width limits the lines.
    const QRectF room(0, 0, std::max(1.0, width), 1e9);
    const QRectF used = metrics.boundingRect(room, Qt::AlignTop | Qt::AlignLeft | Qt::TextWordWrap,
                                             TextEncoding::withLf(caption));
    return std::ceil(std::max(used.height(), metrics.height()));
}

double lineHeight(const TextFont& textFont)
{
    return QFontMetricsF(twipFont(textFont)).height();
}

bool wrapsLines(const TextFont& textFont, const QString& caption, const QSizeF& size)
{
    const QFontMetricsF metrics(twipFont(textFont));
    const QStringList lines = TextEncoding::withLf(caption).split(QLatin1Char('\n'));
    if (size.height() < metrics.height() * double(lines.size() + 1))
        return false;
    for (const QString& line : lines) {
        if (metrics.horizontalAdvance(line) > size.width())
            return true;
    }
    return false;
}

} // namespace TextMetrics
