// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfJpegPassThrough.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <algorithm>
#include <map>
#include <optional>
#include <tuple>

namespace PdfJpegPassThrough {

namespace {

int bigEndian16(const QByteArray& bytes, qsizetype at)
{
    return (quint8(bytes[at]) << 8) | quint8(bytes[at + 1]);
}

// The objects of a PDF as its cross-reference table places them, by number.
std::optional<std::map<int, qsizetype>> objectOffsets(const QByteArray& pdf, qsizetype& xref,
                                                      int& count)
{
    const qsizetype start = pdf.lastIndexOf("startxref\n");
    if (start < 0)
        return std::nullopt;
    bool ok = false;
    xref = pdf.mid(start + 10, 20).split('\n').value(0).trimmed().toLongLong(&ok);
    if (!ok || xref <= 0 || xref >= start || !pdf.mid(xref).startsWith("xref\n0 "))
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
            !pdf.mid(offset).startsWith(QByteArray::number(object) + " 0 obj\n"))
            return std::nullopt;
        offsets[object] = offset;
    }
    return offsets;
}

int dictionaryNumber(const QByteArray& dictionary, const char* key)
{
    const QRegularExpression pattern(QStringLiteral("/%1 (\\d+)\\n").arg(QLatin1String(key)));
    const QRegularExpressionMatch match = pattern.match(QString::fromLatin1(dictionary));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

} // namespace

Frame frameOf(const QByteArray& jpeg)
{
    if (!jpeg.startsWith("\xFF\xD8"))
        return {};
    qsizetype at = 2;
    while (at + 4 <= jpeg.size() && quint8(jpeg[at]) == 0xFF) {
        const int marker = quint8(jpeg[at + 1]);
        const int length = bigEndian16(jpeg, at + 2);
        if (marker == 0xD9 || marker == 0xDA || length < 2)
            return {};
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
            marker != 0xCC) {
            // Arithmetic coding and the lossless and hierarchical frames are not PDF's.
            if (marker > 0xC2 || at + 10 > jpeg.size())
                return {};
            const Frame frame{bigEndian16(jpeg, at + 7), bigEndian16(jpeg, at + 5),
                              quint8(jpeg[at + 9])};
            if (frame.width <= 0 || frame.height <= 0 ||
                (frame.components != 1 && frame.components != 3))
                return {};
            return frame;
        }
        at += 2 + length;
    }
    return {};
}

bool apply(const QString& path, const std::vector<QByteArray>& jpegs)
{
    // The files by their size and colours; two files of one size are told apart by nothing
    // the PDF says, so neither goes in as it is.
    std::map<std::tuple<int, int, int>, std::optional<QByteArray>> originals;
    for (const QByteArray& jpeg : jpegs) {
        const Frame frame = frameOf(jpeg);
        if (frame.components == 0)
            continue;
        const auto key = std::tuple(frame.width, frame.height, frame.components);
        const auto [known, added] = originals.emplace(key, jpeg);
        if (!added && known->second != jpeg)
            known->second.reset();
    }
    if (originals.empty())
        return true;

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray pdf = file.readAll();
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

    bool replaced = false;
    for (auto& [object, bytes] : objects) {
        const qsizetype streamAt = bytes.indexOf(">>\nstream\n");
        if (streamAt < 0)
            continue;
        const QByteArray dictionary = bytes.left(streamAt);
        if (!dictionary.contains("/Subtype /Image\n") ||
            !dictionary.contains("/Filter /DCTDecode\n") || dictionary.contains("/SMask") ||
            dictionary.contains("/Decode"))
            continue;
        const int components = dictionary.contains("/ColorSpace /DeviceRGB\n")    ? 3
                               : dictionary.contains("/ColorSpace /DeviceGray\n") ? 1
                                                                                  : 0;
        const auto original =
            originals.find(std::tuple(dictionaryNumber(dictionary, "Width"),
                                      dictionaryNumber(dictionary, "Height"), components));
        if (original == originals.end() || !original->second)
            continue;
        // The stream's length is an object of its own.
        const QRegularExpressionMatch lengthRef =
            QRegularExpression(QStringLiteral("/Length (\\d+) 0 R\\n"))
                .match(QString::fromLatin1(dictionary));
        const auto length =
            lengthRef.hasMatch() ? objects.find(lengthRef.captured(1).toInt()) : objects.end();
        if (length == objects.end())
            continue;
        const QByteArray lengthHead = QByteArray::number(length->first) + " 0 obj\n";
        bool ok = false;
        const qsizetype streamLength =
            length->second.mid(lengthHead.size()).split('\n').value(0).toLongLong(&ok);
        const qsizetype dataAt = streamAt + 10;
        if (!ok || dataAt + streamLength > bytes.size() ||
            !bytes.mid(dataAt + streamLength).startsWith("\nendstream\nendobj\n") ||
            original->second->size() >= streamLength)
            continue;
        bytes = bytes.left(dataAt) + *original->second + "\nendstream\nendobj\n";
        length->second = lengthHead + QByteArray::number(original->second->size()) + "\nendobj\n";
        replaced = true;
    }
    if (!replaced)
        return true;

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

} // namespace PdfJpegPassThrough
