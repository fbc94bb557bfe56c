#include "RestoreProgress.h"

#include "PathLabel.h"
#include "restorewidgets.h"
#include "textutil.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace {

void SetBar(QProgressBar *bar, double fraction) {
    bar->setValue(int(qBound(0.0, fraction, 1.0) * bar->maximum()));
}

} // namespace

RestoreProgress::RestoreProgress(QWidget *parent) : QWidget(parent) {
    BuildLayout();
    tmrTimer = NamedTimer(this, "tmrTimer", 1000, false);
    tmrUnzip = NamedTimer(this, "tmrUnzip", 250, false);
    connect(tmrTimer, &QTimer::timeout, this, &RestoreProgress::TickTime);
    connect(tmrUnzip, &QTimer::timeout, this, &RestoreProgress::TickUnzip);
}

void RestoreProgress::BuildLayout() {
    lblRestoring = Named(new PathLabel(this), "lblRestoring");
    lblTo = Named(new PathLabel(this), "lblTo");
    lblRestored = ValueLabel(this, "lblRestored");
    lblCopied = ValueLabel(this, "lblCopied");
    lblTotal = ValueLabel(this, "lblTotal");
    lblTime = ValueLabel(this, "lblTime");
    lblNext = ValueLabel(this, "lblNext");
    prgFiles = Named(new QProgressBar(this), "prgFiles");
    prgSize = Named(new QProgressBar(this), "prgSize");
    for (QProgressBar *bar : {prgFiles, prgSize})
        bar->setRange(0, 1000);
    cmdPause = Button(this, "cmdPause", "Pause");
    auto *grid = new QGridLayout(this);
    const std::pair<const char *, QWidget *> rows[] = {
        {"Restoring :", lblRestoring},
        {"To :", lblTo},
        {"Files Copied :", lblRestored},
        {"Current File Copied :", lblCopied},
        {"Total Files Copied :", lblTotal},
        {"Time :", lblTime},
        {"Next Media (Can Change) :", lblNext},
        {"Files :", prgFiles},
        {"Size :", prgSize},
    };
    int row = 0;
    for (const auto &[caption, control] : rows) {
        grid->addWidget(Caption(this, caption), row, 0, Qt::AlignTop);
        grid->addWidget(control, row++, 1);
    }
    grid->setColumnStretch(1, 1);
    grid->addWidget(cmdPause, row++, 0, Qt::AlignLeft);
    grid->setRowStretch(row, 1);
}

void RestoreProgress::RunStarted() {
    finished = false;
    elapsed.start();
    tmrTimer->start();
    lblTime->setText(QStringLiteral("---"));
    for (QLabel *label : {lblRestored, lblCopied})
        label->setText(QStringLiteral("---"));
    lblRestoring->SetPath(QStringLiteral("---"));
    lblTo->SetPath(QStringLiteral("---"));
    SetBars(0, 0);
}

void RestoreProgress::SetRestoring(const QString &source) {
    lblRestoring->SetPath(source);
}

void RestoreProgress::SetTo(const QString &destination) {
    lblTo->SetPath(destination);
}

void RestoreProgress::SetRestored(const QString &text) {
    lblRestored->setText(text);
}

void RestoreProgress::SetCopyLabel(const QString &text) {
    const bool reset = text == QLatin1String("---");
    if (!reset && copyShown.isValid() && copyShown.elapsed() < 100)
        return;
    copyShown.start();
    lblCopied->setText(text);
}

void RestoreProgress::SetTotal(const QString &text) {
    lblTotal->setText(text);
}

void RestoreProgress::SetNext(const QString &text) {
    lblNext->setText(text);
}

void RestoreProgress::SetBars(double filesFraction, double sizeFraction) {
    SetBar(prgFiles, filesFraction);
    SetBar(prgSize, sizeFraction);
}

void RestoreProgress::SetUnzipping(bool unzipping) {
    if (unzipping) {
        TickUnzip();
        tmrUnzip->start();
    } else {
        tmrUnzip->stop();
    }
}

void RestoreProgress::RunEnded(bool /*cancelled*/) {
    tmrTimer->stop();
    tmrUnzip->stop();
    TickTime();
}

void RestoreProgress::TickTime() {
    if (elapsed.isValid())
        lblTime->setText(FormatDuration(qint32(elapsed.elapsed() / 1000), true));
}

void RestoreProgress::TickUnzip() {
    unzipSlash = !unzipSlash;
    lblCopied->setText(unzipSlash ? QStringLiteral("Unzipping /") : QStringLiteral("Unzipping \\"));
}
