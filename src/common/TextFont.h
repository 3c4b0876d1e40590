// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The font of a text as the documents describe it: the name the user chose, never a substitute.
struct TextFont {
    QString name = QStringLiteral("Times New Roman");
    // Points. The files keep whole points; the screen the cover was first drawn on showed
    // 11 pt as 11.25 pt, which is why older sizes end in .25.
    float size = 11;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethru = false;

    bool operator==(const TextFont&) const = default;
};
