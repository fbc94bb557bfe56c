#include "refitter.h"

#include "fileops.h"
#include "installupdate.h"
#include "packagefile.h"
#include "platform.h"
#include "refittermessages.h"
#include "rollback.h"

namespace {

void ShowUsage() {
    const QString name = QStringLiteral("Refitter");
    RefitterMessage(QStringLiteral("It should not be necessary to run this program manually.\n"
                                   "You should be able to use Update from inside the Backup.exe "
                                   "pogram.\n\nManual Usage :\nUpdate   : ") +
                    name + QStringLiteral(" <UpdatePackage>.Upk\nRollback : ") + name +
                    QStringLiteral(" -rollback"));
}

// The end of every run, whatever happened: the package is gone and Backup runs again.
bool FinishRun(const QString &packagePath) {
    if (!packagePath.isEmpty())
        DeletePackage(packagePath);
    const QString dir = platform::ProgramDirectory();
    const QString backup = dir + platform::ExecutableName(QStringLiteral("Backup"));
    if (!FileExists(backup)) {
        RefitterMessage(QStringLiteral("Backup.exe not found!"));
        return false;
    }
    if (FileLength(backup) <= 0)
        return false;
    if (platform::StartDetached(backup, {}, dir))
        return true;
    RefitterMessage(QStringLiteral("Backup.exe could not be started!\n") + backup);
    return false;
}

} // namespace

RefitterRun RunRefitter(const QString &commandLine, const Pause &pause) {
    RefitterRun run;
    const QString argument = commandLine.trimmed();
    if (argument.isEmpty()) {
        ShowUsage();
        run.backupStarted = FinishRun(QString());
        return run;
    }
    const bool rollback = argument.toLower() == QStringLiteral("-rollback");
    const QString packagePath = rollback ? QString() : PackagePathFrom(argument);
    if (WaitForBackupToEnd(pause)) {
        if (rollback) {
            RollBackUpdate();
            run.succeeded = true;
        } else {
            run.succeeded = InstallUpdate(packagePath);
        }
    }
    run.backupStarted = FinishRun(packagePath);
    return run;
}
