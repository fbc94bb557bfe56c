#include "rollback.h"

#include "fileops.h"
#include "packagetargets.h"
#include "platform.h"
#include "refittermessages.h"
#include "updateflagstore.h"

#include <QFile>

namespace {

QString Quoted(const QString &path) {
    return QLatin1Char('"') + path + QLatin1Char('"');
}

// One status line: Y rolled back, M left for Backup to finish, N nothing to roll back from.
QString RollBackFile(const QString &file) {
    const QString kept = file + QStringLiteral(".Old");
    if (!FileExists(kept))
        return QStringLiteral("N ") + Quoted(kept) + QStringLiteral(" does not exist!");
    if (platform::PathsEqual(file, UpdaterOwnPath())) {
        // The running updater cannot be replaced; Backup swaps the ".this" copy in.
        const QString waiting = file + QStringLiteral(".this");
        RenameFile(kept, waiting);
        return QStringLiteral("M ") + Quoted(waiting) +
               QStringLiteral(" will be dealt with by backup!");
    }
    QFile::remove(file);
    RenameFile(kept, file);
    return QStringLiteral("Y ") + Quoted(file) + QStringLiteral(" rolled back!");
}

} // namespace

QStringList RollbackList() {
    return {platform::ExecutableName(QStringLiteral("Backup")),
            platform::LibraryFileName(QStringLiteral("Urlpull")),
            platform::ExecutableName(QStringLiteral("packsmith"))};
}

void RollBackUpdate() {
    QStringList status;
    for (const QString &name : RollbackList())
        status.append(RollBackFile(platform::ProgramDirectory() + name));
    SetFlag(QLatin1String(FlagFirstRunAfterUpdate), false);
    SetFlag(QLatin1String(FlagErrorAfterUpdate), false);
    SetFlag(QLatin1String(FlagRolledBack), true);
    if (status.isEmpty())
        RefitterMessage(QStringLiteral("Rollback successful!"));
    else
        RefitterMessage(QStringLiteral("Rollback completed.\nY=rolled back, M=more to do, "
                                       "N=failed\nStatus :\n") +
                        status.join(QLatin1Char('\n')));
}
