// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImageIOHandler>
#include <QSize>
#include <optional>

// The header of a JPEG file, read without decoding it: its frame, and the orientation its EXIF
// data gives, as Qt's reader turns the picture with it. What a picture is read lazily on, and
// what a PDF's DCT filter is told.
struct JpegStructure {
    QSize size;          // as stored, before any turn
    int components = 0;  // 1 grey, 3 colour, 4 CMYK
    int frameMarker = 0; // 0xC0 baseline, 0xC1 extended, 0xC2 progressive, ...
    QImageIOHandler::Transformations transformation = QImageIOHandler::TransformationNone;

    // The header of `bytes`, up to the frame; nothing when they are no JPEG or have no frame.
    static std::optional<JpegStructure> read(const QByteArray& bytes);
};
