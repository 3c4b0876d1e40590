// SPDX-License-Identifier: GPL-3.0-or-later
// A CDDB server's answer on any bytes, read as the answer to each command: the query (the
// first of several matches chosen), the record read, with its saved list and cover-art
// search, and the server list.
#include "CddbClient.h"
#include "CoverArtLookup.h"
#include "FuzzSupport.h"
#include "GetField.h"
#include "TrackList.h"

using namespace FuzzSupport;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString query = QStringLiteral("cddb+query+6909aa09+9+150+18051+42248+57183+75952+"
                                         "89333+114384+142453+163641+2476");
    CddbClient::QueryResult match;
    CddbClient::readQueryAnswer(CddbClient::readAnswer(bytes, match), query, match);
    // The search cuts the match, or the first line offered, into the category and the disc id
    // it reads.
    const QString chosen =
        match.categories.isEmpty() ? match.match : CddbClient::matchOf(match.categories.front());
    GetField(chosen, 1, QStringLiteral("|"));
    GetField(chosen, 2, QStringLiteral("|"));

    CddbClient::ReadResult read;
    CddbClient::readRecordAnswer(CddbClient::readAnswer(bytes, read), read);
    if (read.complete) {
        require(read.rows.size() == read.record.highestTrackIndex + 1,
                "the grid lists the tracks up to the highest index read");
        require(read.rows.size() <= CddbRecord::HighestTrackIndex + 1,
                "the grid holds at most 99 tracks");
        TrackList::lines(read.record);
        TrackList::proposedName(read.record);
        CoverArtSearchAddress(read.artistKeywords, read.albumKeywords);
    }

    CddbClient::SitesResult sites;
    CddbClient::readSitesAnswer(CddbClient::readAnswer(bytes, sites), sites);
    return 0;
}
