#include "startup.h"

#include "infofile.h"
#include "model.h"
#include "platform.h"
#include "programfiles.h"
#include "programini.h"
#include "prompt.h"
#include "readonlyprobe.h"
#include "runatstartup.h"
#include "statuslog.h"
#include "updateflags.h"
#include "version.h"

#include <QSaveFile>

StartupSwitches ParseSwitches(const QStringList &arguments) {
    const QString line = arguments.mid(1).join(u' ').toLower();
    StartupSwitches switches;
    switches.makeVersion = line.contains(QStringLiteral("/makever"));
    switches.restore =
        line.contains(QStringLiteral("/restore")) || line.contains(QStringLiteral("-restore"));
    switches.minimise =
        line.contains(QStringLiteral("/min")) || line.contains(QStringLiteral("-min"));
    return switches;
}

AppMode &TheAppMode() {
    static AppMode mode;
    return mode;
}

bool WriteVersionFile() {
    QSaveFile file(platform::ProgramDirectory() + QStringLiteral("Backup.Ver"));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QByteArray(ProgramVersion) + "\r\n");
    return file.commit();
}

namespace {

void RefuseSecondInstance() {
    MsgBox(QStringLiteral("Quillons Pellmoor is already runnning!\n"
                          "It may be minimised to the \"system tray\".\n"
                          "This is usually in the bottom right corner of the screen.\n"
                          "Move your mouse over icons to see what they are."));
}

StartupResult Finish(StartupResult result) {
    // Only a start that got this far clears the flags: one that broke off leaves them for the
    // next start to see.
    SetFlag(FlagFirstRunAfterUpdate, false);
    SetFlag(FlagErrorAfterUpdate, false);
    TheAppMode().ReadOnlyMode = result.readOnly;
    TheAppMode().RestoreMode = result.restoreMode;
    return result;
}

} // namespace

StartupResult RunStartup(const QStringList &arguments, platform::SingleInstanceLock &lock,
                         const StartupSteps &steps) {
    const StartupSwitches switches = ParseSwitches(arguments);
    StartupResult result;
    if (switches.makeVersion) {
        result.exitCode = WriteVersionFile() ? 0 : 1;
        return result;
    }
    if (!lock.TryAcquire()) {
        RefuseSecondInstance();
        result.exitCode = 1;
        return result;
    }
    BuildProgramFiles();
    FinishUpdaterReplacement();
    if (DetectFailedUpdate() == UpdateCheck::RollbackStarted)
        return result;

    if (steps.windowsLoaded)
        steps.windowsLoaded();
    ResetSettings();
    TheAppMode() = AppMode();

    if (switches.restore) {
        result.outcome = StartupOutcome::ShowRestore;
        result.restoreMode = true;
        return Finish(result);
    }
    result.readOnly = !CanWriteTo(platform::ProgramDirectory());
    TheAppMode().ReadOnlyMode = result.readOnly;
    if (result.readOnly) {
        StatusPrint(QStringLiteral("Working in read only mode."), true);
        LoadIniFile(ProgramIniPath(), false);
        result.outcome = StartupOutcome::ShowControl;
        return Finish(result);
    }
    LoadIniFile(ProgramIniPath(), true);
    SyncRunAtStartup();
    if (steps.automaticUpdate)
        steps.automaticUpdate();
    result.outcome = switches.minimise ? StartupOutcome::ToTray : StartupOutcome::ShowControl;
    return Finish(result);
}
