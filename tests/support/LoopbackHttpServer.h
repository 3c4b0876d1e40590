#pragma once

#include <QByteArray>
#include <QHash>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>

// An HTTP server on loopback for the tests: answers each GET once, whole and with its length
// (a client may otherwise resend the request), with the response of the longest key that
// begins its target (path and query); a target without one gets 404. Records the targets it
// was asked for.
class LoopbackHttpServer : public QObject {
public:
    struct Response {
        QByteArray body;
        QByteArray status = "200 OK";
        QByteArray contentType = "text/plain";
    };

    LoopbackHttpServer()
    {
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
    QStringList requests;

private:
    void answer(QTcpSocket* socket)
    {
        const QByteArray request = socket->property("request").toByteArray() + socket->readAll();
        socket->setProperty("request", request);
        if (!request.contains("\r\n\r\n"))
            return;
        const QString target = QString::fromLatin1(request.split(' ').value(1));
        requests += target;
        Response response{"Not found", "404 Not Found", "text/plain"};
        qsizetype matched = -1;
        for (auto route = responses.cbegin(); route != responses.cend(); ++route)
            if (target.startsWith(route.key()) && route.key().size() > matched) {
                matched = route.key().size();
                response = route.value();
            }
        socket->write("HTTP/1.1 " + response.status + "\r\nContent-Type: " + response.contentType +
                      "\r\nContent-Length: " + QByteArray::number(response.body.size()) +
                      "\r\nConnection: close\r\n\r\n" + response.body);
        socket->disconnectFromHost();
    }
    QTcpServer server;
};
