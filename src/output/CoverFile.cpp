// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverFile.h"

#include "CoverLayout.h"
#include "DocumentFile.h"
#include "FieldReader.h"
#include "FieldWriter.h"
#include "JewelCaseDocument.h"
#include "PicturePlacement.h"
#include "TextEncoding.h"
#include "TextRestore.h"

#include <QFile>
#include <cmath>
#include <limits>
#include <map>
#include <set>

namespace CoverFile {

namespace {

using namespace PicturePlacement;

// The faces in the order of the paths, the lists and the texts; colours and rectangles go in
// the faces' own order.
constexpr std::array<int, Face::count> listOrder = {Face::Recto, Face::Verso, Face::Dos};

qint64 whole(double twips)
{
    return qint64(std::lround(twips));
}

QRect wholeTwips(const QRectF& rect)
{
    return QRect(int(whole(rect.left())), int(whole(rect.top())), int(whole(rect.width())),
                 int(whole(rect.height())));
}

// A picture's path as the file stores it: "Aucun" for none. A picture that could not be found
// keeps its path, so that the cover finds it again once its drive is back.
QString storedPath(const QString& path)
{
    return path.isEmpty() ? JewelCaseDocument::noPicture : path;
}

QByteArray coverText(const JewelCaseDocument& document, bool& quotesReplaced)
{
    FieldWriter out;
    for (const Face& face : document.faces)
        out.numberLine(DocumentFile::colourNumber(face.color));
    for (const QString* path : {&document.rectoImagePath, &document.versoImagePath,
                                &document.dosImagePath, &document.logoImagePath})
        out.rawLine(storedPath(*path));
    const ImageOptionsChoices& choices = document.imageChoices;
    for (int face : listOrder)
        out.numberLine(choices.backgroundFitMode[std::size_t(face)]);
    out.numberLine(choices.logoSource);
    for (int face : listOrder)
        out.numberLine(choices.logoDisplayMode[std::size_t(face)]);
    for (int face : listOrder)
        out.numberLine(choices.logoBorderStyle[std::size_t(face)]);
    // The logo as the image options preview it: its place on the face, at the preview's scale.
    // From the whole twips the file keeps, so that an opened cover saves the same lines.
    for (const Face& face : document.faces) {
        const QRect logo = wholeTwips(face.logo.rect);
        out.numberLine(whole((logo.left() - whole(face.frame.left())) * CoverLayout::previewScale));
        out.numberLine(whole(logo.top() * CoverLayout::previewScale));
        out.numberLine(whole(logo.width() * CoverLayout::previewScale));
        out.numberLine(whole(logo.height() * CoverLayout::previewScale));
    }
    for (const Face& face : document.faces) {
        const QRect logo = wholeTwips(face.logo.rect);
        for (int value : {logo.left(), logo.top(), logo.width(), logo.height()})
            out.numberLine(value);
    }

    std::array<std::vector<const TextElement*>, Face::count> texts;
    for (std::size_t i = 0; i < listOrder.size(); ++i)
        texts[i] = shownTexts(document.faces[std::size_t(listOrder[i])].texts);
    out.numbersLine({qint64(texts[0].size()), qint64(texts[1].size()), qint64(texts[2].size())});
    for (const std::vector<const TextElement*>& face : texts) {
        for (const TextElement* element : face)
            DocumentFile::writeText(out, *element, DocumentFile::Flags::Numbers);
    }
    const Sheet& dosSheet = document.dosSheet();
    DocumentFile::writeCommonFields(out, document.verticalText, DocumentFile::Flags::Numbers,
                                    int(document.verticalTextAlignment), dosSheet.backColor,
                                    dosSheet.foreColor);

    quotesReplaced = out.quotesReplaced();
    return TextEncoding::encode(out.text());
}

// Everything after the emptying of the cover; false at the first field that is missing or
// wrong.
// What a cover file says first: the faces' colours, and the paths of the Recto's, the Verso's
// and the Dos's backgrounds and of the logo.
struct Header {
    std::array<OleColor, Face::count> colours;
    std::array<QString, 4> picturePaths;
};

std::optional<Header> readHeader(FieldReader& in)
{
    Header header;
    for (OleColor& colour : header.colours) {
        const std::optional<qint64> number = in.integer(std::numeric_limits<std::int32_t>::min(),
                                                        std::numeric_limits<std::uint32_t>::max());
        if (!number)
            return std::nullopt;
        colour = OleColor(std::uint32_t(*number));
    }
    for (QString& path : header.picturePaths) {
        const std::optional<QString> value = in.line();
        if (!value)
            return std::nullopt;
        path = value->isEmpty() ? JewelCaseDocument::noPicture : *value;
    }
    return header;
}

bool readCover(JewelCaseDocument& document, FieldReader& in, Prompter& prompter)
{
    constexpr qint64 int32Min = std::numeric_limits<std::int32_t>::min();
    constexpr qint64 int32Max = std::numeric_limits<std::int32_t>::max();
    constexpr qint64 int16Min = std::numeric_limits<std::int16_t>::min();
    constexpr qint64 int16Max = std::numeric_limits<std::int16_t>::max();

    const std::optional<Header> header = readHeader(in);
    if (!header)
        return false;
    for (std::size_t face = 0; face < Face::count; ++face)
        document.faces[face].color = header->colours[face];
    document.rectoImagePath = header->picturePaths[0];
    document.versoImagePath = header->picturePaths[1];
    document.dosImagePath = header->picturePaths[2];
    document.logoImagePath = header->picturePaths[3];
    std::array<qint64, 10> lists{};
    for (qint64& value : lists) {
        const std::optional<qint64> read = in.integer(int16Min, int16Max);
        if (!read)
            return false;
        value = *read;
    }
    ImageOptionsChoices& choices = document.imageChoices;
    choices.logoSource = int(lists[3]);
    for (std::size_t i = 0; i < listOrder.size(); ++i) {
        const std::size_t face = std::size_t(listOrder[i]);
        choices.backgroundFitMode[face] = int(lists[i]);
        choices.logoDisplayMode[face] = int(lists[4 + i]);
        choices.logoBorderStyle[face] = int(lists[7 + i]);
    }
    std::array<qint64, 24> rectangles{};
    for (qint64& value : rectangles) {
        const std::optional<qint64> read = in.integer(int32Min, int32Max);
        if (!read)
            return false;
        value = *read;
    }

    // Faces naming one file share its picture, read (or said unreadable) once.
    std::map<QString, std::optional<Picture>> restored;
    const auto restore = [&](const QString& path) {
        const auto known = restored.find(path);
        if (known != restored.end())
            return known->second;
        return restored[path] = DocumentFile::restoredPicture(path, prompter);
    };
    for (int face : listOrder) {
        if (const std::optional<Picture> picture = restore(document.picturePath(face))) {
            const int mode = choices.backgroundFitMode[std::size_t(face)];
            PlaceBackground(document, face, document.faces[std::size_t(face)].color,
                            backgroundFitModeFromNumber(mode), *picture);
        }
    }
    if (const std::optional<Picture> logo = restore(document.logoImagePath)) {
        for (int face = 0; face < Face::count; ++face) {
            const int mode = choices.logoDisplayMode[std::size_t(face)];
            PlaceLogo(document, face, logoDisplayModeFromNumber(mode),
                      choices.logoBorderStyle[std::size_t(face)] != int(BorderStyle::None), *logo);
        }
    }
    // A logo that could not be found keeps its places too, for when its file is back.
    if (document.logoImagePath != JewelCaseDocument::noPicture) {
        for (std::size_t face = 0; face < Face::count; ++face) {
            const std::size_t at = 12 + 4 * face;
            document.faces[face].logo.rect =
                QRectF(rectangles[at], rectangles[at + 1], rectangles[at + 2], rectangles[at + 3]);
        }
    }

    std::array<qint64, Face::count> counts{};
    for (qint64& count : counts) {
        const std::optional<qint64> read = in.integer(0, int16Max);
        if (!read)
            return false;
        count = *read;
    }
    for (std::size_t i = 0; i < listOrder.size(); ++i) {
        const ActiveFrame frame = *activeFrameFromNumber(listOrder[i]);
        std::set<int> indices;
        for (qint64 n = 0; n < counts[i]; ++n) {
            const std::optional<ElementRecord> record =
                DocumentFile::readText(in, DocumentFile::Flags::Numbers, true);
            if (!record || !DocumentFile::newTextIndex(record->index, indices) ||
                !restoreText(document, frame, *record))
                return false;
        }
    }
    const std::optional<ElementRecord> vertical =
        DocumentFile::readText(in, DocumentFile::Flags::Numbers, false);
    if (!vertical)
        return false;
    restoreText(document, ActiveFrame::VerticalText, *vertical);
    return true;
}

} // namespace

QString dialogFilter()
{
    return QStringLiteral("Fichier jaquette JKCD (*.jkcd)");
}

bool save(const JewelCaseDocument& document, const QString& path, Prompter& prompter)
{
    bool quotesReplaced = false;
    const QByteArray bytes = coverText(document, quotesReplaced);
    if (!DocumentFile::writeWhole(path, bytes, prompter))
        return false;
    if (quotesReplaced)
        DocumentFile::tellQuotesReplaced(prompter, QStringLiteral("jaquette"));
    return true;
}

bool open(JewelCaseDocument& document, const QString& path, Prompter& prompter)
{
    document.reset();

    bool read = false;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        FieldReader in(TextEncoding::decode(file.readAll()));
        file.close();
        read = readCover(document, in, prompter);
    }
    if (!read)
        DocumentFile::tellOpenFailed(prompter);
    return read;
}

QStringList picturePaths(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    FieldReader in(TextEncoding::decode(file.readAll()));
    QStringList paths;
    if (const std::optional<Header> header = readHeader(in)) {
        for (const QString& picture : header->picturePaths) {
            if (picture != JewelCaseDocument::noPicture && !paths.contains(picture))
                paths << picture;
        }
    }
    return paths;
}

} // namespace CoverFile
