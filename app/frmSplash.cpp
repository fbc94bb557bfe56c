#include "frmSplash.h"

#include "appicon.h"
#include "doevents.h"
#include "edgeframe.h"
#include "ontop.h"
#include "version.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

frmSplash::frmSplash() {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("Quillons Pellmoor"));
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    QVBoxLayout *layout = AddEdgeFrame(this, "fraSplash", 30, 24);
    QWidget *frame = layout->parentWidget();

    auto *picLogo = new QLabel(frame);
    picLogo->setObjectName(QStringLiteral("picLogo"));
    picLogo->setPixmap(ProgramIcon().pixmap(64, 64));
    picLogo->setAlignment(Qt::AlignCenter);
    layout->addWidget(picLogo);
    auto *lblProduct = new QLabel(QStringLiteral("Quillons Pellmoor"), frame);
    lblProduct->setObjectName(QStringLiteral("lblProduct"));
    lblProduct->setAlignment(Qt::AlignCenter);
    QFont big = lblProduct->font();
    big.setPointSizeF(big.pointSizeF() * 2);
    big.setBold(true);
    lblProduct->setFont(big);
    layout->addWidget(lblProduct);
    auto *lblTagline = new QLabel(QStringLiteral("Backups onto CD, DVD or hard disk"), frame);
    lblTagline->setObjectName(QStringLiteral("lblTagline"));
    lblTagline->setAlignment(Qt::AlignCenter);
    layout->addWidget(lblTagline);
    lblVersion = new QLabel(frame);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setAlignment(Qt::AlignCenter);
    layout->addWidget(lblVersion);

    tmrHideSplash = new QTimer(this);
    tmrHideSplash->setObjectName(QStringLiteral("tmrHideSplash"));
    tmrHideSplash->setInterval(3000);
    tmrHideSplash->setSingleShot(true);
    connect(tmrHideSplash, &QTimer::timeout, this, &frmSplash::HideSplash);
}

void frmSplash::ShowForm() {
    setWindowIcon(ProgramIcon());
    lblVersion->setText(QStringLiteral("Version ") + QString::fromLatin1(ProgramVersion));
    adjustSize();
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    MakeTopmost(this);
    DoEvents();
}

void frmSplash::AllowHide() {
    allowed = true;
    tmrHideSplash->start();
}

void frmSplash::mousePressEvent(QMouseEvent *event) {
    QWidget::mousePressEvent(event);
    if (allowed)
        HideSplash();
}

void frmSplash::HideSplash() {
    tmrHideSplash->stop();
    if (isVisible()) {
        MakeNotTopmost(this);
        hide();
    }
    // The follow-up is shown once: a later menu command must not pull the control centre out
    // of the notification area.
    if (followUp) {
        auto show = std::move(followUp);
        followUp = nullptr;
        show();
    }
}
