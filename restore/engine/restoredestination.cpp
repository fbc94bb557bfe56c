#include "restoredestination.h"

#include "restorepaths.h"
#include "textutil.h"

#include <QFile>

DestinationPlanner::DestinationPlanner(const QString &restoreTo, bool keepStructure)
    : restoreTo(restoreTo), keepStructure(keepStructure), tree(restoreTo) {}

QString DestinationPlanner::Directory(const FileRecord &file) const {
    return keepStructure ? restoreTo + AddSlashed(platform::RelativeForm(file.Path)) : restoreTo;
}

bool DestinationPlanner::PlacesAsItIs(const FileRecord &file) const {
    return SafeFileName(file.Name) && (!keepStructure || SafeAbsolutePath(file.Path)) &&
           (Directory(file) + file.Name).size() < RestorePathLimit;
}

DestinationDecision DestinationPlanner::Decide(const FileRecord &f) {
    DestinationDecision decision;
    if (!SafeFileName(f.Name) || (keepStructure && !SafeAbsolutePath(f.Path))) {
        decision.refusal = UnsafePathMessage;
        return decision;
    }
    QString d = Directory(f);
    if ((d + f.Name).size() >= RestorePathLimit) {
        d = MoveDirectory(f, d);
        AppendLine(d + QStringLiteral("!ErrFile.txt"),
                   f.Name +
                       QStringLiteral(" had to be placed in here due to destination path length!"));
        decision.note = DirectoryShortenedMessage;
    } else {
        // The tree keeps every directory it made open, so many files of one directory cost
        // one making, and a link planted there later is never written through. A directory
        // that cannot be made shows up as the failed copy of its file.
        tree.MakeDirectory(Below(d));
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
        decision.note = FileShortenedMessage;
    }
    if (destination.size() >= RestorePathLimit) {
        decision.refusal = PathTooLongMessage;
        decision.note = nullptr;
        return decision;
    }
    decision.destination = destination;
    return decision;
}

QString DestinationPlanner::MoveDirectory(const FileRecord &file, const QString &dir) {
    if (!platform::PathsEqual(dir, lastMovedDirectory)) {
        lastMovedDirectory = dir;
        const QString number = PadNumber(++dirMoveCounter, 8);
        const QString errDirs = restoreTo + QStringLiteral("ErrDirs") + platform::Separator();
        tree.MakeDirectory(Below(errDirs));
        AppendLine(errDirs + QStringLiteral("!ErrDirs.txt"),
                   QStringLiteral("Some (or all) of \"") + file.Path +
                       QStringLiteral("\" had to be moved here to \"") + number +
                       QStringLiteral("\" because some names were too long!"));
        currentMovedDirectory = errDirs + number + platform::Separator();
        tree.MakeDirectory(Below(currentMovedDirectory));
    }
    return currentMovedDirectory;
}

void DestinationPlanner::AppendLine(const QString &path, const QString &line) {
    const int fd = tree.Open(Below(path), platform::WriteOpen::Append);
    if (fd < 0)
        return;
    QFile file;
    if (file.open(fd, QIODevice::Append, QFileDevice::AutoCloseHandle))
        file.write((line + QStringLiteral("\r\n")).toUtf8());
}

QString DestinationPlanner::Below(const QString &path) const {
    return path.startsWith(restoreTo) ? path.mid(restoreTo.size()) : QString();
}

void DestinationPlanner::Remove(const QString &path) {
    if (path.startsWith(restoreTo))
        tree.Remove(Below(path));
    else
        QFile::remove(path); // the temporary zip in the run's private folder
}
