#include "CoverFile.h"

#include "CoverLayout.h"
#include "FieldReader.h"
#include "FieldWriter.h"
#include "JewelCaseDocument.h"
#include "Ouverturetexte.h"
#include "PictureFile.h"
#include "PicturePlacement.h"
#include "Prompter.h"
#include "SharedProcedures.h"
#include "TextEncoding.h"

#include <QFile>
#include <QSaveFile>
#include <cmath>
#include <limits>

namespace CoverFile {

namespace {

using namespace PicturePlacement;

// The faces in the order of the paths, the lists and the texts; colours and rectangles go in
// the faces' own order.
constexpr std::array<int, Face::count> listOrder = {Face::Recto, Face::Verso, Face::Dos};

// The entries of the logo source list the file stores.
constexpr int noLogoSource = 0;
constexpr int logoFromFile = 1;

qint64 whole(double twips)
{
    return qint64(std::lround(twips));
}

QRect wholeTwips(const QRectF& rect)
{
    return QRect(int(whole(rect.left())), int(whole(rect.top())), int(whole(rect.width())),
                 int(whole(rect.height())));
}

// A colour as the file has always held it: a signed 32-bit number.
qint64 colourNumber(OleColor colour)
{
    return qint64(std::int32_t(colour));
}

void writeCommonFields(FieldWriter& out, const TextElement& element, int alignment,
                       OleColor backColor, OleColor foreColor)
{
    const TextFont& font = element.font();
    out.quotedLine(element.caption());
    out.numberLine(alignment);
    out.numberLine(colourNumber(backColor));
    out.numberLine(int(element.backStyle));
    out.numberLine(int(element.borderStyle));
    out.quotedLine(font.name);
    out.numberLine(font.bold ? 1 : 0);
    out.numberLine(font.italic ? 1 : 0);
    out.quotedLine(font.name);
    out.numberLine(std::lround(font.size));
    out.numberLine(font.strikethru ? 1 : 0);
    out.numberLine(font.underline ? 1 : 0);
    out.numberLine(colourNumber(foreColor));
    out.numberLine(whole(element.left));
    out.numberLine(whole(element.top));
    out.numberLine(whole(element.width));
    out.numberLine(whole(element.height));
    out.numberLine(element.visible ? 1 : 0);
}

// The texts a face saves: the shown ones; a deleted text is hidden and goes no further.
std::vector<const TextElement*> savedTexts(const Face& face)
{
    std::vector<const TextElement*> texts;
    for (const auto& [index, element] : face.texts) {
        if (index >= 1 && element.visible)
            texts.push_back(&element);
    }
    return texts;
}

// A picture's path as the file stores it: "Aucun" without a picture.
QString storedPath(const QString& path, bool hasPicture)
{
    return hasPicture && !path.isEmpty() ? path : JewelCaseDocument::noPicture;
}

QByteArray coverText(JewelCaseDocument& document, bool& quotesReplaced)
{
    for (int face : listOrder) {
        QString& path = document.picturePath(face);
        path = storedPath(path, !document.faces[std::size_t(face)].background.isEmpty());
    }
    document.logoImagePath = storedPath(document.logoImagePath, !document.logo().isNull());

    FieldWriter out;
    for (const Face& face : document.faces)
        out.numberLine(colourNumber(face.color));
    for (const QString* path : {&document.rectoImagePath, &document.versoImagePath,
                                &document.dosImagePath, &document.logoImagePath})
        out.rawLine(*path);
    for (int face : listOrder)
        out.numberLine(int(shownBackgroundMode(document.faces[std::size_t(face)].background)));
    out.numberLine(!document.logo().isNull() ? logoFromFile : noLogoSource);
    for (int face : listOrder)
        out.numberLine(int(shownLogoMode(document.faces[std::size_t(face)].logo)));
    for (int face : listOrder)
        out.numberLine(document.faces[std::size_t(face)].logo.borderStyle == BorderStyle::Single);
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
        texts[i] = savedTexts(document.faces[std::size_t(listOrder[i])]);
    out.numbersLine({qint64(texts[0].size()), qint64(texts[1].size()), qint64(texts[2].size())});
    for (const std::vector<const TextElement*>& face : texts) {
        for (const TextElement* element : face) {
            writeCommonFields(out, *element, int(element->alignment), element->backColor,
                              element->foreColor);
            out.numberLine(element->index);
            out.numberLine(element->autoSize() ? 1 : 0);
        }
    }
    const Sheet& dosSheet = document.dosSheet();
    writeCommonFields(out, document.verticalText, int(document.verticalTextAlignment),
                      dosSheet.backColor, dosSheet.foreColor);

    quotesReplaced = out.quotesReplaced();
    return TextEncoding::encode(out.text());
}

// Reads the fields of one text; a face's text has two more, its index and AutoSize.
std::optional<ElementRecord> readRecord(FieldReader& in, bool faceText)
{
    constexpr qint64 int32Min = std::numeric_limits<std::int32_t>::min();
    constexpr qint64 int32Max = std::numeric_limits<std::int32_t>::max();
    constexpr qint64 uint32Max = std::numeric_limits<std::uint32_t>::max();
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
    const auto integer = [&](std::int32_t& field) {
        const std::optional<qint64> value = in.integer(int32Min, int32Max);
        if (value)
            field = std::int32_t(*value);
        return value.has_value();
    };
    bool ok = text(record.caption) && number(record.alignment) && colour(record.backColor) &&
              number(record.backStyle) && number(record.borderStyle) &&
              text(record.fontObjectName) && number(record.fontBold) && number(record.fontItalic) &&
              text(record.fontName) && integer(record.fontSize) && number(record.fontStrikethru) &&
              number(record.fontUnderline) && colour(record.foreColor) && integer(record.left) &&
              integer(record.top) && integer(record.width) && integer(record.height) &&
              integer(record.visible);
    if (ok && faceText) {
        const std::optional<qint64> index = in.integer(0, std::numeric_limits<std::int16_t>::max());
        ok = index && integer(record.autoSize);
        if (ok)
            record.index = std::int16_t(*index);
    }
    if (!ok)
        return std::nullopt;
    return record;
}

std::optional<Picture> restoredPicture(const QString& path, Prompter& prompter)
{
    if (path == JewelCaseDocument::noPicture)
        return std::nullopt;
    if (!FileExists(path)) {
        prompter.inform(QStringLiteral("Le fichier image ") + path +
                            QStringLiteral(" est introuvable !"),
                        QStringLiteral("Erreur"), Prompter::Icon::Exclamation);
        return std::nullopt;
    }
    std::optional<Picture> picture = PictureFile::load(path);
    if (!picture)
        prompter.inform(QStringLiteral("Le fichier image ") + path +
                            QStringLiteral(" ne peut pas être lu !"),
                        QStringLiteral("Erreur"), Prompter::Icon::Exclamation);
    return picture;
}

// Everything after the emptying of the cover; false at the first field that is missing or
// wrong.
bool readCover(JewelCaseDocument& document, FieldReader& in, Prompter& prompter,
               ImageOptionsChoices& choices)
{
    constexpr qint64 int32Min = std::numeric_limits<std::int32_t>::min();
    constexpr qint64 int32Max = std::numeric_limits<std::int32_t>::max();
    constexpr qint64 int16Min = std::numeric_limits<std::int16_t>::min();
    constexpr qint64 int16Max = std::numeric_limits<std::int16_t>::max();

    for (Face& face : document.faces) {
        const std::optional<qint64> colour =
            in.integer(int32Min, std::numeric_limits<std::uint32_t>::max());
        if (!colour)
            return false;
        face.color = OleColor(std::uint32_t(*colour));
    }
    for (QString* path : {&document.rectoImagePath, &document.versoImagePath,
                          &document.dosImagePath, &document.logoImagePath}) {
        const std::optional<QString> value = in.line();
        if (!value)
            return false;
        *path = value->isEmpty() ? JewelCaseDocument::noPicture : *value;
    }
    std::array<qint64, 10> lists{};
    for (qint64& value : lists) {
        const std::optional<qint64> read = in.integer(int16Min, int16Max);
        if (!read)
            return false;
        value = *read;
    }
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

    for (int face : listOrder) {
        if (const std::optional<Picture> picture =
                restoredPicture(document.picturePath(face), prompter)) {
            const int mode = choices.backgroundFitMode[std::size_t(face)];
            PlaceBackground(document, face, document.faces[std::size_t(face)].color,
                            mode == 1 ? BackgroundFitMode::CentredProportional
                                      : BackgroundFitMode::WholeFace,
                            *picture);
        }
    }
    if (const std::optional<Picture> logo = restoredPicture(document.logoImagePath, prompter)) {
        for (int face = 0; face < Face::count; ++face) {
            const int mode = std::clamp(choices.logoDisplayMode[std::size_t(face)], 0, 7);
            PlaceLogo(document, face, LogoDisplayMode(mode),
                      choices.logoBorderStyle[std::size_t(face)] != 0, *logo);
            const std::size_t at = 12 + 4 * std::size_t(face);
            document.faces[std::size_t(face)].logo.rect =
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
        for (qint64 n = 0; n < counts[i]; ++n) {
            const std::optional<ElementRecord> record = readRecord(in, true);
            if (!record || !Ouverturetexte(document, frame, *record))
                return false;
        }
    }
    const std::optional<ElementRecord> vertical = readRecord(in, false);
    if (!vertical)
        return false;
    Ouverturetexte(document, ActiveFrame::VerticalText, *vertical);
    return true;
}

} // namespace

QString dialogFilter()
{
    return QStringLiteral("Fichier jaquette JKCD (*.jkcd)");
}

bool SauveFichier(JewelCaseDocument& document, const QString& path, Prompter& prompter)
{
    bool quotesReplaced = false;
    const QByteArray bytes = coverText(document, quotesReplaced);
    // The old file is replaced only by a complete new one. Unbuffered, a short write (a full
    // disk, a size limit) shows in the count written instead of vanishing in a later flush.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        file.write(bytes) != bytes.size() || !file.commit()) {
        prompter.inform(QStringLiteral("Erreur lors de la sauvegarde du fichier !"),
                        QStringLiteral("Erreur"), Prompter::Icon::Exclamation);
        return false;
    }
    if (quotesReplaced)
        prompter.inform(QStringLiteral("Les guillemets droits (\") des textes ont été "
                                       "enregistrés comme ” : un fichier jaquette ne peut pas "
                                       "les contenir."),
                        QStringLiteral("Enregistrer"), Prompter::Icon::Information);
    document.documentModified = false;
    return true;
}

bool OuvrirFichier(JewelCaseDocument& document, const QString& path, Prompter& prompter,
                   ImageOptionsChoices& choices)
{
    document.reset();
    document.currentFileName = path;
    document.loadingDocument = true;
    choices = ImageOptionsChoices();

    bool read = false;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        FieldReader in(TextEncoding::decode(file.readAll()));
        file.close();
        read = readCover(document, in, prompter, choices);
    }
    document.loadingDocument = false;
    document.documentModified = false;
    if (!read)
        prompter.inform(QStringLiteral("Erreur lors de l'ouverture du fichier !"),
                        QStringLiteral("Erreur"), Prompter::Icon::Exclamation);
    return read;
}

} // namespace CoverFile
