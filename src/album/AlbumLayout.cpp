// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlbumLayout.h"

#include "CdLabelDocument.h"
#include "CoverLayout.h"
#include "JewelCaseDocument.h"
#include "PictureFile.h"
#include "PicturePlacement.h"
#include "TextMetrics.h"
#include "TrackListLayout.h"
#include "VerticalTextDrawing.h"

#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <optional>

namespace AlbumLayout {

namespace {

using PicturePlacement::BackgroundFitMode;

constexpr int mostTexts = CoverLayout::mostFilledTexts;
// Between a column's titles and its durations.
constexpr double durationGap = 120;
// The Recto's texts start this far below its top, one under the other.
constexpr double rectoTop = 360;
constexpr double headingGap = 60;
// A heading of the Recto or the label wraps on at most this many lines, at a smaller size
// if need be, but no smaller than this.
constexpr int headingLines = 3;
constexpr float smallestHeading = 12;
// The label's texts stand in this width, centred on the disc, this far above and below its hub.
constexpr double labelTextWidth = 4000;
constexpr double hubGap = 240;

const QString lineBreak = QStringLiteral("\r\n");

// A text over a picture gets a white ground, or it could not be read on a dark one.
void setGround(TextElement& element, bool overPicture)
{
    if (!overPicture)
        return;
    element.backStyle = BackStyle::Opaque;
    element.backColor = OleColors::white;
}

void setText(TextElement& element, const TextFont& font, const QString& caption, const QRectF& rect,
             Alignment alignment)
{
    element.setAutoSize(false);
    element.setFont(font);
    element.setCaption(caption);
    element.setRect(rect);
    element.alignment = alignment;
}

// A new text of a face, shown in front of the others; none past the most a face holds.
TextElement* newText(JewelCaseDocument& document, int face)
{
    Face& target = document.faces[std::size_t(face)];
    if (target.highestIndex() >= mostTexts)
        return nullptr;
    TextElement& element = target.loadText(target.highestIndex() + 1);
    element.visible = true;
    document.bringToFront(element);
    return &element;
}

std::optional<Picture> readPicture(const QString& path, Prompter& prompter)
{
    if (path.isEmpty())
        return std::nullopt;
    return PictureFile::loadOrTell(path, prompter);
}

void placeBackground(JewelCaseDocument& document, int face, const QString& path, Prompter& prompter)
{
    const std::optional<Picture> picture = readPicture(path, prompter);
    if (!picture)
        return;
    PicturePlacement::PlaceBackground(document, face, document.faces[std::size_t(face)].color,
                                      BackgroundFitMode::WholeFace, *picture);
    // Named, so that the saved cover opens with it; and as the image options would place it.
    document.picturePath(face) = QFileInfo(path).absoluteFilePath();
    document.imageChoices.backgroundFitMode[std::size_t(face)] = int(BackgroundFitMode::WholeFace);
}

// The size of a heading's text in `width`: its own, or wrapped at the width, made smaller
// while it takes more than `headingLines` lines.
QSizeF headingSize(TextFont& font, const QString& caption, double width)
{
    for (;;) {
        const QSizeF own = TextMetrics::captionSize(font, caption);
        if (own.width() <= width)
            return own;
        const double wrapped = TextMetrics::wrappedHeight(font, caption, width);
        if (wrapped <= headingLines * TextMetrics::lineHeight(font) + 1 ||
            font.size <= smallestHeading)
            return QSizeF(width, wrapped);
        font.size = std::max(smallestHeading, std::ceil(font.size) - 1);
    }
}

struct Heading {
    QString caption;
    float size;
    bool bold;
};

// The artist, the title, the year and genre, centred one under the other from `top`.
void fillRecto(JewelCaseDocument& document, const Album& album, bool overPicture)
{
    const QRectF frame = document.faces[Face::Recto].frame;
    const double right = CoverLayout::fittedRight(frame);
    const double bottom = CoverLayout::fittedBottom(frame);
    // As far in from the left as the right edge of a fitted text is from the right.
    const double left = frame.left() + (frame.right() - right);
    const double width = std::floor(right - left);
    QStringList facts;
    for (const QString& fact : {album.year.trimmed(), album.genre.trimmed()})
        if (!fact.isEmpty())
            facts << fact;
    const Heading headings[] = {{album.artist.trimmed(), 18, false},
                                {album.title.trimmed(), 24, true},
                                {facts.join(QStringLiteral(" · ")), 12, false}};
    double top = frame.top() + rectoTop;
    for (const Heading& heading : headings) {
        if (heading.caption.isEmpty())
            continue;
        TextFont font = document.faces[Face::Recto].texts.at(0).font();
        font.size = heading.size;
        font.bold = heading.bold;
        const QSizeF size = headingSize(font, heading.caption, width);
        const double height = std::min(std::ceil(size.height()), std::floor(bottom - top));
        if (height < TextMetrics::lineHeight(font))
            break;
        TextElement* element = newText(document, Face::Recto);
        if (!element)
            break;
        const double textWidth = std::ceil(size.width());
        setText(*element, font, heading.caption,
                QRectF(std::floor(left + (width - textWidth) / 2), top, textWidth, height),
                Alignment::Centre);
        setGround(*element, overPicture);
        top += height + headingGap;
    }
}

// How wide the widest title and the widest duration of a list are in `font`, in whole twips.
struct ListWidths {
    double title = 0;
    double duration = 0;

