// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalibrationPage.h"

#include <QFont>
#include <QLocale>
#include <QPaintDevice>
#include <QPainter>
#include <QStringList>

namespace CalibrationPage {

namespace {

constexpr double mmPerInch = 25.4;
constexpr double lineWidth = 0.1; // mm, as the cut marks

// A ruler from `origin` along `step` (one millimetre across or down), its ticks on the side of
// `side`: every millimetre 2 mm long, every 5 mm 3.5 mm, every 10 mm 5 mm.
void drawRuler(QPainter& painter, QPointF origin, QPointF step, QPointF side)
{
    painter.drawLine(origin, origin + step * rulerLength);
    for (int mm = 0; mm <= int(rulerLength); ++mm) {
        const double length = mm % 10 == 0 ? 5 : mm % 5 == 0 ? 3.5 : 2;
        const QPointF at = origin + step * mm;
        painter.drawLine(at, at + side * length);
    }
}

} // namespace

void paint(QPainter& painter, const QRectF& printableArea, const QString& description)
{
    const QPaintDevice& device = *painter.device();
    // Millimetres from the paper's corner to the device's dots.
    QTransform toDevice;
    toDevice.scale(device.logicalDpiX() / mmPerInch, device.logicalDpiY() / mmPerInch);
    toDevice.translate(-printableArea.left(), -printableArea.top());

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setTransform(toDevice, true);
    QPen pen(Qt::black, lineWidth);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    // The printable area's edges, the line just inside them.
    painter.drawRect(
        printableArea.adjusted(lineWidth / 2, lineWidth / 2, -lineWidth / 2, -lineWidth / 2));
    drawRuler(painter, rulerOrigin, {1, 0}, {0, 1});
    drawRuler(painter, rulerOrigin, {0, 1}, {1, 0});
    painter.drawRect(square);
    const QTransform mm = painter.transform();
    painter.restore();

    // Texts in points, at the device's own resolution.
    painter.save();
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(7);
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (int cm = 0; cm <= int(rulerLength) / 10; ++cm) {
        const QString number = QString::number(cm * 10);
        const QPointF across = mm.map(rulerOrigin + QPointF(cm * 10 + 0.6, 8));
        const QPointF down = mm.map(rulerOrigin + QPointF(6, cm * 10 - 0.6));
        if (cm > 0) {
            painter.drawText(across, number);
            painter.drawText(down, number);
        }
    }
    painter.drawText(mm.map(printableArea.topLeft() + QPointF(1.5, 4)),
                     QStringLiteral("Bord de la zone imprimable"));
    font.setPointSizeF(9);
    painter.setFont(font);
    const QLocale french(QLocale::French, QLocale::France);
    const auto number = [&](double value) { return french.toString(value, 'f', 1); };
    QStringList lines = {
        QStringLiteral("Page de calibrage de Jaskel CD"),
        QStringLiteral("Règles de %1 mm ; carré de %2 mm, à %3 mm du bord gauche et à %4 mm du "
                       "bord haut de la feuille.")
            .arg(number(rulerLength), number(square.width()), number(square.left()),
                 number(square.top())),
        QStringLiteral("Mesurez-les, puis corrigez l'échelle et le décalage avec « Calibrer "
                       "l'imprimante… »."),
    };
    lines += description.split(QLatin1Char('\n'));
    double top = square.bottom() + 12;
    for (const QString& line : lines) {
        painter.drawText(mm.map(QPointF(square.left() - 20, top)), line);
        top += 6;
    }
    painter.restore();
}

} // namespace CalibrationPage
