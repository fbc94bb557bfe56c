#include "backupwait.h"

#include "platform.h"
#include "refittermessages.h"

bool WaitForBackupToEnd(const Pause &pause) {
    const QString backup =
        platform::ProgramDirectory() + platform::ExecutableName(QStringLiteral("Backup"));
    int failures = 0;
    while (platform::IsFileInUse(backup)) {
        if (++failures > BackupWaitPatience &&
            RefitterMessage(QStringLiteral("Backup.exe is still busy!\n"
                                           "Cannot update whilst the program is running!\n"
                                           "Continue trying to update?"),
                            MsgButtons::OKCancel) == MsgAnswer::Cancel)
            return false;
        pause(BackupWaitInterval);
    }
    return true;
}
