// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>

// One text element on its way to or from a file. The fields that the file reads as free
// numbers (Alignment, BackStyle, BorderStyle and the font flags) keep whatever number came;
// restoring turns them into integers and booleans (non-zero is true).
struct ElementRecord {
    QString caption;
    double alignment = 0;
    std::int32_t backColor = 0;
    double backStyle = 0;
    double borderStyle = 0;
    QString fontObjectName;
    double fontBold = 0;
    double fontItalic = 0;
    QString fontName;
    std::int32_t fontSize = 0;
    double fontStrikethru = 0;
    double fontUnderline = 0;
    std::int32_t foreColor = 0;
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t visible = 0;
    std::int16_t index = 0;
    std::int32_t autoSize = 0;
};