    // A column's room for its durations and the gap before them; none without durations.
    double durationRoom() const { return duration > 0 ? duration + durationGap : 0; }
};

ListWidths widthsOf(const std::vector<ListLine>& lines, const TextFont& font)
{
    const QFont measured = TextMetrics::twipFont(font);
    ListWidths widths;
    for (const ListLine& line : lines) {
        widths.title = std::max(widths.title, TextMetrics::lineWidth(measured, line.title));
        widths.duration =
            std::max(widths.duration, TextMetrics::lineWidth(measured, line.duration));
    }
    return {std::ceil(widths.title), std::ceil(widths.duration)};
}

// The list in columns: each column a text of titles and, right of it, a text of durations
// aligned right, line for line. The columns are as wide as their lines need, within their
// share, and the whole stands centred in the room the plan took.
void fillList(JewelCaseDocument& document, int face, const std::vector<ListLine>& lines)
{
    if (lines.empty())
        return;
    TextFont font = document.faces[std::size_t(face)].texts.at(0).font();
    std::vector<bool> headings;
    for (const ListLine& line : lines)
        headings.push_back(line.heading);
    const ListWidths own = widthsOf(lines, font);
    const TrackListLayout::Plan plan =
        TrackListLayout::planOnFace(document.faces[std::size_t(face)], int(lines.size()), font,
                                    headings, own.title + own.durationRoom());
    font.size = plan.size;

    const ListWidths widths = widthsOf(lines, font);
    const double durationWidth = widths.duration;
    const double durationRoom = widths.durationRoom();
    const double share = plan.columns.front().rect.width();
    const double columnWidth = std::floor(std::min(share, widths.title + durationRoom));
    const double columns = double(plan.columns.size());
    const double blockWidth = columns * columnWidth + (columns - 1) * TrackListLayout::columnGap;
    int tallest = 0;
    for (const TrackListLayout::Column& column : plan.columns)
        tallest = std::max(tallest, column.count);
    const double blockHeight = tallest * plan.lineHeight;
    double left = std::floor(plan.area.left() + (plan.area.width() - blockWidth) / 2);
    const double top = plan.fits
                           ? std::floor(plan.area.top() + (plan.area.height() - blockHeight) / 2)
                           : plan.area.top();

    for (const TrackListLayout::Column& column : plan.columns) {
        QStringList titles;
        QStringList durations;
        for (int i = column.first; i < column.first + column.count; ++i) {
            titles << lines[std::size_t(i)].title;
            durations << lines[std::size_t(i)].duration;
        }
        // Lines the face cannot show are cut at its foot: the text still ends inside it.
        const double height =
            std::min(column.count * plan.lineHeight, std::floor(plan.area.bottom() - top));
        if (TextElement* text = newText(document, face))
            setText(*text, font, titles.join(lineBreak),
                    QRectF(left, top, columnWidth - durationRoom, height), Alignment::Left);
        if (durationWidth > 0) {
            if (TextElement* text = newText(document, face))
                setText(*text, font, durations.join(lineBreak),
                        QRectF(left + columnWidth - durationWidth, top, durationWidth, height),
                        Alignment::Right);
        }
        left += columnWidth + TrackListLayout::columnGap;
    }
}

// A text of the label, centred on the disc; `above` puts its foot `hubGap` over the hub,
// otherwise its top stands that far below it.
void addLabelText(CdLabelDocument& label, const QString& caption, float size, bool bold, bool above,
                  bool overPicture)
{
    if (caption.isEmpty())
        return;
    TextFont font = label.templateText().font();
    font.size = size;
    font.bold = bold;
    const QSizeF measured = headingSize(font, caption, labelTextWidth);
    const double width = std::ceil(measured.width());
    const double height = std::ceil(measured.height());
    const QRectF hub = CdLabelDocument::hubCircle;
    const double top =
        above ? std::max(CdLabelDocument::discOutline.top() + hubGap, hub.top() - hubGap - height)
              : hub.bottom() + hubGap;
    const double centre = CdLabelDocument::discOutline.center().x();
    TextElement& element = label.insertText();
    setText(element, font, caption, QRectF(std::floor(centre - width / 2), top, width, height),
            Alignment::Centre);
    setGround(element, overPicture);
}

} // namespace

QString duration(int seconds)
{
    if (seconds <= 0)
        return {};
    const int hours = seconds / 3600;
    const int minutes = seconds / 60 % 60;
    const QString rest = QStringLiteral("%1").arg(seconds % 60, 2, 10, QLatin1Char('0'));
    if (hours == 0)
        return QStringLiteral("%1:%2").arg(minutes).arg(rest);
    return QStringLiteral("%1:%2:%3").arg(hours).arg(minutes, 2, 10, QLatin1Char('0')).arg(rest);
}

std::vector<ListLine> listLines(const Album& album)
{
    std::vector<ListLine> lines;
    const bool severalDiscs =
        std::count_if(album.discs.begin(), album.discs.end(),
                      [](const Album::Disc& disc) { return !disc.tracks.empty(); }) > 1;
    int discNumber = 0;
    for (const Album::Disc& disc : album.discs) {
        ++discNumber;
        if (disc.tracks.empty())
            continue;
        if (severalDiscs) {
            const QString title = disc.title.trimmed();
            lines.push_back({QStringLiteral("Disque %1").arg(discNumber) +
                                 (title.isEmpty() ? QString() : QStringLiteral(" : ") + title),
                             {},
                             true});
        }
        int number = 0;
        for (const Album::Track& track : disc.tracks) {
            // One line each: a title's own line breaks would shift its duration.
            const QString title = track.title.simplified();
            lines.push_back(
                {QStringLiteral("%1. %2").arg(++number).arg(title), duration(track.seconds)});
        }
    }
    return lines;
}

void fillCover(JewelCaseDocument& document, const Album& album, Prompter& prompter)
{
    placeBackground(document, Face::Recto, album.frontPicture, prompter);
    placeBackground(document, Face::Dos, album.backPicture, prompter);
    const QString spine = album.name(QStringLiteral(" — "));
    if (!spine.isEmpty())
        DrawRotatedText(document, spine);
    fillRecto(document, album, document.faces[Face::Recto].background.visible);
    const std::vector<ListLine> lines = listLines(album);
    for (const int face : {int(Face::Verso), int(Face::Dos)})
        fillList(document, face, lines);
}

void fillLabel(CdLabelDocument& label, const Album& album, Prompter& prompter)
{
    if (const std::optional<Picture> picture = readPicture(album.frontPicture, prompter))
        label.setPicture(QFileInfo(album.frontPicture).absoluteFilePath(), *picture,
                         CdLabelDocument::discOutline);
    const bool overPicture = label.picture.visible;
    addLabelText(label, album.title.trimmed(), 16, true, true, overPicture);
    addLabelText(label, album.artist.trimmed(), 12, false, false, overPicture);
}

} // namespace AlbumLayout
