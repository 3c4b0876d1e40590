// SPDX-License-Identifier: GPL-3.0-or-later
#include "CddbClient.h"

#include "GetField.h"
#include "SearchKeywords.h"
#include "XmcdRecord.h"

#include <QStringDecoder>
#include <QUrl>
#include <algorithm>

namespace {

const QString Ready = QStringLiteral("Prêt");
const QString& NotInDatabase = CddbClient::NotInDatabase;
const QString TransmissionProblem = QStringLiteral("Problème de transmission de données.");
const QString MalformedRequest =
    QStringLiteral("La structure de la requête envoyée est incorrecte.");
const QString EmptyAnswer = QStringLiteral("Le serveur a envoyé une réponse vide.");
const QString UnreadableAnswer =
    QStringLiteral("Problème a l'analyse des données (réponse du serveur).");
const QString UnreadableMatches = QStringLiteral("Problème a l'analyse des données (catégories).");
const QString EmailRefused = QStringLiteral("Adresse e-mail refusée par le serveur.");
const QString Space = QStringLiteral(" ");

QString failureText(HttpTransfer::Failure failure)
{
    switch (failure) {
    case HttpTransfer::Failure::TimedOut:
        return QStringLiteral("Le serveur ne répond pas (délai dépassé).");
    case HttpTransfer::Failure::TooLarge:
        return QStringLiteral("La réponse du serveur est trop volumineuse.");
    case HttpTransfer::Failure::HttpError:
        return QStringLiteral("Le serveur a refusé la requête.");
    case HttpTransfer::Failure::CutShort:
        return QStringLiteral(
            "Problème de transmission de données : la réponse du serveur a été interrompue.");
    case HttpTransfer::Failure::Network:
    case HttpTransfer::Failure::None:
        break;
    }
    return QStringLiteral("Connexion au serveur impossible.");
}

// CDDB servers answer in UTF-8 at protocol level 6; older records may still be Latin-1.
QString decodeAnswer(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

// Lines end with CR LF; a bare LF is accepted too.
QStringList answerLines(const QString& answer)
{
    QStringList lines = answer.split(u'\n');
    for (QString& line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    return lines;
}

QString statusCode(const QStringList& lines)
{
    return GetField(lines.value(0), 1, Space);
}

// Every answer begins with a three-digit code.
bool isStatusCode(const QString& code)
{
    return code.size() == 3 &&
           std::all_of(code.begin(), code.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// A category as the servers name them, and a disc id: what a read sends back to the server.
bool isCategory(const QString& word)
{
    return !word.isEmpty() && std::all_of(word.begin(), word.end(), [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
    });
}

bool isDiscId(const QString& word)
{
    return word.size() == 8 && std::all_of(word.begin(), word.end(), [](QChar c) {
               return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') ||
                      (c >= u'A' && c <= u'F');
           });
}

// A server that only knows registered users says so in its 5xx line.
bool refusesEmail(const QString& firstLine)
{
    return firstLine.contains(QLatin1String("email"), Qt::CaseInsensitive) ||
           firstLine.contains(QLatin1String("e-mail"), Qt::CaseInsensitive);
}

bool isServerError(const QString& code)
{
    return code.startsWith(u'5');
}

// The lines of a list answer after its status line, up to "." or an empty line.
QStringList listLines(const QStringList& lines)
{
    QStringList list;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines[i].isEmpty() || lines[i].startsWith(u'.'))
            break;
        list += lines[i];
    }
    return list;
}

// The text of `line` from its n-th space-separated piece (from 1) to its end.
QString fromField(const QString& line, int n)
{
    qsizetype start = 0;
    for (int piece = 1; piece < n; ++piece) {
        start = line.indexOf(u' ', start);
        if (start < 0)
            return QString();
        ++start;
    }
    return line.mid(start);
}

} // namespace

CddbClient::CddbClient(std::chrono::milliseconds timeout, QObject* parent)
    : QObject(parent), transfer(timeout)
{
}

QString CddbClient::HelloString() const
{
    const QString user = userEmail.isEmpty() ? QString::fromLatin1(DefaultUserEmail) : userEmail;
    return QLatin1String("&hello=") + QString::fromLatin1(QUrl::toPercentEncoding(user)) + u'+' +
           QLatin1String(HostName) + u'+' + QLatin1String(ClientName) + u'+' +
           QLatin1String(ClientVersion) + QLatin1String("&proto=") + QString::number(ProtocolLevel);
}

void CddbClient::setBusy(bool on)
{
    if (on == busy)
        return;
    busy = on;
    Q_EMIT busyChanged(on);
}

void CddbClient::abort()
{
    transfer.abort();
    setBusy(false);
}

void CddbClient::send(const QString& command, const QString& busyStatus,
                      std::function<void(const HttpTransfer::Result&)> received)
{
    Q_EMIT statusChanged(busyStatus);
    setBusy(true);
    const QUrl url(serverUrl + QLatin1String("?cmd=") + command + HelloString(),
                   QUrl::TolerantMode);
    transfer.OpenURL(url, MaxAnswerBytes,
                     [this, received = std::move(received)](const HttpTransfer::Result& result) {
                         setBusy(false);
                         received(result);
                     });
}

std::optional<CddbClient::Answer> CddbClient::receive(const HttpTransfer::Result& transferred,
                                                      Reply& reply)
{
    if (!transferred) {
        reply.status = failureText(transferred.failure);
        return std::nullopt;
    }
    return readAnswer(transferred.data, reply);
}

CddbClient::Answer CddbClient::readAnswer(const QByteArray& data, Reply& reply)
{
    reply.status = Ready;
    reply.rawAnswer = decodeAnswer(data);
    Answer answer;
    answer.lines = answerLines(reply.rawAnswer);
    const QString code = statusCode(answer.lines);
    if (reply.rawAnswer.trimmed().isEmpty()) {
        reply.status = EmptyAnswer;
    } else if (!isStatusCode(code)) {
        reply.status = UnreadableAnswer;
    } else if (isServerError(code) && refusesEmail(answer.lines[0])) {
        // The server's own words stay: they name what it wants.
        reply.status = EmailRefused;
        reply.rawAnswer = answer.lines[0];
        reply.emailRefused = true;
    } else if (isServerError(code)) {
        reply.status = MalformedRequest;
        reply.rawAnswer = code;
    } else {
        answer.code = code;
    }
    return answer;
}

bool CddbClient::CddbQuery(const QString& query, QueryFinished finished)
{
    if (query.isEmpty())
        return false;
    send(query, QStringLiteral("Questionne la base de données (Catégories de ce CD) ..."),
         [this, query, finished = std::move(finished)](const HttpTransfer::Result& transferred) {
             QueryResult result;
             if (const std::optional<Answer> answer = receive(transferred, result))
                 readQueryAnswer(*answer, query, result);
             Q_EMIT statusChanged(result.status);
             finished(result);
         });
    return true;
}

QString CddbClient::matchOf(const QString& line)
{
    return GetField(line, 1, Space) + u'|' + GetField(line, 2, Space);
}

void CddbClient::readQueryAnswer(const Answer& answer, const QString& query, QueryResult& result)
{
    const QStringList& lines = answer.lines;
    const QString& code = answer.code;
    result.match = ErrorMarker;

    if (code == QLatin1String("200")) {
        const QString category = GetField(lines[0], 2, Space);
        if (isCategory(category))
            result.match = category + u'|' + GetField(query, 3, QStringLiteral("+"));
        else
            result.status = UnreadableMatches;
    } else if (code == QLatin1String("210") || code == QLatin1String("211")) {
        // Only lines that name a category and a disc id can be chosen and read.
        for (const QString& line : listLines(lines))
            if (isCategory(GetField(line, 1, Space)) && isDiscId(GetField(line, 2, Space)))
                result.categories += line;
        if (result.categories.isEmpty())
            result.status = UnreadableMatches;
        else
            result.match.clear();
    } else if (code == QLatin1String("202")) {
        result.status = NotInDatabase;
    } else if (code == QLatin1String("403")) {
        result.status = TransmissionProblem;
    } else if (code == QLatin1String("409")) {
        result.status = QStringLiteral("Vous êtes mal identifié.");
    }
}

bool CddbClient::CddbRead(const QString& category, const QString& discId, ReadFinished finished)
{
    if (category.isEmpty() || discId.isEmpty())
        return false;
    send(QLatin1String("cddb+read+") + category + u'+' + discId,
         QStringLiteral("Questionne la base de données (Contenu du CD) ..."),
         [this, finished = std::move(finished)](const HttpTransfer::Result& transferred) {
             ReadResult result;
             if (const std::optional<Answer> answer = receive(transferred, result))
                 readRecordAnswer(*answer, result);
             Q_EMIT statusChanged(result.status);
             finished(result);
         });
    return true;
}

void CddbClient::readRecordAnswer(const Answer& answer, ReadResult& result)
{
    const QString& code = answer.code;
    if (code == QLatin1String("401"))
        result.status = NotInDatabase;
    else if (code == QLatin1String("402"))
        result.status = QStringLiteral("Erreur dûe au serveur.");
    else if (code == QLatin1String("403"))
        result.status = TransmissionProblem;
    else if (code == QLatin1String("409"))
        result.status = QStringLiteral("Vous êtes mal identifié. (mail en cours)");
    else if (code == QLatin1String("210")) {
        result.record = CddbRecord::fromXmcd(XmcdRecord::fromLines(answer.lines.mid(1)));
        switch (result.record.missing) {
        case CddbRecord::Missing::Artist:
            result.status = QStringLiteral("Problème a l'analyse des données (artiste).");
            break;
        case CddbRecord::Missing::Year:
            result.status = QStringLiteral("Problème a l'analyse des données (année).");
            break;
        case CddbRecord::Missing::Genre:
            result.status = QStringLiteral("Problème a l'analyse des données (genre).");
            break;
        case CddbRecord::Missing::Nothing:
            result.rows = result.record.trackRows();
            result.complete = true;
            result.artistKeywords = SearchKeywords(result.record.artist);
            result.albumKeywords = SearchKeywords(result.record.album);
            break;
        }
    }
}

void CddbClient::CddbSites(SitesFinished finished)
{
    send(QStringLiteral("sites"),
         QStringLiteral("Questionne la base de données (Liste des sites) ..."),
         [this, finished = std::move(finished)](const HttpTransfer::Result& transferred) {
             SitesResult result;
             if (const std::optional<Answer> answer = receive(transferred, result))
                 readSitesAnswer(*answer, result);
             Q_EMIT statusChanged(result.status);
             finished(result);
         });
}

void CddbClient::readSitesAnswer(const Answer& answer, SitesResult& result)
{
    if (answer.code == QLatin1String("401")) {
        result.status = QStringLiteral("Pas d'information disponible.");
    } else if (answer.code == QLatin1String("210")) {
        // site protocol port path latitude longitude description…
        for (const QString& line : listLines(answer.lines)) {
            if (GetField(line, 2, Space) != QLatin1String("http"))
                continue;
            const QString host = GetField(line, 1, Space);
            const QString port = GetField(line, 3, Space);
            // The window puts "http://" in front: a port other than 80 must stay in the address.
            const QString address = (port == QLatin1String("80") ? host : host + u':' + port) +
                                    GetField(line, 4, Space);
            result.sites.append({address, fromField(line, 7)});
        }
    }
}
