#include "urlpull.h"

#include "LabelCaption.h"
#include "namedwidgets.h"
#include "prompt.h"
#include "urlpullrequest.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QSaveFile>
#include <QTcpSocket>
#include <QTimer>

namespace {

constexpr double TwipsPerPixel = LabelCaption::TwipsPerPixel;
// The smallest panel that still shows the address, the total and the button.
constexpr int MinWidthTwips = 4000;
constexpr int MinHeightTwips = 1335;

// One line: a wrapped address would make the panel's height depend on what it fetches.
constexpr int UrlLines = 1;

const char *const NotDownloading = "Not Downloading";

QString TooLargeText(qint64 ceiling) {
    return QStringLiteral("Error! Document too large!\r\nMore than %1 bytes were sent.")
        .arg(ceiling);
}

QString IncompleteText(qint64 got, qint64 expected) {
    return QStringLiteral("Error! Download incomplete!\r\n%1 of %2 bytes were received.")
        .arg(got)
        .arg(expected);
}

constexpr qint64 ReadBufferBytes = 1 << 20;

} // namespace

Urlpull::Urlpull(QWidget *parent)
    : QWidget(parent), WS(new QTcpSocket(this)), tmrTimeOut(new QTimer(this)) {
    frameDispURL =
        Named(new QGroupBox(QStringLiteral("Getting Web Document"), this), "frameDispURL");
    lblURL = Label(frameDispURL, "lblURL", NotDownloading);
    lblDownloaded = Label(frameDispURL, "lblDownloaded");
    cmdCancel = Button(frameDispURL, "cmdCancel", "Cancel");
    cmdCancel->setEnabled(false);
    // The address is fitted to the label's width, so the label must not ask for the whole text;
    // it asks only for room to say that nothing is downloading.
    lblURL->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    FitUrlLabelMinimum();
    // The address is fitted again whenever the label itself changes width: the panel's own
    // resize comes before its layout has given the label its new width.
    lblURL->installEventFilter(this);

    auto *grid = new QGridLayout(frameDispURL);
    grid->addWidget(Label(frameDispURL, "Label2", "URL :"), 0, 0);
    grid->addWidget(lblURL, 0, 1);
    grid->addWidget(Label(frameDispURL, "Label3", "Total Downloaded :"), 1, 0);
    grid->addWidget(lblDownloaded, 1, 1);
    grid->addWidget(cmdCancel, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    // The frame fills the panel, which is never smaller than its floor, nor than its contents
    // need in a larger font.
    auto *outer = new QGridLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frameDispURL, 0, 0);
    outer->setColumnMinimumWidth(0, int(MinWidthTwips / TwipsPerPixel));
    outer->setRowMinimumHeight(0, int(MinHeightTwips / TwipsPerPixel));

    tmrTimeOut->setSingleShot(true);
    tmrTimeOut->setInterval(DefaultTimeOutMs);
    connect(tmrTimeOut, &QTimer::timeout, this, &Urlpull::OnTimeOut);
    // Arrivals are taken in pieces of at most this size, so that a large document is never
    // held in memory: its body goes to disk as it comes.
    WS->setReadBufferSize(ReadBufferBytes);
    connect(WS, &QTcpSocket::connected, this, &Urlpull::OnConnected);
    connect(WS, &QTcpSocket::readyRead, this, &Urlpull::OnReadyRead);
    connect(WS, &QTcpSocket::disconnected, this, &Urlpull::OnDisconnected);
    connect(WS, &QTcpSocket::errorOccurred, this, &Urlpull::OnError);
    connect(cmdCancel, &QPushButton::clicked, this, &Urlpull::AbortDoc);
    ShowDownloaded();
}

Urlpull::~Urlpull() {
    CloseSocket();
}

void Urlpull::SetTimeOutMs(int milliseconds) {
    tmrTimeOut->setInterval(milliseconds);
}

void Urlpull::StartDownload(const QString &address, const QString &file) {
    if (running)
        return;
    emit UrlpullStart();
    running = true;
    url = EncodeQuery(address);
    ShowUrl();
    ShowDownloaded();
    const UrlpullTarget target = ParseTarget(url);
    request = RequestBytes(target);
    CloseSocket();
    tmrTimeOut->start();
    buffer.clear();
    headerDone = false;
    responseBytes = 0;
    bodyBytes = 0;
    bodyCeiling = -1;
    bodyExact = -1;
    progressMark = received;
    DropBody();
    aborted = false;
    cmdCancel->setEnabled(true);
    outFile = file;
    WS->connectToHost(target.hostName, target.port);
}

void Urlpull::OnConnected() {
    WS->write(request);
    RestartTimeOut();
}

void Urlpull::OnReadyRead() {
    const QByteArray data = WS->readAll();
    if (!running || data.isEmpty())
        return;
    responseBytes += data.size();
    received += data.size();
    ShowDownloaded();
    const bool going = headerDone ? WriteBodyPart(data.constData(), data.size()) : TakeHeader(data);
    // Only real progress starts the time-out window over: a server dripping a byte at a time
    // must not keep the download open for ever.
    if (going && received - progressMark >= leastProgress)
        RestartTimeOut();
}

