#include "frmAlert.h"

#include "WindowKeys.h"
#include "appicon.h"
#include "appwindows.h"
#include "clock.h"
#include "duecheck.h"
#include "edgeframe.h"
#include "model.h"
#include "ontop.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QTimer *MakeTimer(QObject *parent, const char *name, int interval) {
    auto *timer = new QTimer(parent);
    timer->setObjectName(QString::fromLatin1(name));
    timer->setInterval(interval);
    timer->setSingleShot(true);
    return timer;
}

QPushButton *MakeButton(QWidget *parent, QHBoxLayout *row, const char *name, const char *caption) {
    auto *button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    row->addWidget(button);
    return button;
}

QRect ScreenArea() {
    QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 800, 600);
}

} // namespace

frmAlert::frmAlert(std::function<void()> backupClick) : backupClick(std::move(backupClick)) {
    setObjectName(QStringLiteral("frmAlert"));
    setWindowTitle(QStringLiteral("Quillons Pellmoor"));
    setWindowIcon(ProgramIcon());
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);

    QVBoxLayout *layout = AddEdgeFrame(this, "fraAlert", 12, 10);
    QWidget *frame = layout->parentWidget();
    // The window has no title bar: the reminder says itself whose it is.
    auto *lblProgram = new QLabel(windowTitle(), frame);
    lblProgram->setObjectName(QStringLiteral("lblProgram"));
    lblProgram->setAlignment(Qt::AlignCenter);
    layout->addWidget(lblProgram);
    txtAlert = new QLineEdit(QStringLiteral("Its Backup Time!"), frame);
    txtAlert->setObjectName(QStringLiteral("txtAlert"));
    txtAlert->setReadOnly(true);
    // A heading, not a field: Tab passes it by.
    txtAlert->setFocusPolicy(Qt::NoFocus);
    txtAlert->setAlignment(Qt::AlignCenter);
    QFont big = txtAlert->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    txtAlert->setFont(big);
    layout->addWidget(txtAlert);
    auto *row = new QHBoxLayout();
    cmdOk = MakeButton(frame, row, "cmdOk", "Hide For Now");
    cmdTomorrow = MakeButton(frame, row, "cmdTomorrow", "Tell Me Tomorrow");
    cmdBackup = MakeButton(frame, row, "cmdBackup", "Start Backup Now");
    layout->addLayout(row);
    // Enter and Escape both put the reminder away for now.
    cmdOk->setDefault(true);
    WindowKeys::Install(this, cmdOk);
    adjustSize();
    setFixedSize(sizeHint());

    tmrShow = MakeTimer(this, "tmrShow", 1);
    tmrHide = MakeTimer(this, "tmrHide", 1);
    tmrCheckEnds = MakeTimer(this, "tmrCheckEnds", 1000);
    tmrTryAgain = MakeTimer(this, "tmrTryAgain", 60000);
    connect(tmrShow, &QTimer::timeout, this, &frmAlert::ShowStep);
    connect(tmrHide, &QTimer::timeout, this, &frmAlert::HideStep);
    connect(tmrCheckEnds, &QTimer::timeout, this, &frmAlert::CheckEndsTick);
    connect(tmrTryAgain, &QTimer::timeout, this, &frmAlert::TryAgainTick);

    connect(cmdOk, &QPushButton::clicked, this, &frmAlert::SlideOut);
    connect(cmdTomorrow, &QPushButton::clicked, this, [this] {
        SlideOut();
        TheModel().Settings.RemindFromDate = Today().addDays(1);
    });
    connect(cmdBackup, &QPushButton::clicked, this, [this] {
        SlideOut();
        if (this->backupClick)
            this->backupClick();
    });
}

bool frmAlert::Blocked() {
    return IsAppWindowVisible(AppWindow::Backup) || IsAppWindowVisible(AppWindow::Restore) ||
           IsAppWindowVisible(AppWindow::Setup);
}

int frmAlert::TopOffset() const {
    return y() - ScreenArea().top();
}

void frmAlert::SetTopOffset(int offset) {
    move(ScreenArea().left(), ScreenArea().top() + offset);
}

int frmAlert::Step() const {
    // A window shorter than fifty pixels still moves.
    return qMax(1, height() / 50);
}

void frmAlert::DoAlert(const QString &text, double minutes) {
    queue.Add(text, minutes, SecondsSinceMidnight());
    if (!isVisible())
        DoNextAlert();
}

void frmAlert::DoNextAlert() {
    if (queue.IsEmpty())
        return;
    tmrCheckEnds->start();
    queue.Sort();
    txtAlert->setText(queue.At(0).text);
    ShowAlert();
}

void frmAlert::ShowAlert() {
    if (Blocked()) {
        tmrTryAgain->start();
        return;
    }
    SetTopOffset(-height());
    MakeTopmost(this);
    SetTopOffset(-height());
    tmrShow->start();
}

void frmAlert::ShowStep() {
    const int top = TopOffset() + Step();
    if (top < 0) {
        SetTopOffset(top);
        tmrShow->start();
    } else {
        SetTopOffset(0);
    }
}

void frmAlert::SlideOut() {
    tmrShow->stop();
    tmrHide->start();
}

void frmAlert::HideStep() {
    if (txtAlert->text() == QString::fromLatin1(ReminderText))
        TheReminderState().ReminderShowing = false;
    const int top = TopOffset() - Step();
    SetTopOffset(top);
    if (top >= -height())
        tmrHide->start();
    else
        HideAlert();
}

void frmAlert::HideAlert() {
    RemoveAnAlert(0);
    MakeNotTopmost(this);
    hide();
    DoNextAlert();
}

void frmAlert::RemoveAnAlert(int index) {
    queue.Remove(index);
}

void frmAlert::TryAgainTick() {
    if (!isVisible())
        DoNextAlert();
}

void frmAlert::CheckEndsTick() {
    const AlertQueue::Expiry expiry = queue.CheckEnds(SecondsSinceMidnight());
    if (expiry.dropped > 0 || expiry.headExpired)
        tmrShow->stop();
    if (expiry.headExpired)
        tmrHide->start();
    if (!queue.IsEmpty())
        tmrCheckEnds->start();
}
