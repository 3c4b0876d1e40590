// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrinterCorrection.h"

#include <QLocale>
#include <QSettings>
#include <QUrl>
#include <algorithm>
#include <cmath>

namespace {

constexpr double mmPerInch = 25.4;

// A printer's name as one key of the settings, whose "/" and "\" QSettings would read as
// folders.
QString groupOf(const QString& printer)
{
    return QStringLiteral("printerCorrection/") +
           QString::fromLatin1(QUrl::toPercentEncoding(printer));
}

double within(double value, double low, double high, double none)
{
    if (!std::isfinite(value))
        return none;
    return std::round(std::clamp(value, low, high) * 10) / 10;
}

// A number the settings hold, or `none` for what is no number.
double numberOr(const QSettings& settings, const QString& key, double none)
{
    bool isNumber = false;
    const double value = settings.value(key).toDouble(&isNumber);
    return isNumber ? value : none;
}

} // namespace

QTransform PrinterCorrection::transform(double dpiX, double dpiY) const
{
    QTransform correction;
    correction.translate(offsetX / mmPerInch * dpiX, offsetY / mmPerInch * dpiY);
    correction.scale(scaleX / 100, scaleY / 100);
    return correction;
}

QString PrinterCorrection::description() const
{
    const QLocale french(QLocale::French, QLocale::France);
    return QStringLiteral("échelle %1 % × %2 %, décalage %3 mm × %4 mm")
        .arg(french.toString(scaleX, 'f', 1), french.toString(scaleY, 'f', 1),
             french.toString(offsetX, 'f', 1), french.toString(offsetY, 'f', 1));
}

PrinterCorrection PrinterCorrection::bounded() const
{
    PrinterCorrection bounded;
    bounded.scaleX = within(scaleX, minScale, maxScale, 100);
    bounded.scaleY = within(scaleY, minScale, maxScale, 100);
    bounded.offsetX = within(offsetX, -maxOffset, maxOffset, 0);
    bounded.offsetY = within(offsetY, -maxOffset, maxOffset, 0);
    return bounded;
}

PrinterCorrection PrinterCorrection::of(const QString& printer)
{
    if (printer.isEmpty())
        return {};
    QSettings settings;
    settings.beginGroup(groupOf(printer));
    PrinterCorrection correction;
    correction.scaleX = numberOr(settings, QStringLiteral("scaleX"), 100);
    correction.scaleY = numberOr(settings, QStringLiteral("scaleY"), 100);
    correction.offsetX = numberOr(settings, QStringLiteral("offsetX"), 0);
    correction.offsetY = numberOr(settings, QStringLiteral("offsetY"), 0);
    // The settings are a file the user may have edited.
    return correction.bounded();
}

void PrinterCorrection::remember(const QString& printer, const PrinterCorrection& correction)
{
    if (printer.isEmpty())
        return;
    QSettings settings;
    settings.remove(groupOf(printer));
    const PrinterCorrection kept = correction.bounded();
    if (kept.isNone())
        return;
    settings.beginGroup(groupOf(printer));
    settings.setValue(QStringLiteral("scaleX"), kept.scaleX);
    settings.setValue(QStringLiteral("scaleY"), kept.scaleY);
    settings.setValue(QStringLiteral("offsetX"), kept.offsetX);
    settings.setValue(QStringLiteral("offsetY"), kept.offsetY);
}
