// Where a restored file lands: below 'Restore To' (with its directory structure or without),
// moved into "ErrDirs" and renamed when the path would be too long.

#include "restorerun.h"

#include "model.h"
#include "platform.h"
#include "restorepaths.h"
#include "textutil.h"

#include <QFile>

bool RestoreRun::DecideDestination(int index) {
    FileWork &w = work[index];
    // Later pieces, and a restart from another version, keep the place the first piece got;
    // deciding again would move the file or use up another number.
    if (!w.destination.isEmpty())
        return true;
    const FileRecord &f = TheModel().Files[index];
    if (!SafeFileName(f.Name) || (options.chkDirStruct && !SafeAbsolutePath(f.Path))) {
        GiveUp(index, UnsafePathMessage);
        return false;
    }
    QString d = options.restoreTo;
    if (options.chkDirStruct)
        d += AddSlashed(platform::RelativeForm(f.Path));
    const char *note = nullptr;
    if ((d + f.Name).size() >= RestorePathLimit) {
        d = MoveDirectory(f, d);
        AppendLine(d + QStringLiteral("!ErrFile.txt"),
                   f.Name +
                       QStringLiteral(" had to be placed in here due to destination path length!"));
        note = DirectoryShortenedMessage;
    } else {
        // The tree keeps every directory it made open, so many files of one directory cost
        // one making, and a link planted there later is never written through. A directory
        // that cannot be made shows up as the failed copy of its file.
        tree->MakeDirectory(Below(d));
    }
    QString destination = d + f.Name;
    if (destination.size() >= RestorePathLimit) {
        const QString number = PadNumber(++renameCounter, 8);
        const qsizetype dot = f.Name.lastIndexOf(QLatin1Char('.'));
        const QString extension = dot < 0 ? f.Name : f.Name.mid(dot + 1);
        AppendLine(d + QStringLiteral("!ErrFile.txt"),
                   f.Name + QStringLiteral(" had to be renamed to ") + number + QLatin1Char('.') +
                       extension + QStringLiteral(" due to destination path length!"));
        destination = d + number + QLatin1Char('.') + extension;
        note = FileShortenedMessage;
    }
    if (destination.size() >= RestorePathLimit) {
        GiveUp(index, PathTooLongMessage);
        return false;
    }
    if (note)
        result.shortened.append(f.Name + QLatin1String(note) + f.Path);
    w.destination = destination;
    return true;
}

QString RestoreRun::MoveDirectory(const FileRecord &file, const QString &dir) {
    if (!platform::PathsEqual(dir, lastMovedDirectory)) {
        lastMovedDirectory = dir;
        const QString number = PadNumber(++dirMoveCounter, 8);
        const QString errDirs =
            options.restoreTo + QStringLiteral("ErrDirs") + platform::Separator();
        tree->MakeDirectory(Below(errDirs));
        AppendLine(errDirs + QStringLiteral("!ErrDirs.txt"),
                   QStringLiteral("Some (or all) of \"") + file.Path +
                       QStringLiteral("\" had to be moved here to \"") + number +
                       QStringLiteral("\" because some names were too long!"));
        currentMovedDirectory = errDirs + number + platform::Separator();
        tree->MakeDirectory(Below(currentMovedDirectory));
    }
    return currentMovedDirectory;
}

void RestoreRun::AppendLine(const QString &path, const QString &line) {
    const int fd = tree->Open(Below(path), platform::WriteOpen::Append);
    if (fd < 0)
        return;
    QFile file;
    if (file.open(fd, QIODevice::Append, QFileDevice::AutoCloseHandle))
        file.write((line + QStringLiteral("\r\n")).toUtf8());
}

QString RestoreRun::Below(const QString &path) const {
    return path.startsWith(options.restoreTo) ? path.mid(options.restoreTo.size()) : QString();
}

void RestoreRun::RemoveTarget(const QString &path) {
    if (path.startsWith(options.restoreTo))
        tree->Remove(Below(path));
    else
        QFile::remove(path); // the temporary zip in the run's private folder
}
