// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QSize>
#include <optional>

// The chunks of a PNG file, walked without decoding its pixels: every chunk whole and its CRC
// right, the header first and the end last. What a picture is read lazily on, and what a PDF
// holds as it is (its compressed rows are a Flate stream with PNG's predictors).
struct PngStructure {
    QSize size;
    int bitDepth = 0;
    int colourType = 0; // 0 grey, 2 colour, 3 palette, 4 grey and alpha, 6 colour and alpha
    bool interlaced = false;
    bool transparency = false; // a tRNS chunk
    bool turnable = false;     // an eXIf chunk, whose orientation a reader may apply
    QByteArray palette;        // PLTE's RGB triples
    QByteArray rows;           // the IDAT chunks' data, one after the other, when asked

    // The structure of `bytes`; nothing when they are not a whole, sound PNG file.
    static std::optional<PngStructure> read(const QByteArray& bytes, bool withRows);
};
