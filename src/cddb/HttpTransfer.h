// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QTimer>
#include <QUrl>
#include <chrono>
#include <functional>

class QNetworkReply;

// The program's HTTP transfer: a GET whose whole body, or why it failed, is handed to the
// caller once the transfer ends. Nothing waits for it: the caller returns to the event loop and
// is called back when the reply finishes, the time-out strikes or the body grows past its
// bound. The time-out is for the whole transfer: a server that keeps trickling data does not
// extend it. One transfer at a time: starting another, `abort` or the destruction ends the
// running one without a word, so a caller that has moved on never hears of it again.
class HttpTransfer {
public:
    enum class Failure { None, Network, CutShort, HttpError, TimedOut, TooLarge };

    struct Result {
        QByteArray data; // empty unless the transfer succeeded
        Failure failure = Failure::None;
        int httpStatus = 0;    // the server's status code, when it answered
        QByteArray retryAfter; // its Retry-After header, when it sent one
        explicit operator bool() const { return failure == Failure::None; }
    };
    using Finished = std::function<void(const Result&)>;

    static constexpr std::chrono::milliseconds DefaultTimeout{20000};
    // Pages and pictures; the CDDB answers ask for less.
    static constexpr qint64 DefaultMaxBytes = 20 * 1024 * 1024;

    explicit HttpTransfer(std::chrono::milliseconds timeout = DefaultTimeout);
    ~HttpTransfer();
    HttpTransfer(const HttpTransfer&) = delete;
    HttpTransfer& operator=(const HttpTransfer&) = delete;

    // Starts the transfer; `finished` is called once, from the event loop, when it ends. Always
    // fetched from the server, never from a cache. A body longer than `maxBytes` is not read
    // further and fails as `TooLarge`. `finished` may start the next transfer.
    void OpenURL(const QUrl& url, qint64 maxBytes, Finished finished);
    void OpenURL(const QUrl& url, Finished finished)
    {
        OpenURL(url, DefaultMaxBytes, std::move(finished));
    }
    // Sent with every request from now on; empty: Qt's own.
    void setUserAgent(const QByteArray& agent) { userAgent = agent; }
    // Ends the running transfer; its caller is not called. Nothing when idle.
    void abort();
    bool StillExecuting() const { return reply != nullptr; }

private:
    void readAvailable();
    void replyFinished();
    // Lets go of the reply, which is aborted if it still runs.
    void release();
    void end(Failure failure);

    QNetworkAccessManager manager;
    QTimer deadline;
    std::chrono::milliseconds transferTimeout;
    QNetworkReply* reply = nullptr;
    QByteArray data;
    QByteArray userAgent;
    int httpStatus = 0;
    QByteArray retryAfter;
    qint64 maxBytes = 0;
    Finished finished;
};
