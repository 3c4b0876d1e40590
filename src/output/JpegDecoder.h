// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QImageIOHandler>
#include <QSize>
#include <optional>

// Decodes a JPEG file's bytes with libjpeg(-turbo), reduced while decoding to the smallest of
// an eighth, a quarter, half or the whole a side that covers the size asked, straight into the
// 32-bit pixels the painters draw (libjpeg writes blue, green, red, pad: Qt's RGB32 in memory),
// so that no pass converts them. Colour (YCbCr or RGB) and greyscale files; the others (CMYK,
// YCCK) are left to Qt's reader.
class JpegDecoder {
public:
    // The pixels of `bytes` as shown (turned and flipped by `shown`, as Qt's reader does with
    // a file's EXIF orientation), at least `atLeast` (as shown) where the file has that many;
    // never more than `mostEighths`/8 of its pixels a side. A null image when the file cannot be
    // read (a damaged or truncated file gives what was decoded, the rest grey); nothing when it is
    // not one this decoder reads.
    static std::optional<QImage> decode(QByteArrayView bytes, const QSize& atLeast,
                                        QImageIOHandler::Transformations shown,
                                        int mostEighths = 8);

    // `image`, turned and flipped as Qt's reader shows a file whose EXIF orientation is
    // `shown`: mirrored or flipped first, then turned a quarter clockwise.
    static QImage oriented(const QImage& image, QImageIOHandler::Transformations shown);
};
