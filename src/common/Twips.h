#pragma once

#include <cmath>

// Lengths in the models are twips held as float, as the documents store them.
namespace Twips {

constexpr double perInch = 1440.0;
constexpr double perPoint = 20.0;

// Whole twips, as the documents record them (half away from zero).
inline int round(double twips)
{
    return static_cast<int>(std::lround(twips));
}

} // namespace Twips
