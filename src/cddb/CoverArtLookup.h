// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "HttpTransfer.h"

#include <QImage>
#include <QString>
#include <functional>
#include <optional>

// The album's cover picture, asked of an online music store once a record has been read: the
// store's audio search is asked for the album and artist keywords, and the picture of the first
// product whose title matches the album is fetched, its large variant first.

// What the lookup window's picture box shows after a record was read.
struct CoverArt {
    bool matched = false; // false: the window shows its placeholder picture
    QImage picture;       // when matched: the product's picture, null when neither variant could
                          // be had (the box is cleared)
    QByteArray file;      // the picture's file as the store sent it, kept as a file for a cover
};

// The store and the HTML its search result page is read by.
namespace CoverArtStore {

// The audio search address up to the album keywords; the session and affiliate values are ours.
inline constexpr char SearchPrefix[] = "http://www.disquaire-en-ligne.example/advanced/audio.do?"
                                       "TTL=310320021830&SID=0&Origin=JASKELCD&UID=JKCD00001"
                                       "&title=";
inline constexpr char PictureServer[] = "http://images.disquaire-en-ligne.example";
inline constexpr char ArticlePage[] = "http://www.disquaire-en-ligne.example/Shelf/article.asp?";

// A result page lists each product as a table cell whose picture is two lines below the cell's
// first line and whose title link follows. Each is matched at the start of a line, in any case.
inline constexpr char ProductCell[] = R"(<td WIDTH=70 VALIGN=TOP BGCOLOR="#FFFFFF" ALIGN=CENTER>)";
inline constexpr char SmallPicture[] = R"(<IMG SRC=")";
inline constexpr char PicturePath[] = "/multimedia/images_produits/petites/";
inline constexpr char TitleLink[] = R"(<b><a HREF=")";
// Inside the title line: the title follows the end of the link and the line ends after it.
inline constexpr char TitleStart[] = R"(Fr=4">)";
inline constexpr char TitleEnd[] = "</a></b>";

} // namespace CoverArtStore

// The search address for the keywords: spaces become "+", in lower case; other characters
// that would break the address are percent-encoded in the pages' code page.
QString CoverArtSearchAddress(
    const QString& artistKeywords, const QString& albumKeywords,
    const QString& searchPrefix = QString::fromLatin1(CoverArtStore::SearchPrefix));

// Reads a result page: the address of the small picture of the first product whose title
// matches the album keywords, or nothing. Only lines that end with CR LF are read.
std::optional<QString> CoverArtPictureAddress(const QString& page, const QString& albumKeywords);

// The large variant of a picture address: in lower case, "petites" replaced by "grandes".
QString LargePictureAddress(const QString& smallAddress);

using CoverArtFound = std::function<void(const CoverArt&)>;

// The whole lookup, step after step as the answers come: the result page, then the large
// picture, or the small one when the large one cannot be had or read; `found` is called at the
// end. Nothing is reported; a failed page is a page without a match. Aborting `transfer` ends
// the lookup and `found` is never called.
void CoverArtLookup(HttpTransfer& transfer, const QString& artistKeywords,
                    const QString& albumKeywords, const QString& searchPrefix, CoverArtFound found);
