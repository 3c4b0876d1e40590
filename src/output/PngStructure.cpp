// SPDX-License-Identifier: GPL-3.0-or-later
#include "PngStructure.h"

#include <zlib.h>

namespace {

constexpr char signature[] = "\x89PNG\r\n\x1a\n";
constexpr qsizetype signatureSize = 8;

quint32 bigEndian32(const QByteArray& bytes, qsizetype at)
{
    return (quint32(quint8(bytes[at])) << 24) | (quint32(quint8(bytes[at + 1])) << 16) |
           (quint32(quint8(bytes[at + 2])) << 8) | quint32(quint8(bytes[at + 3]));
}

bool validDepth(int colourType, int depth)
{
    switch (colourType) {
    case 0:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2:
    case 4:
    case 6:
        return depth == 8 || depth == 16;
    default:
        return false;
    }
}

} // namespace

std::optional<PngStructure> PngStructure::read(const QByteArray& bytes, bool withRows)
{
    if (!bytes.startsWith(QByteArray(signature, signatureSize)))
        return std::nullopt;
    PngStructure png;
    bool header = false;
    bool rows = false;
    qsizetype at = signatureSize;
    while (at + 12 <= bytes.size()) {
        const quint32 length = bigEndian32(bytes, at);
        if (length > quint32(bytes.size() - at - 12))
            return std::nullopt;
        const QByteArray type = bytes.mid(at + 4, 4);
        const char* typeAndData = bytes.constData() + at + 4;
        const uLong crc = crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(typeAndData),
                                uInt(length + 4));
        if (crc != bigEndian32(bytes, at + 8 + length))
            return std::nullopt;
        const qsizetype data = at + 8;
        if (!header && type != "IHDR")
            return std::nullopt;
        if (type == "IHDR") {
            if (header || length != 13)
                return std::nullopt;
            header = true;
            png.size = QSize(int(qMin(bigEndian32(bytes, data), quint32(INT_MAX))),
                             int(qMin(bigEndian32(bytes, data + 4), quint32(INT_MAX))));
            png.bitDepth = quint8(bytes[data + 8]);
            png.colourType = quint8(bytes[data + 9]);
            png.interlaced = quint8(bytes[data + 12]) == 1;
            if (png.size.isEmpty() || !validDepth(png.colourType, png.bitDepth) ||
                bytes[data + 10] != 0 || bytes[data + 11] != 0 || quint8(bytes[data + 12]) > 1)
                return std::nullopt;
        } else if (type == "PLTE") {
            if (length == 0 || length % 3 != 0 || length > 256 * 3)
                return std::nullopt;
            png.palette = bytes.mid(data, length);
        } else if (type == "tRNS") {
            png.transparency = true;
        } else if (type == "eXIf") {
            png.turnable = true;
        } else if (type == "IDAT") {
            rows = rows || length > 0;
            if (withRows)
                png.rows += bytes.mid(data, length);
        } else if (type == "IEND") {
            if (!rows || (png.colourType == 3 && png.palette.isEmpty()))
                return std::nullopt;
            return png;
        }
        at = data + length + 4;
    }
    return std::nullopt;
}
