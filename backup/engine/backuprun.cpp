#include "backuprun.h"

#include "cancelflag.h"
#include "platform.h"
#include "programini.h"
#include "prompt.h"
#include "statuslog.h"

#include <QFileInfo>

BackupRun::BackupRun(Model &model, const BackupOptions &options, BackupView &view,
                     BackupControl &control)
    : model(model), options(options), view(view), control(control),
      method(WriteMethodOf(model.Settings)), zipping(options.chkZip && !options.chkSkip) {
    if (!options.modelUnusedAfterCancel && !QFileInfo::exists(ProgramIniPath()))
        before = model;
    control.zipper = &zipper;
    control.copies = &copyHold;
    control.files = &work;
}

BackupRun::~BackupRun() {
    control.zipper = nullptr;
    control.copies = nullptr;
    control.files = nullptr;
}

BackupResult BackupRun::Run() {
    Start();
    NewBackupRecord();
    BuildWorkingList();
    // Each stage starts only while the run is not cancelled.
    const std::initializer_list<void (BackupRun::*)()> stages = {
        &BackupRun::CollectDirectories, &BackupRun::AddKnownFiles,
        &BackupRun::CollectFiles,       &BackupRun::ComputeStartSpace,
        &BackupRun::FindLengths,        &BackupRun::SortFiles,
        &BackupRun::CheckFiles,         &BackupRun::NothingToBackUp,
        &BackupRun::WriteAll,           &BackupRun::Finish};
    for (auto stage : stages) {
        if (CancelFlag())
            break;
        (this->*stage)();
    }
    BackupResult result;
    if (CancelFlag())
        CancelPath();
    else
        result.finished = true;
    result.fileErrors = errorShown;
    result.filesLeftOut = leftOut;
    result.saveFailed = saveFailed;
    result.totals = totals;
    StatusPrint(QStringLiteral("Backup Finished"));
    view.RunEnded();
    return result;
}

void BackupRun::ComputeStartSpace() {
    WriteMedia(QString());
}

void BackupRun::NothingToBackUp() {
    if (filesToBackup >= 0)
        return;
    view.SetStage(QStringLiteral("Finished"), QStringLiteral("---"));
    MsgBox(QStringLiteral("No files to backup!"), MsgButtons::OK);
    SetCancelFlag(true);
}

BackupResult DoBackup(Model &model, const BackupOptions &options, BackupView &view,
                      BackupControl &control) {
    if (control.running)
        return {};
    control.running = true;
    BackupRun run(model, options, view, control);
    const BackupResult result = run.Run();
    control.running = false;
    return result;
}
