#pragma once

#include "Face.h"

#include <array>

// The choices of the image options that outlive the dialog: per face, its logo's display
// mode and border, and its background's mode. A cover file stores them, and opening one
// brings them back.
struct ImageOptionsChoices {
    std::array<int, Face::count> logoDisplayMode{};
    std::array<int, Face::count> logoBorderStyle{};
    std::array<int, Face::count> backgroundFitMode{};
};
