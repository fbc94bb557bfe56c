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
    // A server that sends nothing for this long is given up on; a minute lets a slow line
    // breathe while a dead one does not hold the update check for ever.
    static constexpr int DefaultTimeOutMs = 60000;

    explicit Urlpull(QWidget *parent = nullptr);
    ~Urlpull() override;

    bool IsRunning() const { return running; }
    // Starts a download and returns at once; does nothing while one is running. (A member cannot
    // share the class's name, so the control's own verb is spelt out.)
    void StartDownload(const QString &address, const QString &outFile);
    void AbortDoc();

    void SetTimeOutMs(int milliseconds);
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
    void ShowDownloaded();
    void ShowUrl();
    void FitUrlLabelMinimum();
    void CloseSocket();
    void FinishDoc();
    void BeginBody();
    void WriteBodyPart(const char *data, qint64 size);
    bool CommitBody();
    void DropBody();

    QTcpSocket *WS;
    QTimer *tmrTimeOut;
    QGroupBox *frameDispURL;
    QLabel *lblURL;
    QLabel *lblDownloaded;
    QPushButton *cmdCancel;

    bool running = false;
    bool aborted = false;
    QString url;
    QByteArray request;
    // The response until the end of its header; the body goes straight to a temporary file
    // beside the out file, which takes the out file's place only when the download succeeds.
    QByteArray buffer;
    bool headerDone = false;
    qint64 responseBytes = 0;
    std::unique_ptr<QSaveFile> bodyFile;
    bool bodyFailed = false;
    QString outFile;
    // Every byte since the control was made: the panel shows a running total across downloads.
    qint64 received = 0;
};
