#pragma once

#include "CddbRecord.h"
#include "GridRow.h"
#include "InetCtrl.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// The CDDB protocol over HTTP as the lookup window uses it: the disc query, the record read
// and the server list. It touches no widget: each command returns what the window shows (the
// status bar text, the raw answer, the fields and the grid's rows), and tells while it runs
// what the status bar says and when the pointer is busy. A transfer that fails (no network,
// refused, time-out, an answer over 1 MB) yields only a status text.
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

    // What every command shows: the status bar's text and the raw answer.
    struct Reply {
        QString status;
        QString rawAnswer;
    };

    struct QueryResult : Reply {
        // Category and disc id joined by "|"; "Erreur|Erreur" when the server gave no usable
        // match; empty when the transfer failed or the choice among several was cancelled.
        QString match;
        QStringList categories; // the lines offered for a choice (codes 210 and 211)
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

    // Asked to choose among the match lines (never empty); the chosen line, or nothing when
    // the choice is abandoned (the window closes).
    using CategoryChooser = std::function<std::optional<QString>(const QStringList& lines)>;

    explicit CddbClient(std::chrono::milliseconds timeout = InetCtrl::DefaultTimeout,
                        QObject* parent = nullptr);

    QString ServerUrl() const { return serverUrl; }
    void setServerUrl(const QString& url) { serverUrl = url; }
    // An empty address restores the default one.
    void setUserEmail(const QString& email) { userEmail = email; }
    // "&hello=" user "+" host "+" client "+" version "&proto=" level; the user is URL-encoded.
    QString HelloString() const;
    // Without a chooser a query with several matches ends as if the choice were cancelled.
    void setCategoryChooser(CategoryChooser chooser) { chooseCategory = std::move(chooser); }

    // Nothing for an empty query.
    std::optional<QueryResult> CddbQuery(const QString& query);
    // Nothing unless both are given.
    std::optional<ReadResult> CddbRead(const QString& category, const QString& discId);
    SitesResult CddbSites();

    // The lines of an answer and its status code.
    struct Answer {
        QStringList lines;
        QString code;
    };

    // What the commands make of an answer's bytes once its transfer has succeeded, apart from
    // the transfer so that any bytes can be tried on them. `readAnswer` fills what every
    // command shows: "Prêt" and the raw answer, or for a server error (5xx) its text and the
    // code alone.
    static Answer readAnswer(const QByteArray& data, Reply& reply);
    static void readQueryAnswer(const Answer& answer, const QString& query,
                                const CategoryChooser& chooser, QueryResult& result);
    static void readRecordAnswer(const Answer& answer, ReadResult& result);
    static void readSitesAnswer(const Answer& answer, SitesResult& result);

    // Ends a running transfer (the window closes); the command then fails.
    void abort() { transfer.abort(); }
    bool StillExecuting() const { return transfer.StillExecuting(); }

Q_SIGNALS:
    void statusChanged(const QString& text);
    void busyChanged(bool busy);

private:
    // Sends `command` and fills what every command shows: a failed transfer's text, or what
    // `readAnswer` fills. The answer, unless the transfer failed.
    std::optional<Answer> send(const QString& command, const QString& busyStatus, Reply& reply);
    // Shows the reply's status when it is not "Prêt".
    void finish(const Reply& reply);

    InetCtrl transfer;
    QString serverUrl = QString::fromLatin1(DefaultServerUrl);
    QString userEmail;
    CategoryChooser chooseCategory;
};
