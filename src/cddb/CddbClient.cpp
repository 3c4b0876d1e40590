#include "CddbClient.h"

#include "GetField.h"
#include "SearchKeywords.h"
#include "XmcdRecord.h"

#include <QStringDecoder>
#include <QUrl>

namespace {

const QString Ready = QStringLiteral("Prêt");
const QString NotInDatabase = QStringLiteral("Ce CD n'existe pas dans la base de données.");
const QString TransmissionProblem = QStringLiteral("Problème de transmission de données.");
const QString MalformedRequest =
    QStringLiteral("La structure de la requête envoyée est incorrecte.");
const QString ErrorMarker = QStringLiteral("Erreur|Erreur");
const QString Space = QStringLiteral(" ");

QString failureText(InetCtrl::Failure failure)
{
    switch (failure) {
    case InetCtrl::Failure::TimedOut:
        return QStringLiteral("Le serveur ne répond pas (délai dépassé).");
    case InetCtrl::Failure::TooLarge:
        return QStringLiteral("La réponse du serveur est trop volumineuse.");
    case InetCtrl::Failure::HttpError:
        return QStringLiteral("Le serveur a refusé la requête.");
    case InetCtrl::Failure::Aborted:
        return QStringLiteral("Recherche interrompue.");
    case InetCtrl::Failure::Network:
    case InetCtrl::Failure::None:
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

std::optional<CddbClient::Answer> CddbClient::send(const QString& command,
                                                   const QString& busyStatus, Reply& reply)
{
    Q_EMIT statusChanged(busyStatus);
    Q_EMIT busyChanged(true);
    const QUrl url(serverUrl + QLatin1String("?cmd=") + command + HelloString(),
                   QUrl::TolerantMode);
    const InetCtrl::Result result = transfer.OpenURL(url, MaxAnswerBytes);
    Q_EMIT busyChanged(false);
    if (!result) {
        reply.status = failureText(result.failure);
        Q_EMIT statusChanged(reply.status);
        return std::nullopt;
    }
    Q_EMIT statusChanged(Ready);
    return readAnswer(result.data, reply);
}

CddbClient::Answer CddbClient::readAnswer(const QByteArray& data, Reply& reply)
{
    reply.status = Ready;
    reply.rawAnswer = decodeAnswer(data);
    Answer answer;
    answer.lines = answerLines(reply.rawAnswer);
    answer.code = statusCode(answer.lines);
    if (isServerError(answer.code)) {
        reply.status = MalformedRequest;
        reply.rawAnswer = answer.code;
    }
    return answer;
}

void CddbClient::finish(const Reply& reply)
{
    if (reply.status != Ready)
        Q_EMIT statusChanged(reply.status);
}

std::optional<CddbClient::QueryResult> CddbClient::CddbQuery(const QString& query)
{
    if (query.isEmpty())
        return std::nullopt;
    QueryResult result;
    const std::optional<Answer> answer = send(
        query, QStringLiteral("Questionne la base de données (Catégories de ce CD) ..."), result);
    if (!answer)
        return result;
    readQueryAnswer(*answer, query, chooseCategory, result);
    finish(result);
    return result;
}

void CddbClient::readQueryAnswer(const Answer& answer, const QString& query,
                                 const CategoryChooser& chooser, QueryResult& result)
{
    const QStringList& lines = answer.lines;
    const QString& code = answer.code;
    result.match = ErrorMarker;

    if (code == QLatin1String("200")) {
        result.match =
            GetField(lines[0], 2, Space) + u'|' + GetField(query, 3, QStringLiteral("+"));
    } else if (code == QLatin1String("210") || code == QLatin1String("211")) {
        result.categories = listLines(lines);
        if (!result.categories.isEmpty()) {
            const std::optional<QString> choice =
                chooser ? chooser(result.categories) : std::nullopt;
            if (choice && !choice->trimmed().isEmpty()) {
                result.match = GetField(*choice, 1, Space) + u'|' + GetField(*choice, 2, Space);
            } else {
                result.match.clear();
                result.status = QStringLiteral("Recherche annulée.");
            }
        }
    } else if (code == QLatin1String("202")) {
        result.status = NotInDatabase;
    } else if (code == QLatin1String("403")) {
        result.status = TransmissionProblem;
    } else if (code == QLatin1String("409")) {
        result.status = QStringLiteral("Vous êtes mal identifié.");
    }
}

std::optional<CddbClient::ReadResult> CddbClient::CddbRead(const QString& category,
                                                           const QString& discId)
{
    if (category.isEmpty() || discId.isEmpty())
        return std::nullopt;
    ReadResult result;
    const std::optional<Answer> answer =
        send(QLatin1String("cddb+read+") + category + u'+' + discId,
             QStringLiteral("Questionne la base de données (Contenu du CD) ..."), result);
    if (!answer)
        return result;
    readRecordAnswer(*answer, result);
    finish(result);
    return result;
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

CddbClient::SitesResult CddbClient::CddbSites()
{
    SitesResult result;
    const std::optional<Answer> answer =
        send(QStringLiteral("sites"),
             QStringLiteral("Questionne la base de données (Liste des sites) ..."), result);
    if (!answer)
        return result;
    readSitesAnswer(*answer, result);
    finish(result);
    return result;
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
