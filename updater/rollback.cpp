#include "rollback.h"

#include "fileops.h"
#include "packagetargets.h"
#include "platform.h"
#include "refittermessages.h"
#include "renamejournal.h"
#include "rollbacklist.h"
#include "updateflagstore.h"

#include <QFile>
#include <QFileInfo>

#include <optional>

namespace {

QString Quoted(const QString &path) {
    return QLatin1Char('"') + path + QLatin1Char('"');
}

// Puts the kept copy in the file's place; the file goes only once its copy is in, so a rename
// that fails leaves it where it was.
bool PutKeptCopyBack(const QString &kept, const QString &file) {
    RenameJournal journal;
    const QString aside = file + QStringLiteral(".rolled-back");
    QFile::remove(aside);
    const bool present = QFileInfo::exists(file) || QFileInfo(file).isSymLink();
    if ((present && journal.Move(file, aside) != 0) || journal.Move(kept, file) != 0) {
        journal.Undo();
        return false;
    }
    QFile::remove(aside);
    return true;
}

// One status line: Y rolled back, M left for Backup to finish, N nothing to roll back from or
// not rolled back.
QString RollBackFile(const QString &file) {
    const QString kept = file + QStringLiteral(".Old");
    if (!FileExists(kept))
        return QStringLiteral("N ") + Quoted(kept) + QStringLiteral(" does not exist!");
    if (platform::PathsEqual(file, UpdaterOwnPath())) {
        // The running updater cannot be replaced; Backup swaps the ".this" copy in.
        const QString waiting = file + QStringLiteral(".this");
        if (!PutKeptCopyBack(kept, waiting))
            return QStringLiteral("N ") + Quoted(kept) + QStringLiteral(" could not be renamed!");
        return QStringLiteral("M ") + Quoted(waiting) +
               QStringLiteral(" will be dealt with by backup!");
    }
    if (!PutKeptCopyBack(kept, file))
        return QStringLiteral("N ") + Quoted(kept) + QStringLiteral(" could not be renamed!");
    return QStringLiteral("Y ") + Quoted(file) + QStringLiteral(" rolled back!");
}

// A listed name as a path in the program directory; nothing for one that leads out of it.
std::optional<QString> ListedPath(const QString &name) {
    if (platform::PathsEqual(platform::ProgramDirectory() + name, UpdaterOwnPath()))
        return UpdaterOwnPath();
    return ResolveTarget(name);
}

} // namespace

QStringList RollbackList() {
    return {platform::ExecutableName(QStringLiteral("Backup")),
            platform::LibraryFileName(QStringLiteral("Urlpull")),
            platform::ExecutableName(QStringLiteral("packsmith"))};
}

void RollBackUpdate() {
    const std::optional<RollbackRecord> record = ReadRollbackList();
    const bool listed = record && !record->replaced.isEmpty();
    QStringList status;
    for (const QString &name : listed ? record->replaced : RollbackList()) {
        const std::optional<QString> path = ListedPath(name);
        status.append(path ? RollBackFile(*path)
                           : QStringLiteral("N ") + Quoted(name) +
                                 QStringLiteral(" is not in the program directory!"));
    }
    // The version before the update is the installed one again; the list's files are done.
    if (listed && !record->before.isEmpty())
        WriteRollbackList(RollbackRecord{record->before, QString(), {}});
    else if (listed)
        QFile::remove(RollbackListPath());
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
