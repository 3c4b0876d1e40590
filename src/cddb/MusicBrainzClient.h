// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "HttpTransfer.h"

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <chrono>
#include <functional>

// The program's side of the MusicBrainz web service and of the Cover Art Archive, under the
// service's rules: every request names the program, its version and a contact address; the
// service's requests keep to one a second (`RequestPace::musicBrainz`); a 503 answer is asked
// again once, after the pause the service asks for, and then reported. One request at a time:
// starting another, `abort` or the destruction ends the one running or waiting without a word.
class MusicBrainzClient {
public:
    static constexpr auto ContactAddress = "jaskelcd@jaskel.fr";
    // The longest pause asked for by a 503 that is waited for; a longer one is reported.
    static constexpr std::chrono::seconds LongestRetryPause{60};

    struct Answer {
        QByteArray body;
        bool found = false; // false for a 404: nothing there, which is no failure
        QString failure;    // why there is no answer, in French; empty when there is one
    };
    using Answered = std::function<void(const Answer&)>;

    explicit MusicBrainzClient(std::chrono::milliseconds timeout = HttpTransfer::DefaultTimeout);
    ~MusicBrainzClient();
    MusicBrainzClient(const MusicBrainzClient&) = delete;
    MusicBrainzClient& operator=(const MusicBrainzClient&) = delete;

    // "JaskelCD/version ( contact )", as the service asks to be named.
    static QByteArray userAgent();

    // A request to the web service, sent when the pace allows; `answered` is called once.
    void askService(const QUrl& url, Answered answered);
    // A picture of the archive, following its redirect to the host that holds it; the archive
    // sets no pace.
    void fetchPicture(const QUrl& url, Answered answered);
    void abort();

private:
    void send(const QUrl& url, bool retried);
    void received(const QUrl& url, bool retried, const HttpTransfer::Result& result);
    void answer(const Answer& answer);

    HttpTransfer transfer;
    Answered answered;
};
