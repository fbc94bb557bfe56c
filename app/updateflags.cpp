#include "updateflags.h"

#include "fileops.h"
#include "platform.h"
#include "prompt.h"
#include "statuslog.h"
#include "version.h"

#include <QFile>

QString UpdaterPath() {
    return platform::ProgramDirectory() + platform::ExecutableName(QStringLiteral("Refitter"));
}

QString UpdaterReplacementPath() {
    return UpdaterPath() + QStringLiteral(".this");
}

QString UpdaterOldPath() {
    // The updater keeps every file it replaces under this suffix and rolls back from it; where
    // names are case-sensitive only the one spelling finds the same file.
    return UpdaterPath() + QStringLiteral(".Old");
}

bool FinishUpdaterReplacement() {
    if (!FileExists(UpdaterReplacementPath()))
        return false;
    const bool rolledBack = GetFlag(FlagRolledBack);
    if (rolledBack) {
        // The updater that came with a broken update is not worth keeping.
        QFile::remove(UpdaterPath());
    } else if (FileExists(UpdaterPath())) {
        RenameFile(UpdaterPath(), UpdaterOldPath());
    }
    if (!RenameFile(UpdaterReplacementPath(), UpdaterPath()))
        StatusPrint(QStringLiteral("Could not put the new updater in place."), true);
    MsgBox(rolledBack ? QStringLiteral("Rollback completed!")
                      : QStringLiteral("Update completed!"));
    SetFlag(FlagRolledBack, false);
    return true;
}

UpdateCheck DetectFailedUpdate() {
    if (!GetFlag(FlagFirstRunAfterUpdate))
        return UpdateCheck::Normal;
    if (!GetFlag(FlagErrorAfterUpdate)) {
        SetFlag(FlagErrorAfterUpdate, true);
        return UpdateCheck::Normal;
    }
    if (FileExists(UpdaterPath())) {
        MsgBox(QStringLiteral("It appears that you have got an update which has\n"
                              "stopped this program from working properly!\n"
                              "The update will now (hopefully) be undone."));
        if (platform::StartDetached(UpdaterPath(), {QStringLiteral("-rollback")},
                                    platform::ProgramDirectory()))
            return UpdateCheck::RollbackStarted;
        // An updater that cannot be started would otherwise end every start from now on.
        StatusPrint(QStringLiteral("The updater could not be started."), true);
    }
    MsgBox(QStringLiteral("It appears that you have got an update which has stopped this program "
                          "from working properly!\nUnfortunately the update program cannot be "
                          "found (Refitter.exe).\nTherefore, you will have to download a new "
                          "version by yourself (if the program still doesnt work properly).\n\n") +
           QString::fromLatin1(DownloadPageAddress));
    return UpdateCheck::Normal;
}
