// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverArtLookup.h"

#include "TextEncoding.h"

#include <QList>
#include <QStringView>
#include <QUrl>
#include <iterator>

namespace {

static_assert(std::size(CoverArtStore::ProductCell) - 1 == 55);
static_assert(std::size(CoverArtStore::TitleStart) - 1 == 6);
static_assert(std::size(CoverArtStore::TitleEnd) - 1 == 8);

const QString ProductCell = QString::fromLatin1(CoverArtStore::ProductCell);
const QString SmallPicture = QLatin1String(CoverArtStore::SmallPicture) +
                             QLatin1String(CoverArtStore::PictureServer) +
                             QLatin1String(CoverArtStore::PicturePath);
const QString TitleLink =
    QLatin1String(CoverArtStore::TitleLink) + QLatin1String(CoverArtStore::ArticlePage);
const QString TitleStart = QString::fromLatin1(CoverArtStore::TitleStart);
constexpr qsizetype TitleEndLength = std::size(CoverArtStore::TitleEnd) - 1;

// The lines that end with CR LF, without it; a last line without one is left out.
QList<QStringView> pageLines(QStringView page)
{
    QList<QStringView> lines;
    qsizetype start = 0;
    for (qsizetype end = page.indexOf(u"\r\n"); end >= 0; end = page.indexOf(u"\r\n", start)) {
        lines += page.sliced(start, end - start);
        start = end + 2;
    }
    return lines;
}

bool beginsWith(QStringView line, const QString& marker)
{
    return line.startsWith(marker, Qt::CaseInsensitive);
}

// The title after the end of the link, without the line's last 8 characters (the closing
// tags); empty when those overlap the link's end. Nothing when the link's end is missing.
std::optional<QString> productTitle(QStringView titleLine)
{
    const qsizetype link = titleLine.indexOf(TitleStart, TitleLink.size(), Qt::CaseInsensitive);
    if (link < 0)
        return std::nullopt;
    const qsizetype start = link + TitleStart.size();
    const qsizetype end = titleLine.size() - TitleEndLength;
    return start < end ? titleLine.sliced(start, end - start).toString() : QString();
}

// The title's words as the album keywords hold them: only the small-letter fillers go, so a
// capitalised article stays.
QString titleWords(const QString& title)
{
    QString words = u' ' + title + u' ';
    for (const char* filler : {" the ", " to ", " and ", " et ", " le ", " la "})
        words.replace(QLatin1String(filler), QLatin1String(" "));
    return words.trimmed();
}

// Either text contains the other; an empty one is contained in anything.
bool titleMatches(const QString& title, const QString& albumKeywords)
{
    const QString words = titleWords(title).toLower();
    const QString album = albumKeywords.toLower();
    return album.contains(words) || words.contains(album);
}

// The text between the line's first and second double quotes; to the line's end when the
// second is missing.
QString quotedAddress(QStringView pictureLine)
{
    const qsizetype open = pictureLine.indexOf(u'"');
    if (open < 0)
        return QString();
    const qsizetype close = pictureLine.indexOf(u'"', open + 1);
    return pictureLine.sliced(open + 1, (close < 0 ? pictureLine.size() : close) - open - 1)
        .toString();
}

// Keywords for the address: spaces become "+"; what the address would otherwise read as its
// own syntax ("&", "#", "%", "+" ...) and letters beyond ASCII are percent-encoded.
QString addressKeywords(const QString& keywords)
{
    const QByteArray bytes = TextEncoding::encode(keywords.toLower()).toPercentEncoding(" ");
    return QString::fromLatin1(bytes).replace(u' ', u'+');
}

// The picture at `address` with its file, null when it cannot be had or read.
void downloadPicture(HttpTransfer& transfer, const QString& address,
                     std::function<void(const CoverArt&)> downloaded)
{
    transfer.OpenURL(QUrl(address),
                     [downloaded = std::move(downloaded)](const HttpTransfer::Result& result) {
                         CoverArt art{true, {}, {}};
                         if (result)
                             art.picture = QImage::fromData(result.data);
                         if (!art.picture.isNull())
                             art.file = result.data;
                         downloaded(art);
                     });
}

} // namespace

QString CoverArtSearchAddress(const QString& artistKeywords, const QString& albumKeywords,
                              const QString& searchPrefix)
{
    return searchPrefix + addressKeywords(albumKeywords) +
           QLatin1String("&exactTitle=false&track=&exactTrack=false&author=") +
           addressKeywords(artistKeywords) +
           QLatin1String("&collection=&label=&format=&startMonth=-1&startYear=-1&endMonth=-1"
                         "&endYear=-1&x=36&y=24");
}

std::optional<QString> CoverArtPictureAddress(const QString& page, const QString& albumKeywords)
{
    const QList<QStringView> lines = pageLines(page);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!beginsWith(lines[i], ProductCell))
            continue;
        // The picture is two lines below the cell; a cell too near the page's end has none.
        i += 2;
        if (i >= lines.size())
            break;
        if (!beginsWith(lines[i], SmallPicture))
            continue;
        const QStringView pictureLine = lines[i];
        do {
            ++i;
        } while (i < lines.size() && !beginsWith(lines[i], TitleLink));
        if (i >= lines.size())
            break; // no title link ahead: nothing further can match
        const std::optional<QString> title = productTitle(lines[i]);
        if (title && titleMatches(*title, albumKeywords))
            return quotedAddress(pictureLine);
    }
    return std::nullopt;
}

QString LargePictureAddress(const QString& smallAddress)
{
    return smallAddress.toLower().replace(QLatin1String("petites"), QLatin1String("grandes"));
}

void CoverArtLookup(HttpTransfer& transfer, const QString& artistKeywords,
                    const QString& albumKeywords, const QString& searchPrefix, CoverArtFound found)
{
    const QUrl search(CoverArtSearchAddress(artistKeywords, albumKeywords, searchPrefix));
    transfer.OpenURL(search, [&transfer, albumKeywords,
                              found = std::move(found)](const HttpTransfer::Result& page) {
        // A page that failed is empty and matches nothing.
        const std::optional<QString> address =
            CoverArtPictureAddress(TextEncoding::fromWindows1252(page.data), albumKeywords);
        if (!address)
            return found(CoverArt{});
        downloadPicture(transfer, LargePictureAddress(*address),
                        [&transfer, small = *address, found](const CoverArt& large) {
                            if (!large.picture.isNull())
                                return found(large);
                            downloadPicture(transfer, small, found);
                        });
    });
}
