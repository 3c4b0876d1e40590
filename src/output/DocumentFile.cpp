// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentFile.h"

#include "FieldReader.h"
#include "FieldWriter.h"
#include "PictureFile.h"
#include "Prompter.h"
#include "SharedProcedures.h"
#include "TextElement.h"

#include <QSaveFile>
#include <cmath>
#include <limits>
#include <type_traits>

namespace DocumentFile {

namespace {

constexpr qint64 int32Min = std::numeric_limits<std::int32_t>::min();
constexpr qint64 int32Max = std::numeric_limits<std::int32_t>::max();
constexpr qint64 uint32Max = std::numeric_limits<std::uint32_t>::max();

const QString noPicture = QStringLiteral("Aucun");

qint64 whole(double twips)
{
    return qint64(std::lround(twips));
}

void writeFlag(FieldWriter& out, bool value, Flags flags)
{
    if (flags == Flags::Words)
        out.booleanLine(value);
    else
        out.numberLine(value ? 1 : 0);
}

void tellError(Prompter& prompter, const QString& text)
{
    prompter.inform(text, QStringLiteral("Erreur"), Prompter::Icon::Exclamation);
}

} // namespace

qint64 colourNumber(OleColor colour)
{
    return qint64(std::int32_t(colour));
}

void writeCommonFields(FieldWriter& out, const TextElement& element, Flags flags, int alignment,
                       OleColor backColor, OleColor foreColor)
{
    const TextFont& font = element.font();
    out.quotedLine(element.caption());
    out.numberLine(alignment);
    out.numberLine(colourNumber(backColor));
    out.numberLine(int(element.backStyle));
    out.numberLine(int(element.borderStyle));
    out.quotedLine(font.name);
    writeFlag(out, font.bold, flags);
    writeFlag(out, font.italic, flags);
    out.quotedLine(font.name);
    out.numberLine(std::lround(font.size));
    writeFlag(out, font.strikethru, flags);
    writeFlag(out, font.underline, flags);
    out.numberLine(colourNumber(foreColor));
    out.numberLine(whole(element.left));
    out.numberLine(whole(element.top));
    out.numberLine(whole(element.width));
    out.numberLine(whole(element.height));
    writeFlag(out, element.visible, flags);
}

void writeText(FieldWriter& out, const TextElement& element, Flags flags)
{
    writeCommonFields(out, element, flags, int(element.alignment), element.backColor,
                      element.foreColor);
    out.numberLine(element.index);
    writeFlag(out, element.autoSize(), flags);
}

std::optional<ElementRecord> readText(FieldReader& in, Flags flags, bool withIndex)
{
    ElementRecord record;
    const auto text = [&](QString& field) {
        std::optional<QString> value = in.text();
        if (value)
            field = *value;
        return value.has_value();
    };
    const auto number = [&](double& field) {
        const std::optional<double> value = in.number();
        if (value)
            field = *value;
        return value.has_value();
    };
    const auto colour = [&](std::int32_t& field) {
        const std::optional<qint64> value = in.integer(int32Min, uint32Max);
        if (value)
            field = std::int32_t(std::uint32_t(*value));
        return value.has_value();
    };
    const auto integer = [&](std::int32_t& field, qint64 lowest = int32Min,
                             qint64 highest = int32Max) {
        const std::optional<qint64> value = in.integer(lowest, highest);
        if (value)
            field = std::int32_t(*value);
        return value.has_value();
    };
    // Points: no font is larger than a 16-bit number, and a size near 2^31 would come back
    // from the float a font keeps it in as a number this reader refuses.
    const auto fontSize = [&](std::int32_t& field) {
        return integer(field, std::numeric_limits<std::int16_t>::min(),
                       std::numeric_limits<std::int16_t>::max());
    };
    // As numbers, the font's flags keep whatever number came and the others are integers.
    const auto flag = [&](auto& field) {
        if (flags == Flags::Words) {
            const std::optional<bool> value = in.boolean();
            if (value)
                field = *value ? 1 : 0;
            return value.has_value();
        }
        if constexpr (std::is_same_v<std::remove_reference_t<decltype(field)>, double>)
            return number(field);
        else
            return integer(field);
    };
    // Twips: a text keeps its place and size as floats, which hold every whole number up to
    // 2^24 (three hundred metres) exactly; beyond, a value would not save as it was read.
    const auto twips = [&](std::int32_t& field) {
        constexpr qint64 largest = qint64(1) << std::numeric_limits<float>::digits;
        return integer(field, -largest, largest);
    };
    bool ok = text(record.caption) && number(record.alignment) && colour(record.backColor) &&
              number(record.backStyle) && number(record.borderStyle) &&
              text(record.fontObjectName) && flag(record.fontBold) && flag(record.fontItalic) &&
              text(record.fontName) && fontSize(record.fontSize) && flag(record.fontStrikethru) &&
              flag(record.fontUnderline) && colour(record.foreColor) && twips(record.left) &&
              twips(record.top) && twips(record.width) && twips(record.height) &&
              flag(record.visible);
    if (ok && withIndex) {
        const std::optional<qint64> index = in.integer(0, std::numeric_limits<std::int16_t>::max());
        ok = index && flag(record.autoSize);
        if (ok)
            record.index = std::int16_t(*index);
    }
    if (!ok)
        return std::nullopt;
    return record;
}

bool newTextIndex(int index, std::set<int>& taken)
{
    return index >= 1 && taken.insert(index).second;
}

std::optional<Picture> restoredPicture(const QString& path, Prompter& prompter)
{
    if (path == noPicture)
        return std::nullopt;
    if (!FileExists(path)) {
        tellError(prompter, QStringLiteral("Le fichier image ") + path +
                                QStringLiteral(" est introuvable !"));
        return std::nullopt;
    }
    return PictureFile::loadOrTell(path, prompter);
}

bool writeWhole(const QString& path, const QByteArray& bytes, Prompter& prompter)
{
    // Unbuffered, a short write (a full disk, a size limit) shows in the count written
    // instead of vanishing in a later flush.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        file.write(bytes) != bytes.size() || !file.commit()) {
        tellError(prompter, QStringLiteral("Erreur lors de la sauvegarde du fichier !"));
        return false;
    }
    return true;
}

void tellQuotesReplaced(Prompter& prompter, const QString& fileKind)
{
    prompter.inform(QStringLiteral("Les guillemets droits (\") des textes ont été "
                                   "enregistrés comme ” : un fichier ") +
                        fileKind + QStringLiteral(" ne peut pas les contenir."),
                    QStringLiteral("Enregistrer"), Prompter::Icon::Information);
}

void tellOpenFailed(Prompter& prompter)
{
    tellError(prompter, QStringLiteral("Erreur lors de l'ouverture du fichier !"));
}

} // namespace DocumentFile
