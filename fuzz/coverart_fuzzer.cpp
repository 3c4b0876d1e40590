// SPDX-License-Identifier: GPL-3.0-or-later
// The online store's result page on any bytes: its first line is the album's title as a CDDB
// record gives it, the rest the page, read in the store's code page.
#include "CoverArtLookup.h"
#include "FuzzSupport.h"
#include "SearchKeywords.h"
#include "TextEncoding.h"

using namespace FuzzSupport;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype titleEnd = bytes.indexOf('\n');
    const QString album = QString::fromUtf8(titleEnd < 0 ? QByteArray() : bytes.left(titleEnd));
    const QString page = TextEncoding::fromWindows1252(bytes.mid(titleEnd + 1));

    const std::optional<QString> address = CoverArtPictureAddress(page, SearchKeywords(album));
    if (address)
        LargePictureAddress(*address);
    return 0;
}
