// SPDX-License-Identifier: GPL-3.0-or-later
#include "CatalogueImport.h"

#include "AlignmentCommands.h"
#include "CoverContext.h"
#include "CoverLayout.h"
#include "FitTextInFace.h"
#include "JewelCaseDocument.h"
#include "PictureFile.h"
#include "PicturePlacement.h"
#include "PrivateProfile.h"
#include "SharedProcedures.h"
#include "TextElementCommands.h"
#include "TextMetrics.h"
#include "TrackListLayout.h"
#include "VerticalSpread.h"
#include "VerticalTextDrawing.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>
#include <limits>
#include <vector>

namespace CatalogueImport {

namespace {

// A record asks for one text per track or synopsis line; a larger count is no record of ours
// and would only fill the memory with texts no face can show.
constexpr int largestCount = CoverLayout::mostFilledTexts;

// Imported texts start this far right of their face's left edge: tracks and sub-records
// further in than the synopsis and the remarks, which also stand this far below the top.
constexpr float listIndent = 120;
constexpr float noteIndent = 20;

// Ends every synopsis line, before its CR LF: "ø", character 248 of Windows-1252.
constexpr QChar synopsisLineEnd(0x00F8);

// The number a value starts with, as the record's numbers are read: "2abc" is 2, "x" is 0.
int leadingNumber(const QString& text)
{
    const QString value = text.trimmed();
    qsizetype position = 0;
    const bool negative = value.startsWith(QLatin1Char('-'));
    if (negative || value.startsWith(QLatin1Char('+')))
        ++position;
    qint64 number = 0;
    for (; position < value.size(); ++position) {
        const char16_t digit = value[position].unicode();
        if (digit < u'0' || digit > u'9')
            break;
        number = std::min<qint64>(number * 10 + (digit - u'0'), std::numeric_limits<int>::max());
    }
    return int(negative ? -number : number);
}

// The keys of one record file, read once: a record of a thousand tracks asks four thousand
// questions.
struct Record {
    PrivateProfile profile;

