// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// A JPEG picture that goes into a PDF at its own size and orientation may go in as its file's
// bytes: Qt's PDF engine decodes and encodes every picture again (at quality 94), which costs
// time and, for a camera's photo, more bytes than the file had. The PDF is written first, then
// each such image object takes the file's bytes when they are fewer.
namespace PdfJpegPassThrough {

// The frame size and the colour components of a JPEG that a PDF's DCT filter reads as it is
// (baseline, extended or progressive, Huffman-coded, one or three components); nothing for
// any other bytes.
struct Frame {
    int width = 0;
    int height = 0;
    int components = 0;
};
Frame frameOf(const QByteArray& jpeg);

// Rewrites the PDF file at `path` as Qt's PDF engine writes it: each DCT image object whose
// size and colours are those of exactly one of `jpegs` and whose stream is longer than it takes
// that file's bytes. False when the file could not be read, understood or written; it is then
// left as it was.
bool apply(const QString& path, const std::vector<QByteArray>& jpegs);

} // namespace PdfJpegPassThrough
