#include "RestoreFrameView.h"

#include "PathLabel.h"
#include "frmRestore.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace {

void SetBar(QProgressBar *bar, double fraction) {
    bar->setValue(int(qBound(0.0, fraction, 1.0) * bar->maximum()));
}

} // namespace

void RestoreFrameView::RunStarted() {
    window.elapsed.start();
    window.tmrTimer->start();
    window.lblTime->setText(QStringLiteral("---"));
    window.cmdNext->setEnabled(false);
    for (QLabel *label : {window.lblRestored, window.lblCopied})
        label->setText(QStringLiteral("---"));
    window.lblRestoring->SetPath(QStringLiteral("---"));
    window.lblTo->SetPath(QStringLiteral("---"));
    SetBars(0, 0);
}

void RestoreFrameView::SetRestoring(const QString &source) {
    window.lblRestoring->SetPath(source);
}

void RestoreFrameView::SetTo(const QString &destination) {
    window.lblTo->SetPath(destination);
}

void RestoreFrameView::SetRestored(const QString &text) {
    window.lblRestored->setText(text);
}

void RestoreFrameView::SetCopyLabel(const QString &text) {
    const bool reset = text == QLatin1String("---");
    if (!reset && copyShown.isValid() && copyShown.elapsed() < 100)
        return;
    copyShown.start();
    window.lblCopied->setText(text);
}

void RestoreFrameView::SetTotal(const QString &text) {
    window.lblTotal->setText(text);
}

void RestoreFrameView::SetNext(const QString &text) {
    window.lblNext->setText(text);
}

void RestoreFrameView::SetBars(double filesFraction, double sizeFraction) {
    SetBar(window.prgFiles, filesFraction);
    SetBar(window.prgSize, sizeFraction);
}

void RestoreFrameView::SetUnzipping(bool unzipping) {
    if (unzipping) {
        window.TickUnzip();
        window.tmrUnzip->start();
    } else {
        window.tmrUnzip->stop();
    }
}

void RestoreFrameView::RunEnded(bool /*cancelled*/) {
    window.tmrTimer->stop();
    window.tmrUnzip->stop();
    window.TickTime();
}
