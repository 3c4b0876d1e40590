// SPDX-License-Identifier: GPL-3.0-or-later
#include "MusicBrainzClient.h"

#include "RequestPace.h"

#include <QDateTime>

using namespace std::chrono_literals;

namespace {

QString failureText(const HttpTransfer::Result& result)
{
    switch (result.failure) {
    case HttpTransfer::Failure::None:
        break;
    case HttpTransfer::Failure::TimedOut:
        return QStringLiteral("Le serveur MusicBrainz ne répond pas (délai dépassé).");
    case HttpTransfer::Failure::TooLarge:
        return QStringLiteral("La réponse du serveur MusicBrainz est trop volumineuse.");
    case HttpTransfer::Failure::CutShort:
        return QStringLiteral("La réponse du serveur MusicBrainz a été interrompue.");
    case HttpTransfer::Failure::Network:
        return QStringLiteral("Impossible de joindre le serveur MusicBrainz. Vérifiez la "
                              "connexion à Internet.");
    case HttpTransfer::Failure::HttpError:
        if (result.httpStatus == 503)
            return QStringLiteral("Le serveur MusicBrainz est surchargé (erreur 503). "
                                  "Réessayez dans quelques minutes.");
        return QStringLiteral("Le serveur MusicBrainz a refusé la demande (erreur %1).")
            .arg(result.httpStatus);
    }
    return {};
}

// Retry-After is a number of seconds or a date; without a usable one, the pace's second.
std::chrono::milliseconds retryPause(const QByteArray& header)
{
    bool number = false;
    const qint64 seconds = header.trimmed().toLongLong(&number);
    if (number)
        return std::chrono::seconds(std::max<qint64>(seconds, 0));
    const QDateTime when =
        QDateTime::fromString(QString::fromLatin1(header.trimmed()), Qt::RFC2822Date);
    if (when.isValid())
        return std::chrono::milliseconds(
            std::max<qint64>(QDateTime::currentDateTimeUtc().msecsTo(when), 0));
    return 1s;
}

} // namespace

MusicBrainzClient::MusicBrainzClient(std::chrono::milliseconds timeout) : transfer(timeout)
{
    transfer.setUserAgent(userAgent());
}

MusicBrainzClient::~MusicBrainzClient()
{
    abort();
}

QByteArray MusicBrainzClient::userAgent()
{
    return QByteArrayLiteral("JaskelCD/") + JASKEL_VERSION + " ( " + ContactAddress + " )";
}

void MusicBrainzClient::askService(const QUrl& url, Answered done)
{
    abort();
    answered = std::move(done);
    RequestPace::musicBrainz().enqueue(this, [this, url] { send(url, false); });
}

void MusicBrainzClient::fetchPicture(const QUrl& url, Answered done)
{
    abort();
    answered = std::move(done);
    transfer.OpenURL(url, [this](const HttpTransfer::Result& result) {
        Answer picture;
        picture.found = bool(result);
        if (result)
            picture.body = result.data;
        else if (result.httpStatus != 404)
            picture.failure = failureText(result);
        answer(picture);
    });
}

void MusicBrainzClient::abort()
{
    RequestPace::musicBrainz().cancel(this);
    transfer.abort();
    answered = nullptr;
}

void MusicBrainzClient::send(const QUrl& url, bool retried)
{
    transfer.OpenURL(url, [this, url, retried](const HttpTransfer::Result& result) {
        received(url, retried, result);
    });
}

void MusicBrainzClient::received(const QUrl& url, bool retried, const HttpTransfer::Result& result)
{
    if (result.httpStatus == 503 && !retried) {
        const std::chrono::milliseconds pause = retryPause(result.retryAfter);
        if (pause <= LongestRetryPause) {
            // The pause holds for every request of the program, not only this one.
            RequestPace::musicBrainz().hold(pause);
            RequestPace::musicBrainz().enqueue(this, [this, url] { send(url, true); });
            return;
        }
    }
    Answer reply;
    reply.found = bool(result);
    if (result)
        reply.body = result.data;
    else if (result.httpStatus != 404)
        reply.failure = failureText(result);
    answer(reply);
}

void MusicBrainzClient::answer(const Answer& reply)
{
    // Called last, with nothing of this request left: it may start the next one.
    const Answered done = std::exchange(answered, nullptr);
    if (done)
        done(reply);
}
