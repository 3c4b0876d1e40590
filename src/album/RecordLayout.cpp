// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordLayout.h"

#include "CatalogueRecord.h"
#include "CoverLayout.h"
#include "JewelCaseDocument.h"
#include "PictureFile.h"
#include "PicturePlacement.h"
#include "SharedProcedures.h"
#include "TextFitting.h"
#include "TextMetrics.h"
#include "TrackListLayout.h"
#include "VerticalSpread.h"
#include "VerticalTextDrawing.h"

#include <QFileInfo>
#include <algorithm>

namespace RecordLayout {

namespace {

constexpr int largestCount = CoverLayout::mostFilledTexts;
// A record gives no more sub-records than a face takes texts.
static_assert(CatalogueRecord::largestCount == largestCount);

// Imported texts start this far right of their face's left edge: tracks and sub-records
// further in than the synopsis and the remarks, which also stand this far below the top.
constexpr float listIndent = 120;
constexpr float noteIndent = 20;

// Ends every synopsis line, before its CR LF: "ø", character 248 of Windows-1252.
constexpr QChar synopsisLineEnd(0x00F8);

// How many texts a record of `kind` puts on the Verso or the Dos.
int textCount(const CatalogueRecord& record, int kind, bool onDos)
{
    if (kind == 2) {
        if (onDos)
            return 2;
        return record.number("RecordData", "SynopsisLines") > 0 ? 1 : 0;
    }
    if (kind == 1 || (kind == 3 && onDos))
        return record.subRecordCount();
    if (kind == 3)
        return record.get("RecordData", "Remarks").isEmpty() ? 0 : 1;
    return 0;
}

// The caption of text `i` (from 1) that a record of `kind` puts on the Verso or the Dos.
QString textCaption(const CatalogueRecord& record, int kind, bool onDos, int i)
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
    return QString::number(i) + QStringLiteral(".  ") + record.trackTitle(i) +
           QStringLiteral("  (") + record.trackLength(i) + QLatin1Char(')');
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
                                      .crowdedBottom = CoverLayout::fittedBottom(frame),
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
void layOutCrowdedList(JewelCaseDocument& document, int face,
                       const std::vector<TextElement*>& texts)
{
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
            FitTextInArea(text, document.faces[std::size_t(face)].frame);
        }
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

Imported importRecord(JewelCaseDocument& document, int face, const CatalogueRecord& record)
{
    if (face != Face::Verso && face != Face::Dos)
        return {};
    const bool onDos = face == Face::Dos;
    const int kind = record.kind();
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
    const bool note =
        !onDos && (kind == CatalogueRecord::FilmKind || kind == CatalogueRecord::CollectionKind);
    const QRectF frame = document.faces[std::size_t(face)].frame;
    Imported imported;
    for (int i = 1; i <= count; ++i) {
        TextElement& element = document.insertText(face);
        imported.texts.push_back(&element);
        if (note) {
            element.left = float(frame.left()) + noteIndent;
            element.top = float(frame.top()) + noteIndent;
        } else if (kind != CatalogueRecord::FilmKind) {
            element.left = float(frame.left()) + listIndent;
        }
        setImportedCaption(element, textCaption(record, kind, onDos, i));
        FitTextInArea(element, frame);
        if (kind == CatalogueRecord::FilmKind && !onDos) {
            imported.placement = Placement::Corner;
            return imported;
        }
        usedHeight += element.height;
    }
    if (imported.texts.empty())
        return imported;

    const ImageSlot& logo = document.faces[std::size_t(face)].logo;
    const double firstTop = onDos && !logo.isEmpty() ? logo.rect.bottom() : 0;
    std::vector<double> heights;
    for (const TextElement* element : imported.texts)
        heights.push_back(element->height);
    const std::vector<double> tops = spreadTops(heights, usedHeight, firstTop, frame);
    const bool list =
        kind == CatalogueRecord::AlbumKind || (kind == CatalogueRecord::CollectionKind && onDos);
    if (list && overlapping(tops, heights)) {
        layOutCrowdedList(document, face, imported.texts);
        imported.placement = Placement::Columns;
        return imported;
    }
    for (std::size_t i = 0; i < imported.texts.size(); ++i)
        imported.texts[i]->top = float(tops[i]);
    imported.placement = Placement::Spread;
    return imported;
}

void alignOnBar(JewelCaseDocument& document, int face, const std::vector<TextElement*>& texts,
                double barRight)
{
    const QRectF frame = document.faces[std::size_t(face)].frame;
    const bool inZone = CoverLayout::barInFace(barRight, frame);
    for (TextElement* text : texts) {
        if (inZone)
            text->left = float(barRight);
        FitTextInArea(*text, frame);
    }
}

} // namespace RecordLayout