    QString get(const char* section, const QString& key, const QString& fallback = {}) const
    {
        return profile.value(QLatin1String(section), key).value_or(fallback);
    }
    QString get(const char* section, const char* key, const QString& fallback = {}) const
    {
        return get(section, QLatin1String(key), fallback);
    }
    int number(const char* section, const char* key) const
    {
        return leadingNumber(get(section, key, QStringLiteral("0")));
    }
};

// How many texts a record of `kind` puts on the Verso or the Dos.
int textCount(const Record& record, int kind, bool onDos)
{
    if (kind == 2) {
        if (onDos)
            return 2;
        return record.number("RecordData", "SynopsisLines") > 0 ? 1 : 0;
    }
    if (kind == 1 || (kind == 3 && onDos))
        return std::min(record.number("RecordData", "NrSubRecords"), largestCount);
    if (kind == 3)
        return record.get("RecordData", "Remarks").isEmpty() ? 0 : 1;
    return 0;
}

// The caption of text `i` (from 1) that a record of `kind` puts on the Verso or the Dos.
QString textCaption(const Record& record, int kind, bool onDos, int i)
{
    if (kind == 2 && !onDos) {
        QString synopsis;
        const int lines = std::min(record.number("RecordData", "SynopsisLines"), largestCount);
        for (int line = 1; line <= lines; ++line) {
            synopsis += record.get("RecordData", QStringLiteral("Synopsis%1").arg(line)) +
                        synopsisLineEnd + QStringLiteral("\r\n");
        }
        return synopsis;
    }
    if (kind == 2) {
        if (i == 1)
            return QStringLiteral("Rated ") +
                   record.get("RecordData", "Rating", QStringLiteral("Unknown"));
        const QString length = record.get("RecordData", "Length");
        return length.isEmpty() ? QString() : QStringLiteral("Length: ") + length;
    }
    if (kind == 3 && !onDos)
        return record.get("RecordData", "Remarks");
    if (kind == 3)
        return record.get("SubRec", QStringLiteral("Track%1").arg(i));
    const QString title = record.get("SubRec", QStringLiteral("Track%1").arg(i),
                                     QStringLiteral("Track %1").arg(i, 2, 10, QLatin1Char('0')));
    const QString length =
        record.get("SubRec", QStringLiteral("Length%1").arg(i), QStringLiteral("0:00"));
    return QString::number(i) + QStringLiteral(".  ") + title + QStringLiteral("  (") + length +
           QLatin1Char(')');
}

// An imported text is as large as its caption, as a new text is as large as "Texte": in the
// new text's box a caption would show its first word only. An empty caption keeps that box,
// so that the text can still be clicked and edited.
void setImportedCaption(TextElement& element, const QString& caption)
{
    element.setCaption(caption);
    if (caption.isEmpty())
        return;
    element.setAutoSize(true);
    element.setAutoSize(false);
}

// The tops of the imported texts, in their order: equal gaps share what the face leaves below
// `usedHeight` (the texts' heights, and the logo's bottom when it counts), the first one gap
// below `firstTop`. Texts that would then leave the face are spread from the top margin so the
// last ends where a fitted text ends, overlapping evenly; they are lines of one font, as high
// as each other, so none ends lower.
std::vector<double> spreadTops(const std::vector<double>& heights, double usedHeight,
                               double firstTop, const QRectF& frame)
{
    const double count = double(heights.size());
    const double gap = (frame.height() - usedHeight) / (count + 2);
    double total = 0;
    for (const double height : heights)
        total += height;
    return spreadVertically(heights, {.top = firstTop + gap,
                                      .gap = gap,
                                      .within = frame,
                                      .crowdedTop = frame.top() + CoverLayout::insideMargin,
                                      .crowdedBottom = fittedBottom(frame),
                                      .total = total});
}

// Whether texts at these tops would stand over one another.
bool overlapping(const std::vector<double>& tops, const std::vector<double>& heights)
{
    for (std::size_t i = 1; i < tops.size(); ++i) {
        if (tops[i] < tops[i - 1] + heights[i - 1])
            return true;
    }
    return false;
}

// Tracks that the record's own spreading would lay over one another are laid out as a track
// list instead (TrackListLayout): smaller, then in columns, beside a logo the face shows; each
// column's texts spread from its top down to where a fitted text ends, evenly. A caption wider
// than its column ends with "…" on the face and stays whole in the text. Only more lines than
// three columns show at the smallest size still overlap, evenly, within their column.
void layOutCrowdedList(CoverContext& context, int face, const std::vector<TextElement*>& texts)
{
    JewelCaseDocument& document = context.document;
    TextFont font = texts.front()->font();
    double widest = 0;
    for (const TextElement* text : texts)
        widest = std::max(widest, TextMetrics::captionSize(font, text->caption()).width());
    const TrackListLayout::Plan plan = TrackListLayout::planOnFace(
        document.faces[std::size_t(face)], int(texts.size()), font, {}, widest);
    font.size = plan.size;
    for (const TrackListLayout::Column& column : plan.columns) {
        const QRectF room = column.rect;
        for (int row = 0; row < column.count; ++row) {
            TextElement& text = *texts[std::size_t(column.first + row)];
            // An empty caption keeps the box it was given, to be clicked and edited.
            const float emptyWidth = text.caption().isEmpty() ? text.width : 0;
            text.setAutoSize(true);
            text.setFont(font);
            text.setAutoSize(false);
            text.width = std::min(std::max(text.width, emptyWidth), float(room.width()));
            text.left = float(room.left());
            const double step =
                column.count > 1 ? (room.height() - text.height) / (column.count - 1) : 0;
            text.top = float(room.top() + row * step);
            fitTextInFace(document, context.selection, text, face);
        }
    }
}

// The texts move to the face's alignment bar when it stands in the face, as AlignToBar wants
// it; otherwise (the Recto sheet's bar stands on the Recto at start-up) they keep their place
// and nothing is said: the user asked for no alignment. Either way they are fitted to the face.
void alignOnBar(CoverContext& context, int face, const std::vector<TextElement*>& texts)
{
    const QRectF frame = context.document.faces[std::size_t(face)].frame;
    const double barRight = context.screen.overlays[Face::sheetOf(face)].bar.right();
    const bool inZone = barInFace(barRight, frame);
    for (TextElement* text : texts) {
        if (inZone)
            text->left = float(barRight);
        fitTextInFace(context.document, context.selection, *text, face);
    }
}

// The record's picture becomes the cover's logo; returns where the logo ends on the Dos, or 0.
double importCoverPicture(JewelCaseDocument& document, int face, const QString& path)
{
    using PicturePlacement::LogoDisplayMode;
    if (!FileExists(path))
        return 0;
    const std::optional<Picture> picture = PictureFile::load(path);
    if (!picture)
        return 0;
    // Named, so that the saved cover opens with it; and the image options show it as placed,
    // so that closing them keeps it where it is.
    document.logoImagePath = QFileInfo(path).absoluteFilePath();
    ImageOptionsChoices& choices = document.imageChoices;
    choices.logoSource = ImageOptionsChoices::FromFile;
    if (face != Face::Dos) {
        PicturePlacement::PlaceLogo(document, Face::Recto, LogoDisplayMode::FittedToFace, false,
                                    *picture);
        choices.logoDisplayMode[Face::Recto] = int(LogoDisplayMode::FittedToFace);
        return 0;
    }
    document.faces[Face::Verso].logo.setPicture(*picture);
    PicturePlacement::PlaceLogo(document, Face::Dos, LogoDisplayMode::Free, false, *picture);
    choices.logoDisplayMode[Face::Dos] = int(LogoDisplayMode::Free);
    return document.dos().logo.rect.bottom();
}

} // namespace

QString startUpRecordFile()
{
    return WithTrailingBackslash(QCoreApplication::applicationDirPath()) +
           QStringLiteral("Passed.cfg");
}

QString newCoverRecordFile()
{
    return QStringLiteral("x~x.cfg");
}

std::optional<ViewState> ImportCatalogueRecord(CoverContext& context, int face,
                                               const QString& recordFile)
{
    if (face != Face::Verso && face != Face::Dos)
        return std::nullopt;
    JewelCaseDocument& document = context.document;
    const Record record{PrivateProfile::read(recordFile)};
    const bool onDos = face == Face::Dos;
    const int kind = record.number("Core", "MediaFlag");
    double usedHeight = importCoverPicture(document, face, record.get("Core", "CoverArt"));
    const int count = textCount(record, kind, onDos);

    if (onDos) {
        QString title = record.get("Core", "Title");
        if (title == QLatin1String("N/A"))
            title.clear();
        DrawRotatedText(document,
                        record.get("Core", "Artist", QStringLiteral("Votre texte")) + title);
    }

    // The synopsis and the remarks stand in the Verso's top-left corner; lists start further in.
    const bool note = !onDos && (kind == 2 || kind == 3);
    const QRectF frame = document.faces[std::size_t(face)].frame;
    TextElementCommands commands(context, {});
    std::vector<TextElement*> imported;
    for (int i = 1; i <= count; ++i) {
        TextElement* element = commands.InsertText(face, true);
        if (!element)
            return std::nullopt;
        imported.push_back(element);
        if (note) {
            element->left = float(frame.left()) + noteIndent;
            element->top = float(frame.top()) + noteIndent;
        } else if (kind != 2) {
            element->left = float(frame.left()) + listIndent;
        }
        setImportedCaption(*element, textCaption(record, kind, onDos, i));
        fitTextInFace(document, context.selection, *element, face);
        if (kind == 2 && !onDos)
            return std::nullopt; // the synopsis keeps its corner: neither spread nor aligned
        usedHeight += element->height;
    }
    if (imported.empty())
        return std::nullopt;

    const ImageSlot& logo = document.faces[std::size_t(face)].logo;
    const double firstTop = onDos && !logo.isEmpty() ? logo.rect.bottom() : 0;
    std::vector<double> heights;
    for (const TextElement* element : imported)
        heights.push_back(element->height);
    const std::vector<double> tops = spreadTops(heights, usedHeight, firstTop, frame);
    const bool list = kind == 1 || (kind == 3 && onDos);
    if (list && overlapping(tops, heights)) {
        layOutCrowdedList(context, face, imported);
        return FaceViews::ShowView(context, face);
    }
    for (std::size_t i = 0; i < imported.size(); ++i)
        imported[i]->top = float(tops[i]);

    std::optional<ViewState> view = FaceViews::ShowView(context, face);
    alignOnBar(context, face, imported);
    return view;
}

} // namespace CatalogueImport
