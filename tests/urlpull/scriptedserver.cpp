#include "scriptedserver.h"

#include <QTcpSocket>

ScriptedServer::ScriptedServer() {
    server.listen(QHostAddress::LocalHost);
    connect(&server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *client = server.nextPendingConnection()) {
            request.clear();
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

void ScriptedServer::OnReadyRead(QTcpSocket *client) {
    request += client->readAll();
    if (!request.contains("\r\n\r\n"))
        return;
    emit RequestReceived();
    if (mode == Mode::Silent)
        return;
    client->write(answer);
    client->disconnectFromHost();
}
