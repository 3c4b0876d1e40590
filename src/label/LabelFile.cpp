// SPDX-License-Identifier: GPL-3.0-or-later
#include "LabelFile.h"

#include "CdLabelDocument.h"
#include "DocumentFile.h"
#include "FieldReader.h"
#include "FieldWriter.h"
#include "TextEncoding.h"
#include "TextRestore.h"

#include <QFile>
#include <cmath>
#include <limits>
#include <set>

namespace LabelFile {

namespace {

using DocumentFile::Flags;

QByteArray labelText(const CdLabelDocument& label, bool& quotesReplaced)
{
    FieldWriter out;
    out.numberLine(DocumentFile::colourNumber(label.backColor));
    out.rawLine(label.hasPictureFile() ? label.pictureFileName : CdLabelDocument::noPicture);
    // The rectangle is written with or without a picture.
    const QRectF& rect = label.picture.rect;
    for (double value : {rect.left(), rect.top(), rect.width(), rect.height()})
        out.decimalLine(float(value));
    const std::vector<const TextElement*> texts = label.shownTexts();
    out.numberLine(qint64(texts.size()));
    for (const TextElement* element : texts)
        DocumentFile::writeText(out, *element, Flags::Words);
    quotesReplaced = out.quotesReplaced();
    return TextEncoding::encode(out.text());
}

// A single-precision number, as the picture's rectangle holds them.
std::optional<float> readFloat(FieldReader& in)
{
    const std::optional<double> value = in.number();
    if (!value || std::abs(*value) > double(std::numeric_limits<float>::max()))
        return std::nullopt;
    return float(*value);
}

// Everything after the emptying of the label; false at the first field that is missing or
// wrong, or a text whose index came before.
bool readLabel(CdLabelDocument& label, FieldReader& in, Prompter& prompter)
{
    const std::optional<qint64> colour = in.integer(std::numeric_limits<std::int32_t>::min(),
                                                    std::numeric_limits<std::uint32_t>::max());
    if (!colour)
        return false;
    label.backColor = OleColor(std::uint32_t(*colour));
    const std::optional<QString> path = in.line();
    if (!path)
        return false;
    std::array<float, 4> place{};
    for (float& value : place) {
        const std::optional<float> read = readFloat(in);
        if (!read)
            return false;
        value = *read;
    }
    // Kept without a picture too, so that a file comes back out as it went in.
    label.picture.rect = QRectF(place[0], place[1], place[2], place[3]);
    const QString pictureFile = path->isEmpty() ? CdLabelDocument::noPicture : *path;
    if (const std::optional<Picture> picture = DocumentFile::restoredPicture(pictureFile, prompter))
        label.setPicture(pictureFile, *picture, label.picture.rect);
    else
        label.pictureFileName = pictureFile; // not found: still the label's, for when it is back

    const std::optional<qint64> count = in.integer(0, std::numeric_limits<std::int16_t>::max());
    if (!count)
        return false;
    std::set<int> indices;
    for (qint64 n = 0; n < *count; ++n) {
        const std::optional<ElementRecord> record = DocumentFile::readText(in, Flags::Words, true);
        if (!record || !DocumentFile::newTextIndex(record->index, indices))
            return false;
        TextElement& element = label.loadText(record->index);
        element.alignment = alignmentFromNumber(record->alignment);
        restoreTextElement(element, *record, record->autoSize != 0);
    }
    return true;
}

} // namespace

QString openDialogFilter()
{
    return QStringLiteral("Fichier étiquette JKET (*.jket)");
}

QString saveDialogFilter()
{
    return QStringLiteral("Fichier Etiquette JKET (*.jket)");
}

bool save(const CdLabelDocument& label, const QString& path, Prompter& prompter)
{
    bool quotesReplaced = false;
    if (!DocumentFile::writeWhole(path, labelText(label, quotesReplaced), prompter))
        return false;
    if (quotesReplaced)
        DocumentFile::tellQuotesReplaced(prompter, QStringLiteral("étiquette"));
    return true;
}

bool open(CdLabelDocument& label, const QString& path, Prompter& prompter)
{
    label.reset();
    bool read = false;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        FieldReader in(TextEncoding::decode(file.readAll()));
        file.close();
        read = readLabel(label, in, prompter);
    }
    if (!read)
        DocumentFile::tellOpenFailed(prompter);
    return read;
}

} // namespace LabelFile
