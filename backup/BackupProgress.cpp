#include "BackupProgress.h"

#include "FractionBar.h"
#include "textutil.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Often enough to look live, seldom enough to cost nothing next to the run's own work.
constexpr int UpdateIntervalMs = 150;
constexpr int TimerIntervalMs = 1000;

QLabel *MakeLabel(QWidget *parent, const char *name, const QString &text = QString()) {
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QPushButton *MakeButton(QWidget *parent, const char *name, const char *caption,
                        const char *toolTip) {
    auto *button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(QString::fromLatin1(toolTip));
    return button;
}

} // namespace

BackupProgress::BackupProgress(QWidget *parent) : QWidget(parent) {
    BuildLayout();
    tmrTimer = new QTimer(this);
    tmrTimer->setObjectName(QStringLiteral("tmrTimer"));
    tmrTimer->setInterval(TimerIntervalMs);
    connect(tmrTimer, &QTimer::timeout, this, &BackupProgress::ShowTime);
    tmrUpdate = new QTimer(this);
    tmrUpdate->setObjectName(QStringLiteral("tmrUpdate"));
    tmrUpdate->setInterval(UpdateIntervalMs);
    connect(tmrUpdate, &QTimer::timeout, this, &BackupProgress::Refresh);
    Reset();
}

void BackupProgress::BuildLayout() {
    setObjectName(QStringLiteral("BackupProgress"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    lblDoing = MakeLabel(this, "lblDoing");
    QFont bold = lblDoing->font();
    bold.setBold(true);
    lblDoing->setFont(bold);
    lblDone = MakeLabel(this, "lblDone");
    lblFile = MakeLabel(this, "lblFile");
    // A long path is shortened in its middle rather than widening the window.
    lblFile->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lblFile->setMinimumWidth(1);
    layout->addWidget(lblDoing);
    layout->addWidget(lblDone);
    layout->addWidget(lblFile);

    auto *grid = new QGridLayout();
    grid->setColumnStretch(2, 1);
    const auto addRow = [&](int row, QLabel *&caption, const char *captionName,
                            const char *captionText, QLabel *&value, const char *valueName,
                            FractionBar *&bar, const char *barName) {
        caption = MakeLabel(this, captionName, QString::fromLatin1(captionText));
        value = MakeLabel(this, valueName);
        bar = new FractionBar(this);
        bar->setObjectName(QString::fromLatin1(barName));
        grid->addWidget(caption, row, 0);
        grid->addWidget(value, row, 1);
        grid->addWidget(bar, row, 2);
    };
    addRow(0, lblCopiedCap, "lblCopiedCap", "Current File Copied :", lblCopied, "lblCopied",
           shpCopied, "shpCopied");
    addRow(1, lblTotalCap, "lblTotalCap", "Total Files Copied :", lblTotal, "lblTotal", shpTotal,
           "shpTotal");
    addRow(2, lblUsedCap, "lblUsedCap", "Space Used On Media :", lblUsed, "lblUsed", shpUsed,
           "shpUsed");
    // The values keep room for their longest usual text, so the bars do not jump as they change.
    grid->setColumnMinimumWidth(1, fontMetrics().horizontalAdvance(QStringLiteral(
                                       "Media Used: 99 Of Est. 99, Free: 999.99 MB")));
    layout->addLayout(grid);

    auto *status = new QHBoxLayout();
    lblZipping = MakeLabel(this, "lblZipping");
    lblTimeCap = MakeLabel(this, "lblTimeCap", QStringLiteral("Time Taken :"));
    lblTime = MakeLabel(this, "lblTime");
    status->addWidget(lblZipping);
    status->addStretch(1);
    status->addWidget(lblTimeCap);
    status->addWidget(lblTime);
    layout->addLayout(status);

    auto *buttons = new QHBoxLayout();
    cmdStp = MakeButton(this, "cmdStp", "Stop",
                        "Stop the backup to be started again in a longer time than pause");
    cmdPause =
        MakeButton(this, "cmdPause", "Pause", "Pause the backup to be started again shortly");
    cmdViewList = MakeButton(this, "cmdViewList", "View list of files to backup",
                             "Show a list of files to be backed up. Use this to check if any "
                             "files you dont want to backup are included in the backup.");
    buttons->addWidget(cmdStp);
    buttons->addWidget(cmdPause);
    buttons->addStretch(1);
    buttons->addWidget(cmdViewList);
    layout->addLayout(buttons);
    layout->addStretch(1);
}

void BackupProgress::Reset() {
    reported = Shown();
    reported.doing = QStringLiteral("Collecting Directories ...");
    reported.done = QStringLiteral("---");
    reported.copied = reported.total = reported.used = QStringLiteral("---");
    reported.spaceCaption = QStringLiteral("Space Used On Media :");
    dirty = true;
    Refresh();
    lblTime->setText(ElapsedText(0));
    cmdStp->setText(QStringLiteral("Stop"));
    cmdStp->setEnabled(false);
    cmdPause->setEnabled(true);
}

QString BackupProgress::ElapsedText(qint64 seconds) {
    return PadNumber(seconds / 3600, 2) + QLatin1Char(':') + PadNumber(seconds / 60 % 60, 2) +
           QLatin1Char(':') + PadNumber(seconds % 60, 2);
}

void BackupProgress::ShowTime() {
    lblTime->setText(ElapsedText(elapsed.isValid() ? elapsed.elapsed() / 1000 : 0));
}

void BackupProgress::Refresh() {
    if (!dirty)
        return;
    dirty = false;
    const auto set = [](QLabel *label, const QString &text) {
        // An unchanged text would still cost the label a layout pass.
        if (label->text() != text)
            label->setText(text);
    };
    set(lblDoing, reported.doing);
    set(lblDone, reported.done);
    set(lblFile, lblFile->fontMetrics().elidedText(reported.file, Qt::ElideMiddle,
                                                   qMax(lblFile->width(), 200)));
    set(lblCopied, reported.copied);
    set(lblTotal, reported.total);
    set(lblUsedCap, reported.spaceCaption);
    set(lblUsed, reported.used);
    set(lblZipping, reported.zipping);
    shpCopied->SetFraction(reported.copyFraction);
    shpTotal->SetFraction(reported.totalFraction);
    shpUsed->SetFraction(reported.mediumFraction);
}

void BackupProgress::SetStage(const QString &caption, const QString &counter) {
    const bool changed = caption != reported.doing;
    reported.doing = caption;
    reported.done = counter;
    dirty = true;
    if (!changed)
        return;
    // A new stage is rare and worth showing at once.
    Refresh();
    if (onActivity)
        onActivity(caption);
}

void BackupProgress::SetCounter(const QString &counter) {
    reported.done = counter;
    dirty = true;
}

void BackupProgress::SetCurrentFile(const QString &path) {
    reported.file = path;
    dirty = true;
}

void BackupProgress::SetCopyLabel(const QString &text) {
    reported.copied = text;
    dirty = true;
}

void BackupProgress::SetCopyFraction(double fraction) {
    reported.copyFraction = fraction;
    dirty = true;
}

void BackupProgress::SetTotalCopied(double doneKB, double totalKB) {
    reported.total = FormatSize(doneKB) + QStringLiteral(" Of ") + FormatSize(totalKB);
    dirty = true;
}

void BackupProgress::SetSpaceCaption(const QString &caption) {
    reported.spaceCaption = caption;
    dirty = true;
}

void BackupProgress::SetMediumLine(const QString &mediaUsed, const QString &freeSpace,
                                   double mediumFraction, double totalFraction) {
    reported.used = mediaUsed + QStringLiteral(", Free: ") + freeSpace;
    reported.mediumFraction = mediumFraction;
    reported.totalFraction = totalFraction;
    dirty = true;
}

void BackupProgress::SetZipState(const QString &text) {
    reported.zipping = text;
    dirty = true;
}

void BackupProgress::SetStopButton(bool enabled, const QString &caption) {
    // At once: the run and the user both read the button.
    cmdStp->setText(caption);
    cmdStp->setEnabled(enabled);
}

void BackupProgress::RunStarted() {
    elapsed.start();
    ShowTime();
    tmrTimer->start();
    tmrUpdate->start();
}

void BackupProgress::RunEnded() {
    tmrTimer->stop();
    tmrUpdate->stop();
    ShowTime();
    Refresh();
    cmdStp->setEnabled(false);
    cmdPause->setEnabled(false);
}
