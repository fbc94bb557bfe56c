#pragma once
// An HTTP server on 127.0.0.1 for the download tests: it records the request bytes and then
// answers as scripted, closes without a word, or stays silent.

#include <QByteArray>
#include <QTcpServer>

class QTcpSocket;

class ScriptedServer : public QObject {
    Q_OBJECT
public:
    enum class Mode { Answer, CloseAtOnce, Silent };

    ScriptedServer();
    quint16 Port() const { return server.serverPort(); }
    QString Address(const QString &path = QString()) const;
    void Script(Mode answerMode, const QByteArray &answerBytes = QByteArray());
    QByteArray Request() const { return request; }

signals:
    void RequestReceived();

private:
    void OnReadyRead(QTcpSocket *client);

    QTcpServer server;
    Mode mode = Mode::Answer;
    QByteArray answer;
    QByteArray request;
};
