#include "InetCtrl.h"

#include <QEventLoop>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace {
// What the reply may hold unread; with it a fast server cannot fill memory before the size
// check sees the data.
constexpr qint64 ReadBufferBytes = 64 * 1024;
} // namespace

InetCtrl::InetCtrl(std::chrono::milliseconds timeout) : transferTimeout(timeout) {}

InetCtrl::~InetCtrl()
{
    abort();
}

void InetCtrl::abort()
{
    if (running)
        stop(*running, Failure::Aborted);
}

void InetCtrl::stop(Transfer& transfer, Failure why)
{
    if (transfer.failure == Failure::None)
        transfer.failure = why;
    if (transfer.reply->isRunning())
        transfer.reply->abort();
}

InetCtrl::Result InetCtrl::OpenURL(const QUrl& url, qint64 maxBytes)
{
    abort();

    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);

    Transfer transfer;
    QByteArray data;
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);

    transfer.reply = manager.get(request);
    transfer.reply->setReadBufferSize(ReadBufferBytes);
    const auto readAvailable = [&] {
        data += transfer.reply->read(maxBytes + 1 - data.size());
        if (data.size() > maxBytes)
            stop(transfer, Failure::TooLarge);
    };
    QObject::connect(transfer.reply, &QNetworkReply::readyRead, &loop, readAvailable);
    QObject::connect(transfer.reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&deadline, &QTimer::timeout, &loop,
                     [&] { stop(transfer, Failure::TimedOut); });

    running = &transfer;
    deadline.start(transferTimeout);
    if (!transfer.reply->isFinished())
        loop.exec();
    deadline.stop();
    if (running == &transfer)
        running = nullptr;

    if (transfer.failure == Failure::None)
        readAvailable();
    if (transfer.failure == Failure::None && transfer.reply->error() != QNetworkReply::NoError) {
        const int httpStatus =
            transfer.reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        transfer.failure = httpStatus >= 400 ? Failure::HttpError : Failure::Network;
    }
    transfer.reply->disconnect(&loop);
    transfer.reply->deleteLater();

    Result result;
    result.failure = transfer.failure;
    if (result)
        result.data = std::move(data);
    return result;
}
