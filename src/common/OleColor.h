// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <cstdint>

// A colour as the documents store it: 0x00BBGGRR, or a system colour when the top bit is set.
// It keeps its stored value so that files round-trip, and becomes a QColor only when painted.
using OleColor = std::uint32_t;

namespace OleColors {

constexpr OleColor white = 0x00FFFFFF;
constexpr OleColor black = 0x00000000;
constexpr OleColor systemWindow = 0x80000005;
constexpr OleColor systemWindowText = 0x80000008;

inline bool isSystem(OleColor colour)
{
    return (colour & 0x80000000u) != 0;
}

// The colour to paint, resolving system colours through the application palette.
QColor toQColor(OleColor colour);
OleColor fromQColor(const QColor& colour);

} // namespace OleColors
