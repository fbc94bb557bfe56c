#pragma once
// Downloads one document over plain HTTP/1.1 into a file, showing a small panel with the address
// being fetched, the bytes received and a Cancel button. The response is read until the server
// closes the connection; there is no proxy, TLS, redirect or chunked encoding.

#include <QByteArray>
#include <QString>
#include <QWidget>

#include <memory>

#if defined(URLPULL_BUILDING)
#define URLPULL_EXPORT Q_DECL_EXPORT
#else
#define URLPULL_EXPORT Q_DECL_IMPORT
#endif

class QAbstractSocket;
class QGroupBox;
class QLabel;
class QPushButton;
class QSaveFile;
class QTcpSocket;
class QTimer;

class URLPULL_EXPORT Urlpull : public QWidget {
    Q_OBJECT
public:
    // A download that brings less than DefaultLeastProgressBytes in this long is given up on: a
    // minute lets a slow line breathe, while neither a dead server nor one dripping a byte at a
    // time holds the update check for ever.
    static constexpr int DefaultTimeOutMs = 60000;
    static constexpr qint64 DefaultLeastProgressBytes = 1024;
    // A reply whose header has not ended by then is no HTTP answer worth waiting for.
    static constexpr qint64 HeaderLimit = qint64(64) << 10;

    explicit Urlpull(QWidget *parent = nullptr);
    ~Urlpull() override;

    bool IsRunning() const { return running; }
    // Starts a download and returns at once; does nothing while one is running. (A member cannot
    // share the class's name, so the control's own verb is spelt out.)
    void StartDownload(const QString &address, const QString &outFile);
    void AbortDoc();

    // The time-out: a download ends with "Get URL Timed Out!" once it has brought fewer than
    // leastBytes within a window of this many milliseconds.
    void SetTimeOutMs(int milliseconds);
    void SetLeastProgressBytes(qint64 leastBytes) { leastProgress = leastBytes; }
    // The most bytes a body may have (-1: no limit); a longer one ends the download at once as
    // a failure. Applies to the downloads that start after the call.
    void SetBodyLimit(qint64 bytes) { bodyLimit = bytes; }
    // The body's length when the host knows it (-1: unknown); a body of another length fails.
    // Without it a length the server states is held to.
    void SetExpectedLength(qint64 bytes) { expectedLength = bytes; }
    // Quiet: every message the control would show is raised as UrlpullError instead, for a host
    // that must not put boxes in front of the user.
    void SetQuiet(bool quietMode) { quiet = quietMode; }
    qint64 Received() const { return received; }

signals:
    void UrlpullStart();
    void UrlpullError(const QString &text);
    void UrlpullFinish(bool success);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void OnConnected();
    void OnReadyRead();
    void OnDisconnected();
    void OnError();
    void OnTimeOut();
    void RestartTimeOut();
    void Report(const QString &text, bool exclamation = false);
    void EndWithError(const QString &text, bool exclamation = false);
    bool TakeHeader(const QByteArray &data);
    void ShowDownloaded();
    void ShowUrl();
    void FitUrlLabelMinimum();
    void CloseSocket();
    void FinishDoc();
    bool BeginBody();
    bool WriteBodyPart(const char *data, qint64 size);
    bool CommitBody();
    QString WriteErrorText() const;
    void DropBody();

    QTcpSocket *WS;
    QTimer *tmrTimeOut;
    QGroupBox *frameDispURL;
    QLabel *lblURL;
    QLabel *lblDownloaded;
    QPushButton *cmdCancel;

    bool running = false;
    bool aborted = false;
    bool quiet = false;
    qint64 leastProgress = DefaultLeastProgressBytes;
    // What had been received when the time-out window last started over.
    qint64 progressMark = 0;
    qint64 bodyLimit = -1;
    qint64 expectedLength = -1;
    // For the download running: the body's bytes so far, the most it may have and the length
    // it must have (-1: none).
    qint64 bodyBytes = 0;
    qint64 bodyCeiling = -1;
    qint64 bodyExact = -1;
    QString url;
    QByteArray request;
    // The response until the end of its header; the body goes straight to a temporary file
    // beside the out file, which takes the out file's place only when the download succeeds.
    QByteArray buffer;
    bool headerDone = false;
    qint64 responseBytes = 0;
    std::unique_ptr<QSaveFile> bodyFile;
    QString outFile;
    // Every byte since the control was made: the panel shows a running total across downloads.
    qint64 received = 0;
};
