#pragma once
// An HTTP server on 127.0.0.1 for the download tests: it records the request bytes and then
// answers as scripted, closes without a word, or stays silent. Answers may be given per request
// path, and may be held back for a while to make a download slow.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QTcpServer>

class QTcpSocket;

class ScriptedServer : public QObject {
    Q_OBJECT
public:
    // AnswerAndStall sends the answer and then keeps the connection open without a word;
    // AnswerAndDrip sends it and then one more byte every few milliseconds, for ever.
    enum class Mode { Answer, CloseAtOnce, Silent, AnswerAndStall, AnswerAndDrip };

    ScriptedServer();
    quint16 Port() const { return server.serverPort(); }
    QString Address(const QString &path = QString()) const;
    // The answer to every request whose path has no answer of its own.
    void Script(Mode answerMode, const QByteArray &answerBytes = QByteArray());
    // The whole response (header and body) for one request path, such as "/Backup.Ver".
    void Route(const QByteArray &path, const QByteArray &answerBytes);
    // Answers only this many milliseconds after the request has arrived.
    void HoldBack(int milliseconds) { holdBackMs = milliseconds; }
    // Breaks off every open connection with a reset, as a failing line or server does.
    void ResetClients();
    // The last request, and the paths of every request so far.
    QByteArray Request() const { return request; }
    QList<QByteArray> RequestedPaths() const { return requestedPaths; }

    // "HTTP/1.1 200 OK", a blank line and the body.
    static QByteArray Ok(const QByteArray &body);

signals:
    void RequestReceived();

private:
    void OnReadyRead(QTcpSocket *client);
    void Answer(QTcpSocket *client, const QByteArray &path);
    void Drip(QTcpSocket *client);

    QTcpServer server;
    Mode mode = Mode::Answer;
    QByteArray answer;
    QHash<QByteArray, QByteArray> routes;
    int holdBackMs = 0;
    QByteArray request;
    QList<QByteArray> requestedPaths;
    QList<QPointer<QTcpSocket>> clients;
};
