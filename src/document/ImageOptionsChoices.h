// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Face.h"

#include <array>

// The choices of the image options that outlive the dialog: per face, its logo's display
// mode and border, and its background's mode; for the cover, where its logo came from. They
// are the entries the user chose, which a cover file stores and opening one brings back as
// they were read (an older file may hold -1, "no entry", as its logo source).
struct ImageOptionsChoices {
    // The entries of the logo's source list ("Choix du logo") and of the backgrounds'.
    enum PictureSource { NoPicture = 0, FromFile = 1, FromClipboard = 2, Scanned = 3 };

    std::array<int, Face::count> logoDisplayMode{};
    std::array<int, Face::count> logoBorderStyle{};
    std::array<int, Face::count> backgroundFitMode{};
    int logoSource = NoPicture; // a PictureSource

    bool operator==(const ImageOptionsChoices&) const = default;
};
