// SPDX-License-Identifier: GPL-3.0-or-later
#include "OleColor.h"

#include <QGuiApplication>
#include <QPalette>

namespace OleColors {

namespace {

// System colour indices of the stored values, mapped to the nearest palette role.
QColor systemColour(std::uint32_t index)
{
    const QPalette palette = QGuiApplication::palette();
    switch (index) {
    case 5: // window background
        return palette.color(QPalette::Base);
    case 8: // window text
        return palette.color(QPalette::Text);
    case 15: // button face
        return palette.color(QPalette::Button);
    case 18: // button text
        return palette.color(QPalette::ButtonText);
    case 13: // highlight
        return palette.color(QPalette::Highlight);
    case 14: // highlight text
        return palette.color(QPalette::HighlightedText);
    case 24: // tooltip background
        return palette.color(QPalette::ToolTipBase);
    case 23: // tooltip text
        return palette.color(QPalette::ToolTipText);
    default:
        return index % 2 == 0 ? palette.color(QPalette::WindowText)
                              : palette.color(QPalette::Window);
    }
}

} // namespace

QColor toQColor(OleColor colour)
{
    if (isSystem(colour))
        return systemColour(colour & 0xFFu);
    return QColor(int(colour & 0xFFu), int((colour >> 8) & 0xFFu), int((colour >> 16) & 0xFFu));
}

OleColor fromQColor(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return OleColor(rgb.red()) | (OleColor(rgb.green()) << 8) | (OleColor(rgb.blue()) << 16);
}

} // namespace OleColors
