#pragma once

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QUrl>
#include <chrono>

class QNetworkReply;

// The program's HTTP transfer: a GET that returns the whole body, or why it failed. The call
// blocks its caller but runs a local event loop, so windows repaint meanwhile; it ends when
// the reply finishes, the time-out strikes or `abort` is called. The time-out is for the
// whole transfer: a server that keeps trickling data does not extend it.
class InetCtrl {
public:
    enum class Failure { None, Network, HttpError, TimedOut, TooLarge, Aborted };

    struct Result {
        QByteArray data; // empty unless the transfer succeeded
        Failure failure = Failure::None;
        explicit operator bool() const { return failure == Failure::None; }
    };

    static constexpr std::chrono::milliseconds DefaultTimeout{20000};
    // Pages and pictures; the CDDB answers ask for less.
    static constexpr qint64 DefaultMaxBytes = 20 * 1024 * 1024;

    explicit InetCtrl(std::chrono::milliseconds timeout = DefaultTimeout);
    ~InetCtrl();
    InetCtrl(const InetCtrl&) = delete;
    InetCtrl& operator=(const InetCtrl&) = delete;

    // Always fetched from the server, never from a cache. A body longer than `maxBytes` is not
    // read further and fails as `TooLarge`. A transfer still running (an event handler may
    // start a second one) is aborted first.
    Result OpenURL(const QUrl& url, qint64 maxBytes = DefaultMaxBytes);
    // Ends the running transfer, which then fails as `Aborted`; nothing when idle.
    void abort();
    bool StillExecuting() const { return running != nullptr; }
    std::chrono::milliseconds timeout() const { return transferTimeout; }

private:
    struct Transfer {
        QNetworkReply* reply = nullptr;
        Failure failure = Failure::None;
    };
    void stop(Transfer& transfer, Failure why);

    QNetworkAccessManager manager;
    std::chrono::milliseconds transferTimeout;
    Transfer* running = nullptr;
};
