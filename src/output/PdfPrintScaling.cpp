// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfPrintScaling.h"

#include <QFile>
#include <QRegularExpression>

namespace PdfPrintScaling {

namespace {

const QByteArray preference = "/ViewerPreferences << /PrintScaling /None >>";

// The last trailer's dictionary, the one a reader starts from.
QByteArray lastTrailer(const QByteArray& pdf)
{
    const qsizetype at = pdf.lastIndexOf("trailer");
    if (at < 0)
        return {};
    const qsizetype end = pdf.indexOf("startxref", at);
    return end < 0 ? QByteArray() : pdf.mid(at + 7, end - at - 7);
}

// Where the last cross-reference section starts, as the file's end says.
qsizetype lastStartXref(const QByteArray& pdf)
{
    const qsizetype at = pdf.lastIndexOf("startxref");
    if (at < 0)
        return -1;
    static const QRegularExpression number(QStringLiteral("^\\s*(\\d+)"));
    const QRegularExpressionMatch match = number.match(QString::fromLatin1(pdf.mid(at + 9, 32)));
    return match.hasMatch() ? match.captured(1).toLongLong() : -1;
}

// The value of `key` in a trailer that names an object ("/Root 1 0 R"), as "1 0 R".
QByteArray reference(const QByteArray& trailer, const char* key)
{
    const QRegularExpression pattern(QStringLiteral("/%1\\s+(\\d+\\s+\\d+\\s+R)").arg(key));
    return pattern.match(QString::fromLatin1(trailer)).captured(1).toLatin1();
}

} // namespace

QByteArray withActualSize(const QByteArray& pdf)
{
    const QByteArray trailer = lastTrailer(pdf);
    const qsizetype previous = lastStartXref(pdf);
    const QByteArray root = reference(trailer, "Root");
    static const QRegularExpression sizePattern(QStringLiteral("/Size\\s+(\\d+)"));
    const QRegularExpressionMatch size = sizePattern.match(QString::fromLatin1(trailer));
    if (!pdf.startsWith("%PDF-") || root.isEmpty() || !size.hasMatch() || previous < 0 ||
        pdf.mid(previous, 4) != "xref")
        return {};
    // The catalog as written: "n g obj << … >> endobj", its dictionary's last ">>" closing it.
    const QList<QByteArray> numbers = root.split(' ');
    const QByteArray header = numbers.value(0) + ' ' + numbers.value(1) + " obj";
    qsizetype start = -1;
    for (qsizetype at = pdf.indexOf(header); at >= 0; at = pdf.indexOf(header, at + 1)) {
        // The object's own header, not the end of a longer number ("11 0 obj" for "1 0 obj").
        if (at == 0 || QByteArray(" \r\n").contains(pdf.at(at - 1)))
            start = at;
    }
    const qsizetype end = start < 0 ? -1 : pdf.indexOf("endobj", start);
    const qsizetype close = end < 0 ? -1 : pdf.lastIndexOf(">>", end);
    if (close <= start)
        return {};
    QByteArray catalog = pdf.mid(start + header.size(), close - start - header.size()).trimmed();
    if (!catalog.startsWith("<<"))
        return {};
    if (catalog.contains("/PrintScaling"))
        return pdf;
    catalog.remove(0, 2);

    QByteArray updated = pdf;
    if (!updated.endsWith('\n'))
        updated += '\n';
    const qsizetype offset = updated.size();
    updated += header + "\n<<" + catalog + '\n' + preference + "\n>>\nendobj\n";
    const qsizetype xref = updated.size();
    // One subsection of one entry, each entry 20 bytes.
    updated += "xref\n" + numbers.value(0) + " 1\n" +
               QByteArray::number(offset).rightJustified(10, '0') + ' ' +
               numbers.value(1).rightJustified(5, '0') + " n \n";
    QByteArray newTrailer = "trailer\n<< /Size " + size.captured(1).toLatin1() + " /Root " + root;
    if (const QByteArray info = reference(trailer, "Info"); !info.isEmpty())
        newTrailer += " /Info " + info;
    static const QRegularExpression idPattern(QStringLiteral("/ID\\s*(\\[[^\\]]*\\])"));
    if (const QRegularExpressionMatch id = idPattern.match(QString::fromLatin1(trailer));
        id.hasMatch())
        newTrailer += " /ID " + id.captured(1).toLatin1();
    newTrailer += " /Prev " + QByteArray::number(previous) + " >>\n";
    updated += newTrailer + "startxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return updated;
}

bool markActualSize(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray pdf = file.readAll();
    file.close();
    const QByteArray updated = withActualSize(pdf);
    if (updated.isEmpty())
        return false;
    if (updated.size() == pdf.size())
        return true;
    // Only what follows the original is written: the file is never left half-rewritten.
    if (!file.open(QIODevice::Append))
        return false;
    const QByteArray tail = updated.mid(pdf.size());
    return file.write(tail) == tail.size() && file.flush();
}

} // namespace PdfPrintScaling
