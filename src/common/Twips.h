// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPaintDevice>
#include <QTransform>
#include <cmath>

// Lengths in the models are twips held as float, as the documents store them. They become
// device units only at a device, from that device's own resolution.
namespace Twips {

constexpr double perInch = 1440.0;
constexpr double perPoint = 20.0;
// The screen's 96 dpi: 15 twips a pixel.
constexpr double screenDpi = 96.0;

// Whole twips, as the documents record them (half away from zero).
inline int round(double twips)
{
    return static_cast<int>(std::lround(twips));
}

// From twips to the units of `device`, horizontally and vertically at its own resolution.
inline QTransform toDevice(const QPaintDevice& device)
{
    return QTransform::fromScale(device.logicalDpiX() / perInch, device.logicalDpiY() / perInch);
}

} // namespace Twips
