// The stage "Backing Up Files": media one after another, each filled first-fit by decreasing
// size, and what happens between two media.

#include "backuprun.h"

#include "cancelflag.h"
#include "fileops.h"
#include "prompt.h"

bool BackupRun::AnyPending() const {
    for (const BackupFile &file : work) {
        if (file.ToBackUp && !file.Placed)
            return true;
    }
    return false;
}

bool BackupRun::StartWriting() {
    view.SetStage(QStringLiteral("Backing Up Files"),
                  QStringLiteral("0 Of ") + QString::number(collect.FilesToBackup() + 1));
    if (!media.OpenRoot())
        return false;

    // The first zips start now, so that the processor works while the medium gets its
    // information file and program files.
    MakeDirectoryKeepingCancel(model.Settings.TempDirectory);
    placer.QueueZipsAhead(-1);
    if (!media.OpenMedium())
        errorFlag = true;
    // Media too small for the program files would never take a byte of data.
    if (media.TooSmall()) {
        MsgBox(QStringLiteral("The media is too small to hold the program files and the "
                              "information file!"),
               MsgButtons::OK);
        SetCancelFlag(true);
        return false;
    }
    media.Estimate(1.05, placer.TotalToBackup());
    // A stop accepted while files were collected still holds.
    if (control.stopButtonEnabled)
        view.SetStopButton(true, QStringLiteral("Stop"));
    return !CancelFlag();
}

void BackupRun::WriteAll() {
    // Zips made ahead for files this run no longer writes (after a stop or a cancel) go too.
    struct ClearAhead {
        CopyPlacer &placer;
        ~ClearAhead() { placer.ClearZipsAhead(); }
    } clearAhead{placer};
    if (!StartWriting())
        return;
    while (true) {
        const bool stoppedNow = FillMedium();
        if (CancelFlag())
            return;
        if (!stoppedNow && media.TookNothing()) {
            // An empty medium that took nothing would be followed by endless empty ones.
            for (int i = 0; i < int(work.size()); ++i) {
                if (work[i].ToBackUp && !work[i].Placed)
                    placer.Fail(i, QStringLiteral("it does not fit on an empty medium"));
            }
        }
        // After a stop only the medium being filled is completed.
        const bool more = !control.StopAccepted() && AnyPending();
        const MediumWriter::Closed closed = media.CloseMedium(more, placer.TotalToBackup());
        if (closed.fileError)
            errorFlag = true;
        if (!closed.another)
            return;
    }
}
