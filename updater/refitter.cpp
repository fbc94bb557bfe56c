#include "refitter.h"

#include "fileops.h"
#include "installupdate.h"
#include "packagecheck.h"
#include "packagefile.h"
#include "platform.h"
#include "refittermessages.h"
#include "rollback.h"

#include <QFile>

namespace {

void ShowUsage() {
    const QString name = QStringLiteral("Refitter");
    RefitterMessage(QStringLiteral("It should not be necessary to run this program manually.\n"
                                   "You should be able to use Update from inside the Backup.exe "
                                   "pogram.\n\nManual Usage :\nUpdate   : ") +
                    name + QStringLiteral(" <UpdatePackage>.Upk\nRollback : ") + name +
                    QStringLiteral(" -rollback"));
}

// The end of every run, whatever happened: the package handed over and its version file are
// gone and Backup runs again. A file elsewhere is not the updater's to delete.
bool FinishRun(const QString &packagePath) {
    if (!packagePath.isEmpty()) {
        if (IsInProgramDirectory(packagePath))
            DeletePackage(packagePath);
        QFile::remove(HandedVersionFilePath());
    }
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
    // "-force" before the package: the user asked for it, newer or not.
    const bool forced = !rollback && argument.section(QLatin1Char(' '), 0, 0).toLower() ==
                                         QLatin1String(ForceSwitch);
    const QString packagePath =
        rollback ? QString()
                 : PackagePathFrom(forced ? argument.section(QLatin1Char(' '), 1) : argument);
    if (WaitForBackupToEnd(pause)) {
        if (rollback) {
            RollBackUpdate();
            run.succeeded = true;
        } else {
            run.succeeded = InstallUpdate(packagePath, forced);
        }
    }
    run.backupStarted = FinishRun(packagePath);
    return run;
}
