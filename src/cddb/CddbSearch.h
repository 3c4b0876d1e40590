// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CddbClient.h"
#include "CoverArtLookup.h"
#include "HttpTransfer.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <chrono>

// One search for the record of a disc, step after step as the answers come: the query, the
// user's choice when the server offers several matches, the record, then the cover picture.
// Nothing waits: each step starts from the previous one's answer, and between them the event
// loop runs on. The search has its own transfers, so destroying it ends it at once, whatever it
// waits for, and nothing of it is heard again: a new search, or the window's closing, is
// never answered by an old one.
class CddbSearch : public QObject {
    Q_OBJECT
public:
    struct Settings {
        QString serverUrl;
        QString userEmail;
        // The store's search address up to the album; empty: the store's own.
        QString coverArtSearch;
        std::chrono::milliseconds timeout = HttpTransfer::DefaultTimeout;
    };

    explicit CddbSearch(const Settings& settings, QObject* parent = nullptr);
    ~CddbSearch() override;

    // Sends the query; false, and nothing sent, for an empty one.
    bool start(const QString& query);
    // While `choiceNeeded` waits: the line chosen among those offered; the record is read.
    void choose(const QString& line);
    bool waitingForChoice() const { return waiting; }
    // Nothing more to do: the search has reported what it could.
    bool isFinished() const { return ended; }

Q_SIGNALS:
    void statusChanged(const QString& text);
    void busyChanged(bool busy);
    void queryAnswered(const CddbClient::QueryResult& result);
    // The server offers several matches: the search waits for `choose`.
    void choiceNeeded(const QStringList& lines);
    void recordRead(const CddbClient::ReadResult& result);
    void coverArtFound(const CoverArt& art);

private:
    void read(const QString& match);
    void findCoverArt(const CddbClient::ReadResult& result);
    void finish();

    CddbClient client;
    HttpTransfer artTransfer;
    QString coverArtSearch;
    bool waiting = false;
    bool ended = false;
};
