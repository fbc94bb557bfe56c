// The end of a run: attributes, saving and statistics after success, or the cancel path that
// makes the model forget the run.

#include "backuprun.h"

#include "cancelflag.h"
#include "fileops.h"
#include "infofile.h"
#include "model.h"
#include "platform.h"
#include "programini.h"
#include "prompt.h"
#include "statuslog.h"
#include "textutil.h"

#include <QFile>
#include <QFileInfo>

#include <cmath>

void BackupRun::SetFileAttributes() {
    int count = 0;
    for (const FileRecord &file : model.Files)
        count +=
            file.VersionsLast() >= 0 && file.Versions.last().BackupIndex == model.BackupsLast();
    view.SetStage(QStringLiteral("Setting File Attributes"),
                  QStringLiteral("0 Of ") + QString::number(count));
    int done = 0;
    for (int i = 0; i < model.Files.size(); ++i) {
        const FileRecord &file = model.Files[i];
        if (file.VersionsLast() < 0 || file.Versions.last().BackupIndex != model.BackupsLast())
            continue;
        view.SetCounter(QString::number(++done) + QStringLiteral(" Of ") + QString::number(count));
        const QString path = file.Path + file.Name;
        // Cleared as of the state the copy was taken in, without a look at the file: one that
        // changed since no longer matches its stamp and stays marked for the next backup.
        int error = 0;
        const platform::FileState *prepared = placer.PreparedState(i);
        const bool cleared = prepared ? platform::ClearArchiveAttributeAsOf(path, *prepared, &error)
                                      : platform::ClearArchiveAttribute(path, &error);
        if (!cleared)
            StatusPrint(QStringLiteral("An error occurred setting attributes of ") + path +
                        QStringLiteral(" : ") + platform::FileErrorDescription(error));
    }
}

void BackupRun::ShowZipResult() {
    const ZipTotals &totals = placer.Totals();
    view.ShowZipStatistics(totals);
    if (totals.count == 0 || totals.originalKB <= 0)
        return;
    const double saved = std::floor((1 - totals.zippedKB / totals.originalKB) * 10000) / 100;
    MsgBox(QStringLiteral("Zipping all files turned :\n") + FormatSize(totals.originalKB) +
               QStringLiteral(" into ") + FormatSize(totals.zippedKB) +
               QStringLiteral(".\nSaving : ") + QString::number(saved) + QStringLiteral("% !"),
           MsgButtons::OK);
}

void BackupRun::Finish() {
    // The history is saved before any file loses its mark: a file marked as backed up whose
    // new version the saved history does not hold would never be backed up again.
    view.SetStage(QStringLiteral("Saving Files"), QStringLiteral("---"));
    if (SaveIniFile(model, ProgramIniPath(), CurrentIniVersion)) {
        SetFileAttributes();
    } else {
        saveFailed = true;
        StatusPrint(QStringLiteral("The information file was not saved; no file was marked as "
                                   "backed up\n"));
        // The media stay: each holds its own information file and can be restored from. They
        // stand where the next backup writes, so the user is told to move them.
        MsgBox(QStringLiteral("The information file could not be saved, so this backup is not "
                              "recorded.\nNo file was marked as backed up: the next backup "
                              "copies them again.\nThe media of this backup stay in \"") +
                   media.Root() +
                   QStringLiteral("\"); move or delete them before the next backup."),
               MsgButtons::OK);
    }
    view.SetStage(QStringLiteral("Finished"), QStringLiteral("---"));
    ShowZipResult();
    if (errorFlag || placer.FileErrors()) {
        MsgBox(QStringLiteral("One or more file errors occured during the backup operation!"),
               MsgButtons::OK);
        errorShown = true;
    }
}

void BackupRun::CancelPath() {
    view.SetStage(QStringLiteral("Cancelling"), QStringLiteral("---"));
    SetCancelFlag(false);
    for (const BackupFile &file : work) {
        if (!file.ZipName.isEmpty())
            QFile::remove(file.ZipName);
    }
    const QString ini = ProgramIniPath();
    if (options.modelUnusedAfterCancel) {
        // Nobody looks at the model again: forgetting the run would cost a load for nothing.
    } else if (before) {
        // Nothing was saved yet: forget the run by putting back what it started from.
        model = *before;
    } else {
        LoadIniFile(model, ini, false);
    }
    media.RemoveRoot();
    SetCancelFlag(false);
    view.HideWindow();
}
