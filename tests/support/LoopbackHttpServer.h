// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <chrono>
#include <memory>

// An HTTP server on loopback for the tests: answers each GET once, whole and with its length
// (a client may otherwise resend the request), with the response of the longest key that
// begins its target (path and query); a target without one gets 404. Records the targets it
// was asked for, and each request's head and time of arrival. A response may also come in a
// hostile manner.
class LoopbackHttpServer : public QObject {
public:
    enum class Manner {
        Whole,
        Trickle,  // announces the body, then sends it a byte every `trickleInterval`
        CutShort, // announces twice the body, sends it and closes
        Silent,   // never answers
        Endless,  // announces 100 MB and sends them as fast as they are read
    };
    struct Response {
        QByteArray body;
        QByteArray status = "200 OK";
        QByteArray contentType = "text/plain";
        Manner manner = Manner::Whole;
        QList<std::pair<QByteArray, QByteArray>> headers = {}; // more header lines (Location…)
    };
    struct Received {
        QString target;
        QByteArray head;              // the request line and headers
        std::chrono::milliseconds at; // since the server started
        QByteArray header(const QByteArray& name) const
        {
            for (const QByteArray& line : head.split('\n'))
                if (line.toLower().startsWith(name.toLower() + ':'))
                    return line.mid(name.size() + 1).trimmed();
            return {};
        }
    };

    LoopbackHttpServer()
    {
        clock.start();
        server.listen(QHostAddress::LocalHost);
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }

    // "http://127.0.0.1:port" followed by `path`.
    QString url(const QString& path) const
    {
        return QStringLiteral("http://127.0.0.1:%1").arg(server.serverPort()) + path;
    }

    QHash<QString, Response> responses;
    // Responses given once each, in order, before the response of the same key in `responses`.
    QHash<QString, QList<Response>> firstResponses;
    QStringList requests;
    QList<Received> received;
    std::chrono::milliseconds trickleInterval{1000};

private:
    void answer(QTcpSocket* socket)
    {
        const QByteArray request = socket->property("request").toByteArray() + socket->readAll();
        socket->setProperty("request", request);
        if (!request.contains("\r\n\r\n") || socket->property("answered").toBool())
            return;
        socket->setProperty("answered", true);
        const QString target = QString::fromLatin1(request.split(' ').value(1));
        requests += target;
        received += {target, request.left(request.indexOf("\r\n\r\n")),
                     std::chrono::milliseconds(clock.elapsed())};
        Response response{"Not found", "404 Not Found", "text/plain"};
        QString key;
        for (auto route = responses.cbegin(); route != responses.cend(); ++route)
            if (target.startsWith(route.key()) &&
                (key.isNull() || route.key().size() > key.size())) {
                key = route.key();
                response = route.value();
            }
        if (auto first = firstResponses.find(key);
            first != firstResponses.end() && !first->isEmpty())
            response = first->takeFirst();
        const qint64 endless = 100 * 1024 * 1024;
        const qint64 announced = response.manner == Manner::CutShort  ? 2 * response.body.size()
                                 : response.manner == Manner::Endless ? endless
                                                                      : response.body.size();
        QByteArray head =
            "HTTP/1.1 " + response.status + "\r\nContent-Type: " + response.contentType +
            "\r\nContent-Length: " + QByteArray::number(announced) + "\r\nConnection: close\r\n";
        for (const auto& [name, value] : response.headers)
            head += name + ": " + value + "\r\n";
        head += "\r\n";
        switch (response.manner) {
        case Manner::Silent:
            return;
        case Manner::Trickle: {
            socket->write(head);
            auto* drip = new QTimer(socket);
            connect(drip, &QTimer::timeout, socket, [socket, body = response.body]() mutable {
                if (body.isEmpty())
                    return socket->disconnectFromHost();
                socket->write(body.left(1));
                body.remove(0, 1);
            });
            drip->start(trickleInterval);
            return;
        }
        case Manner::Endless: {
            socket->write(head);
            auto left = std::make_shared<qint64>(endless);
            const auto more = [socket, left](qint64) {
                if (*left <= 0 || socket->bytesToWrite() > 0)
                    return;
                const qint64 chunk = qMin<qint64>(*left, 64 * 1024);
                socket->write(QByteArray(chunk, 'x'));
                *left -= chunk;
            };
            connect(socket, &QTcpSocket::bytesWritten, socket, more);
            more(0);
            return;
        }
        case Manner::Whole:
        case Manner::CutShort:
            socket->write(head + response.body);
            socket->disconnectFromHost();
            return;
        }
    }
    QTcpServer server;
    QElapsedTimer clock;
};
