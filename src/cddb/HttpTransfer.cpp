// SPDX-License-Identifier: GPL-3.0-or-later
#include "HttpTransfer.h"

#include <QNetworkReply>
#include <QNetworkRequest>

namespace {
// What the reply may hold unread; with it a fast server cannot fill memory before the size
// check sees the data.
constexpr qint64 ReadBufferBytes = 64 * 1024;
} // namespace

HttpTransfer::HttpTransfer(std::chrono::milliseconds timeout) : transferTimeout(timeout)
{
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &manager, [this] { end(Failure::TimedOut); });
}

HttpTransfer::~HttpTransfer()
{
    abort();
}

void HttpTransfer::OpenURL(const QUrl& url, qint64 bound, Finished onFinished)
{
    abort();

    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    if (!userAgent.isEmpty())
        request.setHeader(QNetworkRequest::UserAgentHeader, userAgent);

    data.clear();
    httpStatus = 0;
    retryAfter.clear();
    maxBytes = bound;
    finished = std::move(onFinished);
    reply = manager.get(request);
    reply->setReadBufferSize(ReadBufferBytes);
    QObject::connect(reply, &QNetworkReply::readyRead, &manager, [this] { readAvailable(); });
    QObject::connect(reply, &QNetworkReply::finished, &manager, [this] { replyFinished(); });
    deadline.start(transferTimeout);
}

void HttpTransfer::abort()
{
    if (!reply)
        return;
    release();
    finished = nullptr;
}

void HttpTransfer::readAvailable()
{
    data += reply->read(maxBytes + 1 - data.size());
    if (data.size() > maxBytes)
        end(Failure::TooLarge);
}

void HttpTransfer::replyFinished()
{
    readAvailable();
    if (!reply)
        return; // too large
    Failure failure = Failure::None;
    httpStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    retryAfter = reply->rawHeader("Retry-After");
    if (reply->error() != QNetworkReply::NoError) {
        // A server that closes before the announced end cut its answer short: it was reached.
        failure = httpStatus >= 400                                        ? Failure::HttpError
                  : reply->error() == QNetworkReply::RemoteHostClosedError ? Failure::CutShort
                                                                           : Failure::Network;
    }
    end(failure);
}

void HttpTransfer::release()
{
    QNetworkReply* released = std::exchange(reply, nullptr);
    deadline.stop();
    QObject::disconnect(released, nullptr, &manager, nullptr);
    if (released->isRunning())
        released->abort();
    released->deleteLater();
}

void HttpTransfer::end(Failure failure)
{
    release();
    Result result;
    result.failure = failure;
    result.httpStatus = std::exchange(httpStatus, 0);
    result.retryAfter = std::exchange(retryAfter, {});
    if (result)
        result.data = std::move(data);
    data.clear();
    // Called last, with nothing of this transfer left: it may start the next one.
    const Finished done = std::exchange(finished, nullptr);
    if (done)
        done(result);
}
