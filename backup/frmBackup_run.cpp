// The running step: the engine's run, and the buttons that act on it while it works.
#include "frmBackup.h"

#include "BackupProgress.h"
#include "cancelflag.h"
#include "filestobackup.h"
#include "frmFilesToBackup.h"
#include "model.h"
#include "modelchange.h"
#include "runinprogress.h"
#include "stopquestions.h"
#include "textutil.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <cmath>

namespace {

QString SavedText(double originalKB, double finalKB) {
    if (originalKB <= 0)
        return QStringLiteral("---");
    return QString::number(std::floor((1 - finalKB / originalKB) * 10000) / 100) + QLatin1Char('%');
}

} // namespace

void frmBackup::StartBackup() {
    tmrStartBackup->stop();
    if (running)
        return;
    running = true;
    control = BackupControl();
    AnnounceModelChange();
    {
        const RunInProgress inProgress;
        result = DoBackup(TheModel(), ChosenOptions(), *progress, control);
    }
    running = false;
    // A cancelled run has forgotten itself; the window goes with it.
    if (!result.finished) {
        HideForm();
        return;
    }
    ShowStatistics(result.totals);
    lblSummary->setText(SummaryLines(result.summary).join(QLatin1Char('\n')));
    stage = FinishedStep;
    ShowStage();
}

void frmBackup::StopClick() {
    AskStop(control, *progress);
}

void frmBackup::PauseClick() {
    AskPause(control);
    if (CancelFlag())
        HideForm();
}

void frmBackup::ViewListClick() {
    filesWindow->ShowForm(FilesToBackupList(TheModel(), control));
}

void frmBackup::ShowStatistics(const ZipTotals &totals) {
    const QString figures[8] = {QString::number(totals.count),
                                QString::number(totals.allCount),
                                FormatSize(totals.originalKB),
                                FormatSize(totals.allOriginalKB),
                                FormatSize(totals.zippedKB),
                                FormatSize(totals.allFinalKB),
                                SavedText(totals.originalKB, totals.zippedKB),
                                SavedText(totals.allOriginalKB, totals.allFinalKB)};
    for (int i = 0; i < 8; ++i)
        zipFigures[i]->setText(figures[i]);
}

void frmBackup::ShowActivity(const QString &activity) {
    setWindowTitle(QString::fromLatin1(Caption) + QStringLiteral(" - ") + activity);
}
