// SPDX-License-Identifier: GPL-3.0-or-later
#include "JpegStructure.h"

namespace {

int bigEndian16(const QByteArray& bytes, qsizetype at)
{
    return (quint8(bytes[at]) << 8) | quint8(bytes[at + 1]);
}

// The transformation of an EXIF orientation, as Qt's readers map it.
QImageIOHandler::Transformations transformationOf(int orientation)
{
    constexpr QImageIOHandler::Transformation byOrientation[] = {
        QImageIOHandler::TransformationNone,              // 1: as stored
        QImageIOHandler::TransformationMirror,            // 2
        QImageIOHandler::TransformationRotate180,         // 3
        QImageIOHandler::TransformationFlip,              // 4
        QImageIOHandler::TransformationFlipAndRotate90,   // 5
        QImageIOHandler::TransformationRotate90,          // 6
        QImageIOHandler::TransformationMirrorAndRotate90, // 7
        QImageIOHandler::TransformationRotate270};        // 8
    return orientation >= 1 && orientation <= 8 ? byOrientation[orientation - 1]
                                                : QImageIOHandler::TransformationNone;
}

// The orientation in an APP1 segment's data (`exif`, after its length), 1 when it has none.
int orientationOf(const QByteArray& exif)
{
    if (!exif.startsWith(QByteArray("Exif\0\0", 6)) || exif.size() < 14)
        return 1;
    const QByteArray tiff = exif.mid(6);
    const bool little = tiff.startsWith("II");
    if (!little && !tiff.startsWith("MM"))
        return 1;
    const auto number = [&](qsizetype at, int bytes) -> qint64 {
        if (at < 0 || at + bytes > tiff.size())
            return -1;
        qint64 value = 0;
        for (int i = 0; i < bytes; ++i)
            value |= qint64(quint8(tiff[at + (little ? i : bytes - 1 - i)])) << (8 * i);
        return value;
    };
    const qint64 directory = number(4, 4);
    const qint64 entries = number(directory, 2);
    for (qint64 entry = 0; entry < entries; ++entry) {
        const qint64 at = directory + 2 + entry * 12;
        if (number(at, 2) == 0x0112)
            return int(number(at + 8, 2));
        if (at + 12 > tiff.size())
            break;
    }
    return 1;
}

} // namespace

std::optional<JpegStructure> JpegStructure::read(const QByteArray& bytes)
{
    if (!bytes.startsWith("\xFF\xD8"))
        return std::nullopt;
    JpegStructure jpeg;
    bool exifRead = false;
    qsizetype at = 2;
    while (at + 4 <= bytes.size() && quint8(bytes[at]) == 0xFF) {
        const int marker = quint8(bytes[at + 1]);
        if (marker == 0xFF) { // fill
            ++at;
            continue;
        }
        const int length = bigEndian16(bytes, at + 2);
        if (marker == 0xD9 || marker == 0xDA || length < 2)
            return std::nullopt;
        if (marker == 0xE1 && !exifRead && bytes.mid(at + 4, 6) == QByteArray("Exif\0\0", 6)) {
            exifRead = true;
            jpeg.transformation = transformationOf(orientationOf(bytes.mid(at + 4, length - 2)));
        }
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
            marker != 0xCC) {
            if (at + 10 > bytes.size())
                return std::nullopt;
            jpeg.frameMarker = marker;
            jpeg.size = QSize(bigEndian16(bytes, at + 7), bigEndian16(bytes, at + 5));
            jpeg.components = quint8(bytes[at + 9]);
            if (jpeg.size.isEmpty() || jpeg.components == 0)
                return std::nullopt;
            return jpeg;
        }
        at += 2 + length;
    }
    return std::nullopt;
}
