#include "scriptedserver.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

#include <sys/socket.h>

namespace {
constexpr int DripMs = 20;
}

ScriptedServer::ScriptedServer() {
    server.listen(QHostAddress::LocalHost);
    connect(&server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *client = server.nextPendingConnection()) {
            request.clear();
            clients.append(client);
            connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
            connect(client, &QTcpSocket::readyRead, this, [this, client] { OnReadyRead(client); });
        }
    });
}

QString ScriptedServer::Address(const QString &path) const {
    return QStringLiteral("127.0.0.1:%1").arg(Port()) + path;
}

void ScriptedServer::Script(Mode answerMode, const QByteArray &answerBytes) {
    mode = answerMode;
    answer = answerBytes;
}

void ScriptedServer::Route(const QByteArray &path, const QByteArray &answerBytes) {
    routes.insert(path, answerBytes);
}

QByteArray ScriptedServer::Ok(const QByteArray &body) {
    return "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + body;
}

void ScriptedServer::OnReadyRead(QTcpSocket *client) {
    request += client->readAll();
    if (!request.contains("\r\n\r\n"))
        return;
    // "GET /path HTTP/1.1"
    const QByteArray path = request.left(request.indexOf("\r\n")).split(' ').value(1);
    requestedPaths.append(path);
    emit RequestReceived();
    if (holdBackMs <= 0) {
        Answer(client, path);
        return;
    }
    QPointer<QTcpSocket> waiting(client);
    QTimer::singleShot(holdBackMs, this, [this, waiting, path] {
        if (waiting)
            Answer(waiting, path);
    });
}

void ScriptedServer::Answer(QTcpSocket *client, const QByteArray &path) {
    const auto route = routes.constFind(path);
    if (route == routes.constEnd() && mode == Mode::Silent)
        return;
    client->write(route != routes.constEnd() ? *route : answer);
    if (route == routes.constEnd() && mode == Mode::AnswerAndDrip)
        Drip(client);
    else if (route != routes.constEnd() || mode != Mode::AnswerAndStall)
        client->disconnectFromHost();
}

void ScriptedServer::Drip(QTcpSocket *client) {
    auto *drip = new QTimer(client);
    connect(drip, &QTimer::timeout, client, [client] { client->write("d", 1); });
    drip->start(DripMs);
}

void ScriptedServer::ResetClients() {
    for (const QPointer<QTcpSocket> &client : std::as_const(clients)) {
        if (!client)
            continue;
        client->flush();
        // No lingering: the close sends a reset instead of an orderly end.
        const linger none{1, 0};
        ::setsockopt(int(client->socketDescriptor()), SOL_SOCKET, SO_LINGER, &none, sizeof none);
        client->abort();
    }
}
