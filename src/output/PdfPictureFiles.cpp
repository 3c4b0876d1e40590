// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfPictureFiles.h"

#include "JpegStructure.h"
#include "PngStructure.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <map>
#include <optional>

namespace PdfPictureFiles {

namespace {

// The objects of a PDF as its cross-reference table places them, by number.
std::optional<std::map<int, qsizetype>> objectOffsets(const QByteArray& pdf, qsizetype& xref,
                                                      int& count)
{
    const qsizetype start = pdf.lastIndexOf("startxref\n");
    if (start < 0)
        return std::nullopt;
    bool ok = false;
    xref = pdf.mid(start + 10, 20).split('\n').value(0).trimmed().toLongLong(&ok);
    if (!ok || xref <= 0 || xref >= start ||
        !QByteArrayView(pdf).sliced(xref).startsWith("xref\n0 "))
        return std::nullopt;
    const qsizetype countEnd = pdf.indexOf('\n', xref + 7);
    count = pdf.mid(xref + 7, countEnd - xref - 7).trimmed().toInt(&ok);
    if (!ok || count <= 0 || countEnd + 1 + qsizetype(count) * 20 > start)
        return std::nullopt;
    std::map<int, qsizetype> offsets;
    for (int object = 1; object < count; ++object) {
        const QByteArray entry = pdf.mid(countEnd + 1 + qsizetype(object) * 20, 20);
        if (entry.at(17) != 'n')
            continue;
        const qsizetype offset = entry.left(10).toLongLong(&ok);
        if (!ok || offset <= 0 || offset >= xref ||
            !QByteArrayView(pdf).sliced(offset).startsWith(QByteArray::number(object) + " 0 obj\n"))
            return std::nullopt;
        offsets[object] = offset;
    }
    return offsets;
}

// The whole number after `/key ` in a dictionary as Qt's engine writes it (an entry a line);
// -1 when there is none.
qint64 dictionaryNumber(const QByteArray& dictionary, const QByteArray& key)
{
    const QByteArray entry = '/' + key + ' ';
    const qsizetype at = dictionary.indexOf('\n' + entry);
    if (at < 0)
        return -1;
    const qsizetype start = at + 1 + entry.size();
    const qsizetype end = dictionary.indexOf('\n', start);
    bool ok = false;
    const qint64 number = dictionary.mid(start, end - start).toLongLong(&ok);
    return ok ? number : -1;
}

// A JPEG's header when the PDF's DCT filter reads the file as it is (baseline, extended or
// progressive, Huffman-coded, one or three components): arithmetic coding and the lossless and
// hierarchical frames are not PDF's.
std::optional<JpegStructure> dctFrame(const QByteArray& file)
{
    std::optional<JpegStructure> header = JpegStructure::read(file);
    if (!header || header->frameMarker > 0xC2 ||
        (header->components != 1 && header->components != 3))
        return std::nullopt;
    return header;
}

// A PNG's structure when the PDF's Flate filter reads its rows as they are: grey, colour or
// palette, without transparency, not interlaced; with its rows when `withRows`.
std::optional<PngStructure> flateRows(const QByteArray& file, bool withRows)
{
    std::optional<PngStructure> png = PngStructure::read(file, withRows);
    if (!png || png->interlaced || png->transparency ||
        (png->colourType != 0 && png->colourType != 2 && png->colourType != 3))
        return std::nullopt;
    return png;
}

} // namespace

bool holds(const QByteArray& file)
{
    return dctFrame(file) || flateRows(file, false);
}

std::optional<Image> imageOf(const QByteArray& file)
{
    if (const std::optional<JpegStructure> jpeg = dctFrame(file)) {
        return Image{
            "/Width " + QByteArray::number(jpeg->size.width()) + "\n/Height " +
                QByteArray::number(jpeg->size.height()) + "\n/BitsPerComponent 8\n/ColorSpace " +
                (jpeg->components == 3 ? "/DeviceRGB" : "/DeviceGray") + "\n/Filter /DCTDecode\n",
            file, "1.4"};
    }
    const std::optional<PngStructure> png = flateRows(file, true);
    if (!png)
        return std::nullopt;
    const int colours = png->colourType == 2 ? 3 : 1;
    QByteArray colourSpace = png->colourType == 2 ? "/DeviceRGB" : "/DeviceGray";
    if (png->colourType == 3)
        colourSpace = "[/Indexed /DeviceRGB " + QByteArray::number(png->palette.size() / 3 - 1) +
                      " <" + png->palette.toHex() + ">]";
    const QByteArray width = QByteArray::number(png->size.width());
    const QByteArray depth = QByteArray::number(png->bitDepth);
    return Image{"/Width " + width + "\n/Height " + QByteArray::number(png->size.height()) +
                     "\n/BitsPerComponent " + depth + "\n/ColorSpace " + colourSpace +
                     "\n/Filter /FlateDecode\n/DecodeParms << /Predictor 15 /Colors " +
                     QByteArray::number(colours) + " /BitsPerComponent " + depth + " /Columns " +
                     width + " >>\n",
                 png->rows, png->bitDepth == 16 ? "1.5" : "1.4"};
}

bool apply(const QString& path, const std::vector<Picture::FilesAsTheyAre::StandIn>& standIns)
{
    // Each stand-in by its pixels as the PDF holds them: a bit each, eight a byte.
    std::map<QByteArray, const QByteArray*> files;
    const int standInWidth = standIns.empty() ? 0 : standIns.front().pixels.width();
    for (const auto& standIn : standIns) {
        files.emplace(QByteArray(reinterpret_cast<const char*>(standIn.pixels.constScanLine(0)),
                                 standIn.pixels.width() / 8),
                      &standIn.file);
    }
    if (files.empty())
        return true;

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray pdf = file.readAll();
    file.close();
    qsizetype xref = 0;
    int count = 0;
    const std::optional<std::map<int, qsizetype>> offsets = objectOffsets(pdf, xref, count);
    if (!offsets || offsets->empty())
        return false;
    // Each object's bytes, from its offset to the next object's (or the table's).
    std::map<int, QByteArray> objects;
    std::vector<std::pair<qsizetype, int>> order;
    for (const auto& [object, offset] : *offsets)
        order.emplace_back(offset, object);
    std::sort(order.begin(), order.end());
    for (std::size_t i = 0; i < order.size(); ++i) {
        const qsizetype end = i + 1 < order.size() ? order[i + 1].first : xref;
        objects[order[i].second] = pdf.mid(order[i].first, end - order[i].first);
    }

    QByteArray version = "1.4";
    std::size_t replaced = 0;
    for (auto& [object, bytes] : objects) {
        const qsizetype streamAt = bytes.indexOf(">>\nstream\n");
        if (streamAt < 0)
            continue;
        const QByteArray dictionary = bytes.left(streamAt);
        if (!dictionary.contains("/Subtype /Image\n") ||
            dictionaryNumber(dictionary, "Height") != 1 ||
            dictionaryNumber(dictionary, "Width") != standInWidth)
            continue;
        // The stream's length is an object of its own: "/Length n 0 R".
        const QByteArray lengthEntry = "\n/Length ";
        const qsizetype lengthAt = dictionary.indexOf(lengthEntry);
        const QList<QByteArray> lengthRef =
            lengthAt < 0
                ? QList<QByteArray>()
                : dictionary.mid(lengthAt + lengthEntry.size()).split('\n').value(0).split(' ');
        const auto length = lengthRef.size() == 3 && lengthRef[1] == "0" && lengthRef[2] == "R"
                                ? objects.find(lengthRef[0].toInt())
                                : objects.end();
        if (length == objects.end())
            continue;
        const QByteArray lengthHead = QByteArray::number(length->first) + " 0 obj\n";
        bool ok = false;
        const qsizetype streamLength =
            length->second.mid(lengthHead.size()).split('\n').value(0).toLongLong(&ok);
        const qsizetype dataAt = streamAt + 10;
        if (!ok || dataAt + streamLength > bytes.size() ||
            !QByteArrayView(bytes)
                 .sliced(dataAt + streamLength)
                 .startsWith("\nendstream\nendobj\n"))
            continue;
        QByteArray pixels = bytes.mid(dataAt, streamLength);
        if (dictionary.contains("/Filter /FlateDecode\n")) {
            // qUncompress reads the size expected first.
            const qsizetype expected = standInWidth / 8;
            QByteArray sized(4, '\0');
            for (int i = 0; i < 4; ++i)
                sized[i] = char((expected >> (8 * (3 - i))) & 0xFF);
            pixels = qUncompress(sized + pixels);
        } else if (dictionary.contains("/Filter")) {
            continue;
        }
        const auto found = files.find(pixels);
        if (found == files.end())
            continue;
        const std::optional<Image> image = imageOf(*found->second);
        if (!image)
            return false;
        bytes = QByteArray::number(object) + " 0 obj\n<<\n/Type /XObject\n/Subtype /Image\n" +
                image->entries + "/Length " + QByteArray::number(length->first) +
                " 0 R\n>>\nstream\n" + image->stream + "\nendstream\nendobj\n";
        length->second = lengthHead + QByteArray::number(image->stream.size()) + "\nendobj\n";
        version = std::max(version, image->version);
        ++replaced;
    }
    // A stand-in left would print as a few coloured pixels in the picture's place.
    if (replaced != files.size())
        return false;
    // Sixteen bits a component are PDF 1.5's; the header's version has the same length.
    if (version != "1.4" && pdf.startsWith("%PDF-1.4"))
        pdf.replace(5, 3, version);

    // The objects again, in their order, and a table of their new places.
    QByteArray out = pdf.left(order.front().first);
    std::map<int, qsizetype> placed;
    for (const auto& [offset, object] : order) {
        placed[object] = out.size();
        out += objects[object];
    }
    const qsizetype newXref = out.size();
    const qsizetype trailer = pdf.indexOf("trailer\n", xref);
    const qsizetype startxref = pdf.lastIndexOf("startxref\n");
    out += "xref\n0 " + QByteArray::number(count) + "\n0000000000 65535 f \n";
    for (int object = 1; object < count; ++object) {
        const auto at = placed.find(object);
        out += at == placed.end()
                   ? QByteArray("0000000000 65535 f \n")
                   : QByteArray::number(at->second).rightJustified(10, '0') + " 00000 n \n";
    }
    if (trailer < 0 || trailer > startxref)
        return false;
    out += pdf.mid(trailer, startxref - trailer);
    out += "startxref\n" + QByteArray::number(newXref) + "\n%%EOF\n";

    QSaveFile rewritten(path);
    return rewritten.open(QIODevice::WriteOnly) && rewritten.write(out) == out.size() &&
           rewritten.commit();
}

} // namespace PdfPictureFiles
