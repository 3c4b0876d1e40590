#pragma once

#include <QString>

// The font of a text as the documents describe it: the name the user chose, never a substitute.
struct TextFont {
    QString name = QStringLiteral("Times New Roman");
    float size = 11.25f; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethru = false;

    bool operator==(const TextFont&) const = default;
};
