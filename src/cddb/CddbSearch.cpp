// SPDX-License-Identifier: GPL-3.0-or-later
#include "CddbSearch.h"

#include "GetField.h"

CddbSearch::CddbSearch(const Settings& settings, QObject* parent)
    : QObject(parent), client(settings.timeout), artTransfer(settings.timeout),
      coverArtSearch(settings.coverArtSearch.isEmpty()
                         ? QString::fromLatin1(CoverArtStore::SearchPrefix)
                         : settings.coverArtSearch)
{
    client.setServerUrl(settings.serverUrl);
    client.setUserEmail(settings.userEmail);
    connect(&client, &CddbClient::statusChanged, this, &CddbSearch::statusChanged);
    connect(&client, &CddbClient::busyChanged, this, &CddbSearch::busyChanged);
}

// The transfers end with their owners, without calling back.
CddbSearch::~CddbSearch() = default;

bool CddbSearch::start(const QString& query)
{
    const bool sent = client.CddbQuery(query, [this](const CddbClient::QueryResult& result) {
        Q_EMIT queryAnswered(result);
        if (!result.categories.isEmpty() && result.match.isEmpty()) {
            waiting = true;
            Q_EMIT choiceNeeded(result.categories);
            return;
        }
        // A query without a usable match says why in the status bar; a read of the error
        // marker would only replace that with the server's answer to a record that is none.
        if (result.match.isEmpty() || result.match == CddbClient::ErrorMarker)
            return finish();
        read(result.match);
    });
    if (!sent)
        finish();
    return sent;
}

void CddbSearch::choose(const QString& line)
{
    if (!waiting)
        return;
    waiting = false;
    read(CddbClient::matchOf(line));
}

void CddbSearch::read(const QString& match)
{
    const QString separator = QStringLiteral("|");
    const bool sent = client.CddbRead(GetField(match, 1, separator), GetField(match, 2, separator),
                                      [this](const CddbClient::ReadResult& result) {
                                          Q_EMIT recordRead(result);
                                          if (result.complete)
                                              findCoverArt(result);
                                          else
                                              finish();
                                      });
    if (!sent)
        finish();
}

void CddbSearch::findCoverArt(const CddbClient::ReadResult& result)
{
    Q_EMIT busyChanged(true);
    CoverArtLookup(artTransfer, result.artistKeywords, result.albumKeywords, coverArtSearch,
                   [this](const CoverArt& art) {
                       Q_EMIT busyChanged(false);
                       Q_EMIT coverArtFound(art);
                       finish();
                   });
}

void CddbSearch::finish()
{
    ended = true;
}
