#include "TextMetrics.h"

#include "Twips.h"

#include <QFontMetricsF>
#include <QStringList>
#include <cmath>

namespace TextMetrics {

QFont twipFont(const FontSpec& spec, int stretch)
{
    QFont font(spec.name);
    font.setPixelSize(std::max(1, int(std::lround(spec.size * Twips::perPoint))));
    font.setBold(spec.bold);
    font.setItalic(spec.italic);
    font.setUnderline(spec.underline);
    font.setStrikeOut(spec.strikethru);
    // Hinting would tie glyph advances to one device's pixel grid.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    if (stretch != 100)
        font.setStretch(stretch);
    return font;
}

QString displayText(const QString& caption)
{
    QString text = caption;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

double lineWidth(const QFont& font, const QString& text)
{
    return QFontMetricsF(font).horizontalAdvance(text);
}

QSizeF captionSize(const FontSpec& spec, const QString& caption)
{
    const QFont font = twipFont(spec);
    const QFontMetricsF metrics(font);
    const QStringList lines = displayText(caption).split(QLatin1Char('\n'));
    double width = 0;
    for (const QString& line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    return QSizeF(std::ceil(width), std::ceil(metrics.height() * lines.size()));
}

} // namespace TextMetrics
