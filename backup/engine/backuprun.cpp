#include "backuprun.h"

#include "cancelflag.h"
#include "clock.h"
#include "datetext.h"
#include "platform.h"
#include "programini.h"
#include "prompt.h"
#include "statuslog.h"

#include <QFileInfo>

#include <functional>

BackupRun::BackupRun(Model &model, const BackupOptions &options, BackupView &view,
                     BackupControl &control)
    : model(model), options(options), view(view), control(control),
      method(WriteMethodOf(model.Settings)), collect(model, this->options, view, work),
      media(model, view, control, method), placer(model, this->options, view, work, media, zipper),
      ahead(model, work, view, media, placer, copyHold) {
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

void BackupRun::Start() {
    StatusPrint(QStringLiteral("Backup Started"));
    placer.ShowStartState();
    view.RunStarted();
    model.Settings.LastBackupDate = Today();
    view.SetStage(QStringLiteral("Starting"), QStringLiteral("---"));
    view.SetSpaceCaption(QStringLiteral("Space Used On Media :"));
    control.stopButtonEnabled = true;
    control.stopNow = false;
    control.stopFlag = false;
    view.SetStopButton(true, QStringLiteral("Stop"));
}

void BackupRun::NewBackupRecord() {
    StatusPrint(QStringLiteral("Backup - Numbackups now increased!"));
    BackupRecord record;
    record.SetDate = SetDateText(Now());
    record.FirstMedium = model.MediaLast() + 1;
    record.ClusterSize = model.Settings.ClusterSize;
    record.MediaSize = model.Settings.MediaSize;
    record.MediaName = model.Settings.MediaName;
    record.MediaKind = model.Settings.MediaKind;
    // The method the run writes with, which a medium without a limit decides.
    record.WriteAllAtOnce = method == WriteMethod::AllAtOnce;
    record.WriteXpWay = method == WriteMethod::XpWay;
    record.FreshPoint = options.chkFresh;
    model.Backups.append(record);
}

BackupResult BackupRun::Run() {
    Start();
    NewBackupRecord();
    collect.BuildWorkingList();
    // Each stage starts only while the run is not cancelled.
    const std::initializer_list<std::function<void()>> stages = {
        [this] { media.BackupFolderReady(); },
        [this] { collect.CollectDirectories(); },
        [this] { collect.AddKnownFiles(); },
        [this] { collect.CollectFiles(); },
        [this] { media.ComputeStartSpace(); },
        [this] { collect.FindLengths(); },
        [this] { collect.SortFiles(); },
        [this] { collect.CheckFiles(); },
        [this] {
            placer.Begin(collect.FilesToBackup(), collect.TotalToBackup());
            NothingToBackUp();
        },
        [this] { WriteAll(); },
        [this] { Finish(); }};
    for (const auto &stage : stages) {
        if (CancelFlag())
            break;
        stage();
    }
    BackupResult result;
    if (CancelFlag())
        CancelPath();
    else
        result.finished = true;
    result.fileErrors = errorShown;
    result.filesLeftOut = collect.LeftOut();
    result.saveFailed = saveFailed;
    result.totals = placer.Totals();
    if (result.finished)
        result.summary = Summary();
    StatusPrint(QStringLiteral("Backup Finished"));
    view.RunEnded();
    return result;
}

RunSummary BackupRun::Summary() const {
    RunSummary summary;
    summary.toBackUp = collect.FilesToBackup() + 1;
    for (const BackupFile &file : work)
        summary.backedUp += file.Placed ? 1 : 0;
    if (model.BackupsLast() >= 0)
        summary.media = model.MediaLast() - model.Backups.last().FirstMedium + 1;
    summary.stopped = control.StopAccepted();
    summary.leftOut = collect.LeftOut();
    summary.notRecorded = saveFailed;
    summary.where = media.Root();
    if (summary.where.endsWith(platform::Separator()) && summary.where.size() > 1)
        summary.where.chop(1);
    return summary;
}

void BackupRun::NothingToBackUp() {
    if (collect.FilesToBackup() >= 0)
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