bool Urlpull::TakeHeader(const QByteArray &data) {
    // The blank line may straddle two arrivals.
    const qsizetype searchFrom = qMax<qsizetype>(0, buffer.size() - 3);
    buffer += data;
    const qsizetype end = buffer.indexOf("\r\n\r\n", searchFrom);
    if (end < 0 ? buffer.size() > HeaderLimit : end + 4 > HeaderLimit) {
        EndWithError(QStringLiteral("Error! No header!"));
        return false;
    }
    if (end < 0)
        return true;
    headerDone = true;
    const qsizetype bodyStart = end + 4;
    const QByteArray header = buffer.left(bodyStart);
    QByteArray none;
    if (ReadResponse(header, &none) != ResponseKind::Ok) {
        // The status line has decided it: an error page is not read to its end.
        EndWithError(QStringLiteral("Error! Server error!"));
        return false;
    }
    bodyExact = expectedLength >= 0 ? expectedLength : ContentLength(header);
    bodyCeiling = bodyLimit;
    if (bodyExact >= 0 && (bodyCeiling < 0 || bodyExact < bodyCeiling))
        bodyCeiling = bodyExact;
    const QByteArray rest = buffer.mid(bodyStart);
    buffer = header;
    if (!BeginBody()) {
        EndWithError(WriteErrorText(), true);
        return false;
    }
    return WriteBodyPart(rest.constData(), rest.size());
}

void Urlpull::OnDisconnected() {
    if (!running)
        return;
    OnReadyRead();
    // What was read last may have ended the download already.
    if (!running)
        return;
    CloseSocket();
    FinishDoc();
}

void Urlpull::OnError() {
    // A server closing after its answer is the normal end, reported as a disconnection.
    if (WS->error() == QAbstractSocket::RemoteHostClosedError || !running)
        return;
    const QString description = WS->errorString();
    CloseSocket();
    emit UrlpullError(QStringLiteral("WinSock Error! \r\n") + description);
    AbortDoc();
}

void Urlpull::OnTimeOut() {
    if (running)
        EndWithError(QStringLiteral("Get URL Timed Out!"));
}

void Urlpull::Report(const QString &text, bool exclamation) {
    if (quiet)
        emit UrlpullError(text);
    else
        MsgBox(text, MsgButtons::OK, QString(), exclamation ? MsgIcon::Exclamation : MsgIcon::None);
}

void Urlpull::EndWithError(const QString &text, bool exclamation) {
    // Silenced first: neither a close nor the time-out arriving while the message is up may end
    // the download twice.
    tmrTimeOut->stop();
    CloseSocket();
    Report(text, exclamation);
    AbortDoc();
}

void Urlpull::AbortDoc() {
    buffer.clear();
    responseBytes = 0;
    aborted = true;
    FinishDoc();
}

void Urlpull::RestartTimeOut() {
    progressMark = received;
    tmrTimeOut->start();
}

void Urlpull::ShowDownloaded() {
    lblDownloaded->setText(DownloadedText(received));
}

void Urlpull::ShowUrl() {
    if (!running) {
        lblURL->setText(QString::fromLatin1(NotDownloading));
        return;
    }
    LabelCaption caption(lblURL);
    NiceCaption(&caption, url, QStringLiteral("/"), UrlLines);
}

void Urlpull::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        FitUrlLabelMinimum();
}

bool Urlpull::eventFilter(QObject *watched, QEvent *event) {
    if (watched == lblURL && event->type() == QEvent::Resize)
        ShowUrl();
    return QWidget::eventFilter(watched, event);
}

void Urlpull::FitUrlLabelMinimum() {
    lblURL->setMinimumWidth(
        lblURL->fontMetrics().horizontalAdvance(QString::fromLatin1(NotDownloading)));
}

void Urlpull::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    ShowUrl();
}

void Urlpull::CloseSocket() {
    // Closing here must not come back as a disconnection of the download being ended.
    const QSignalBlocker quiet(WS);
    WS->abort();
}

void Urlpull::FinishDoc() {
    tmrTimeOut->stop();
    cmdCancel->setEnabled(false);
    CloseSocket();
    const bool wasRunning = running;
    running = false;
    ShowUrl();
    bool success = false;
    if (responseBytes > 0) {
        // A header that came whole was read as it arrived: an error answer ended the download
        // there, so what remains is a body.
        if (!headerDone)
            Report(QStringLiteral("Error! No header!"));
        else if (bodyExact >= 0 && bodyBytes != bodyExact)
            // A connection broken off in the body ends like a close: only the length tells.
            Report(IncompleteText(bodyBytes, bodyExact));
        else
            success = CommitBody();
    } else if (!aborted && wasRunning) {
        Report(QStringLiteral("Error! File is empty!"));
    }
    DropBody();
    buffer.clear();
    responseBytes = 0;
    headerDone = false;
    emit UrlpullFinish(success);
}

bool Urlpull::BeginBody() {
    bodyFile = std::make_unique<QSaveFile>(outFile);
    return bodyFile->open(QIODevice::WriteOnly);
}

bool Urlpull::WriteBodyPart(const char *data, qint64 size) {
    if (size <= 0)
        return true;
    bodyBytes += size;
    if (bodyCeiling >= 0 && bodyBytes > bodyCeiling) {
        EndWithError(TooLargeText(bodyCeiling));
        return false;
    }
    // Receiving on after a failed write would only fill the disk further for nothing.
    if (bodyFile->write(data, size) != size) {
        EndWithError(WriteErrorText(), true);
        return false;
    }
    return true;
}

QString Urlpull::WriteErrorText() const {
    return QStringLiteral("Error! Cannot write the downloaded file!\r\n") + outFile +
           QStringLiteral("\r\n") + (bodyFile ? bodyFile->errorString() : QString());
}

bool Urlpull::CommitBody() {
    // Written whole or not at all: a failed write leaves the earlier file as it was.
    const bool written = bodyFile->write("\n", 1) == 1 && bodyFile->commit();
    if (!written)
        Report(WriteErrorText(), true);
    bodyFile.reset();
    return written;
}

void Urlpull::DropBody() {
    // A body not committed is thrown away with its temporary file.
    if (bodyFile)
        bodyFile->cancelWriting();
    bodyFile.reset();
}
