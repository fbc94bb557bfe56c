#include "frmDownload.h"

#include "namedwidgets.h"
#include "urlpull.h"

#include <QEvent>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr double TwipsPerPixel = 15.0;
constexpr int MinWidthTwips = 3000;
// The control keeps 60 twips of the window on each side.
constexpr int MarginTwips = 60;
constexpr int AddressChars = 80;

int Pixels(int twips) {
    return int(twips / TwipsPerPixel + 0.5);
}

} // namespace

frmDownload::frmDownload(QWidget *parent)
    : QWidget(parent, Qt::Window), control(Named(new Urlpull(this), "GD")),
      tmrShow(Named(new QTimer(this), "tmrShow")) {
    setObjectName(QStringLiteral("frmDownload"));
    setWindowTitle(QString::fromLatin1(Caption));
    auto *layout = new QVBoxLayout(this);
    const int margin = Pixels(MarginTwips);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addWidget(control);
    setMinimumWidth(Pixels(MinWidthTwips));

    tmrShow->setSingleShot(true);
    tmrShow->setInterval(ShowDelayMs);
    connect(tmrShow, &QTimer::timeout, this, &frmDownload::OnShowTimer);
    connect(control, &Urlpull::UrlpullStart, this, &frmDownload::OnStart);
    connect(control, &Urlpull::UrlpullFinish, this, &frmDownload::OnFinish);
    KeepHeight();
    // Wide enough for the server's address as a rule; the user may widen it further.
    int width = qMax(minimumSizeHint().width(), fontMetrics().averageCharWidth() * AddressChars);
    if (const QScreen *display = screen())
        width = qMin(width, display->availableGeometry().width());
    resize(width, height());
}

void frmDownload::OnStart() {
    tmrShow->start();
}

void frmDownload::OnShowTimer() {
    tmrShow->stop();
    show();
    raise();
}

void frmDownload::OnFinish() {
    hide();
    tmrShow->stop();
    if (afterDownload)
        afterDownload();
}

void frmDownload::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        KeepHeight();
}

void frmDownload::KeepHeight() {
    // Only the width is the user's to change; the height is what the panel needs in this font.
    layout()->activate();
    setFixedHeight(layout()->sizeHint().height());
}
