// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CddbRecord.h"
#include "GridRow.h"
#include "HttpTransfer.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// The CDDB protocol over HTTP as the lookup window uses it: the disc query, the record read
// and the server list. It touches no widget and waits for nothing: each command sends its
// request and returns; when the answer has come, it tells its caller what the window shows
// (the status bar text, the raw answer, the fields and the grid's rows). Meanwhile it tells
// what the status bar says and when the pointer is busy. A transfer that fails (no network,
// refused, cut short, time-out, an answer over 1 MB) yields only a status text.
class CddbClient : public QObject {
    Q_OBJECT
public:
    static constexpr auto DefaultServerUrl = "http://gnudb.gnudb.org/~cddb/cddb.cgi";
    // The hello's user part until the window sets an address.
    static constexpr auto DefaultUserEmail = "jaskelcd@localhost";
    static constexpr auto HostName = "localhost";
    static constexpr auto ClientName = "xmcd";
    static constexpr auto ClientVersion = "v1.0PL0";
    static constexpr int ProtocolLevel = 6;
    static constexpr qint64 MaxAnswerBytes = 1024 * 1024;
    // The status of a disc the server does not know.
    static inline const QString NotInDatabase =
        QStringLiteral("Ce CD n'existe pas dans la base de données.");
    // A query's match when the server gave none that can be read.
    static inline const QString ErrorMarker = QStringLiteral("Erreur|Erreur");

    // What every command shows: the status bar's text and the raw answer.
    struct Reply {
        QString status;
        QString rawAnswer;
        // The server refused the hello's e-mail address: the user must give a registered one.
        bool emailRefused = false;
    };

    struct QueryResult : Reply {
        // Category and disc id joined by "|"; `ErrorMarker` when the server gave no usable
        // match; empty when the transfer failed, or when the user must choose among
        // `categories` (codes 210 and 211: `matchOf` the chosen line is the match).
        QString match;
        QStringList categories;
    };

    struct ReadResult : Reply {
        CddbRecord record;
        QList<GridRow> rows;   // only for a complete record
        bool complete = false; // the read reached its end: the list can be saved
        // For the cover-art search, when complete.
        QString artistKeywords;
        QString albumKeywords;
    };

    struct SitesResult : Reply {
        // Address (host, ":" port unless 80, script path; without "http://") and place.
        QList<GridRow> sites;
    };

    using QueryFinished = std::function<void(const QueryResult&)>;
    using ReadFinished = std::function<void(const ReadResult&)>;
    using SitesFinished = std::function<void(const SitesResult&)>;

    explicit CddbClient(std::chrono::milliseconds timeout = HttpTransfer::DefaultTimeout,
                        QObject* parent = nullptr);

    QString ServerUrl() const { return serverUrl; }
    void setServerUrl(const QString& url) { serverUrl = url; }
    // An empty address restores the default one.
    void setUserEmail(const QString& email) { userEmail = email; }
    // "&hello=" user "+" host "+" client "+" version "&proto=" level; the user is URL-encoded.
    QString HelloString() const;

    // Each command calls `finished` once its answer has come, unless it is aborted first. A
    // command still running is aborted by the next one. Nothing is sent for an empty query,
    // nor for a read without both its category and its disc id: then false.
    bool CddbQuery(const QString& query, QueryFinished finished);
    bool CddbRead(const QString& category, const QString& discId, ReadFinished finished);
    void CddbSites(SitesFinished finished);

    // The match a line offered for a choice stands for: its category and its disc id.
    static QString matchOf(const QString& line);

    // The lines of an answer and its status code.
    struct Answer {
        QStringList lines;
        QString code;
    };

    // What the commands make of an answer's bytes once its transfer has succeeded, apart from
    // the transfer so that any bytes can be tried on them. `readAnswer` fills what every
    // command shows: "Prêt" and the raw answer, or for an answer that is none (empty, no
    // status code) or a server error (5xx) its text; the answer is then left unread (no code).
    static Answer readAnswer(const QByteArray& data, Reply& reply);
    static void readQueryAnswer(const Answer& answer, const QString& query, QueryResult& result);
    static void readRecordAnswer(const Answer& answer, ReadResult& result);
    static void readSitesAnswer(const Answer& answer, SitesResult& result);

    // Ends the running command without a word (the window closes, or the search it served
    // has given way to another): its caller is not called and the pointer is given back.
    void abort();
    bool StillExecuting() const { return transfer.StillExecuting(); }

Q_SIGNALS:
    void statusChanged(const QString& text);
    void busyChanged(bool busy);

private:
    // Shows `busyStatus` and the busy pointer, sends `command` and hands its transfer to
    // `received`.
    void send(const QString& command, const QString& busyStatus,
              std::function<void(const HttpTransfer::Result&)> received);
    // What every command shows once its transfer has ended: a failed transfer's text, or what
    // `readAnswer` fills; the answer unless the transfer failed.
    static std::optional<Answer> receive(const HttpTransfer::Result& transferred, Reply& reply);
    void setBusy(bool busy);

    HttpTransfer transfer;
    QString serverUrl = QString::fromLatin1(DefaultServerUrl);
    QString userEmail;
    bool busy = false;
};
