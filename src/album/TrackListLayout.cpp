// SPDX-License-Identifier: GPL-3.0-or-later
#include "TrackListLayout.h"

#include "CoverLayout.h"
#include "Face.h"
#include "TextEncoding.h"
#include "TextMetrics.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <optional>

namespace TrackListLayout {

namespace {

// The sizes tried, largest first: the font's own, then every whole size below it down to the
// smallest. Files keep whole points, so a list saved and opened again keeps its size.
std::vector<float> sizesFrom(float size)
{
    std::vector<float> sizes{size};
    for (float whole = std::ceil(size) - 1; whole >= smallestSize; --whole) {
        if (whole < size)
            sizes.push_back(whole);
    }
    return sizes;
}

double lineHeightAt(const TextFont& font, float size)
{
    TextFont sized = font;
    sized.size = size;
    return std::ceil(TextMetrics::lineHeight(sized));
}

// `lineCount` lines in `columnCount` columns of at most `capacity` lines, as even as they can
// be; with `headings`, a heading at a column's foot goes to the next column. Nothing when they
// do not all find room.
std::optional<std::vector<std::pair<int, int>>>
distribute(int lineCount, int columnCount, int capacity, const std::vector<bool>& headings)
{
    const int even = (lineCount + columnCount - 1) / columnCount;
    for (const bool keepHeadings : {true, false}) {
        std::vector<std::pair<int, int>> ranges;
        int first = 0;
        for (int column = 0; column < columnCount && first < lineCount; ++column) {
            const bool last = column == columnCount - 1;
            int count = last ? lineCount - first : std::min(even, lineCount - first);
            const int foot = first + count - 1;
            if (keepHeadings && !last && count > 1 && foot + 1 < lineCount &&
                std::size_t(foot) < headings.size() && headings[std::size_t(foot)])
                --count;
            ranges.emplace_back(first, count);
            first += count;
        }
        const bool roomy = std::all_of(ranges.begin(), ranges.end(),
                                       [capacity](const auto& r) { return r.second <= capacity; });
        if (first == lineCount && roomy)
            return ranges;
    }
    return std::nullopt;
}

double columnWidth(const QRectF& area, int columns)
{
    return (area.width() - (columns - 1) * columnGap) / columns;
}

Plan planOf(const QRectF& area, const TextFont& font, float size,
            const std::vector<std::pair<int, int>>& ranges, bool fits, double widestLine)
{
    const double width = columnWidth(area, int(ranges.size()));
    Plan result{area, size, lineHeightAt(font, size),
                {},   fits, widestLine * size / font.size <= width};
    double left = area.left();
    for (const auto& [first, lines] : ranges) {
        result.columns.push_back({QRectF(left, area.top(), width, area.height()), first, lines});
        left += width + columnGap;
    }
    return result;
}

// Fits first; then whole lines, fewer columns, a larger size, a larger area.
bool better(const Plan& a, const Plan& b)
{
    if (a.fits != b.fits)
        return a.fits;
    if (a.wholeLines != b.wholeLines)
        return a.wholeLines;
    if (a.columns.size() != b.columns.size())
        return a.columns.size() < b.columns.size();
    if (a.size != b.size)
        return a.size > b.size;
    return a.area.width() * a.area.height() > b.area.width() * b.area.height();
}

} // namespace

Plan plan(int lineCount, const TextFont& font, const QRectF& area,
          const std::vector<bool>& headings, double widestLine)
{
    if (lineCount <= 0)
        return planOf(area, font, font.size, {}, true, 0);
    const std::vector<float> sizes = sizesFrom(font.size);
    int columnLimit = std::min(mostColumns, lineCount);
    while (columnLimit > 1 && columnWidth(area, columnLimit) < narrowestColumn)
        --columnLimit;
    for (int columns = 1; columns <= columnLimit; ++columns) {
        for (const float size : sizes) {
            // Another column shows the list larger than the smallest sizes do.
            if (columns < columnLimit && size < readableSize && size < font.size)
                break;
            const int capacity = int(std::floor(area.height() / lineHeightAt(font, size)));
            if (const auto ranges = distribute(lineCount, columns, capacity, headings))
                return planOf(area, font, size, *ranges, true, widestLine);
        }
    }
    // No layout shows them all: the most columns the width allows, at the smallest size.
    const auto ranges = distribute(lineCount, columnLimit, lineCount, {});
    return planOf(area, font, sizes.back(), *ranges, false, widestLine);
}

QRectF listArea(const QRectF& frame)
{
    return QRectF(QPointF(frame.left() + listIndent, frame.top() + CoverLayout::insideMargin),
                  QPointF(CoverLayout::fittedRight(frame), CoverLayout::fittedBottom(frame)));
}

Plan planOnFace(const Face& face, int lineCount, const TextFont& font,
                const std::vector<bool>& headings, double widestLine)
{
    const QRectF area = listArea(face.frame);
    const ImageSlot& logo = face.logo;
    // A logo that covers its face is a picture behind the texts, as a background is.
    if (logo.isEmpty() || !logo.visible || logo.fittedToFace || !logo.rect.intersects(area))
        return plan(lineCount, font, area, headings, widestLine);
    const QRectF around = logo.rect;
    const double margin = CoverLayout::insideMargin;
    const QRectF candidates[] = {
        QRectF(QPointF(area.left(), area.top()), QPointF(area.right(), around.top() - margin)),
        QRectF(QPointF(area.left(), around.bottom() + margin), area.bottomRight()),
        QRectF(area.topLeft(), QPointF(around.left() - listIndent, area.bottom())),
        QRectF(QPointF(around.right() + listIndent, area.top()), area.bottomRight()),
    };
    std::optional<Plan> best;
    const double oneLine = lineHeightAt(font, std::min(font.size, smallestSize));
    for (const QRectF& room : candidates) {
        const QRectF inside = room.intersected(area);
        if (inside.height() < oneLine || inside.width() < narrowestColumn)
            continue;
        const Plan candidate = plan(lineCount, font, inside, headings, widestLine);
        if (!best || better(candidate, *best))
            best = candidate;
    }
    // A logo that leaves no room for a column: the list takes the whole face over it.
    return best ? *best : plan(lineCount, font, area, headings, widestLine);
}

bool isTrackList(const QString& caption)
{
    static const QRegularExpression numbered(QStringLiteral(R"(^\d{1,3}\s*([-.):]\s*|\s)\S)"));
    int lines = 0;
    int tracks = 0;
    for (const QString& line : TextEncoding::withLf(caption).split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty())
            continue;
        ++lines;
        if (numbered.match(trimmed).hasMatch())
            ++tracks;
    }
    return tracks >= 3 && 2 * tracks >= lines;
}

float fittingSize(const TextFont& font, const QString& caption, double height)
{
    const std::vector<float> sizes = sizesFrom(font.size);
    for (const float size : sizes) {
        TextFont sized = font;
        sized.size = size;
        if (TextMetrics::captionSize(sized, caption).height() <= height)
            return size;
    }
    return sizes.back();
}

} // namespace TrackListLayout
