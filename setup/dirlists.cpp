#include "dirlists.h"

#include "clsDirectory.h"
#include "model.h"
#include "patterns.h"
#include "platform.h"
#include "prompt.h"
#include "storabletext.h"
#include "textutil.h"

namespace {

// The information file keeps directories without their trailing separator and the selectors
// hand them back with it: both name the same directory.
QString Comparable(const QString &path) {
    return AddSlashed(platform::ComparablePath(path));
}

void ReportDuplicate(const QString &name, const QString &what = QStringLiteral("directory")) {
    MsgBox(QStringLiteral("The ") + what + QStringLiteral(" you attempted to add (\"") + name +
           QStringLiteral("\") is already in the list!"));
}

// Patterns match without regard to case, so two that differ only in case are one.
QString ComparableExclude(const QString &entry) {
    return IsExcludePattern(entry) ? entry.toCaseFolded() : Comparable(entry);
}

// The model's own way in: an entry already present is refused, whoever adds it.
bool InsertDirectory(const clsDirectory &entry) {
    for (const clsDirectory &stored : TheModel().Directories) {
        if (Comparable(stored.GetCompDirName()) == Comparable(entry.GetCompDirName())) {
            ReportDuplicate(entry.NiceDirName());
            return false;
        }
    }
    TheModel().Directories.append(entry);
    return true;
}

} // namespace

QString DirectoryRow(const clsDirectory &entry) {
    return entry.NiceDirName() + QStringLiteral(", ") + entry.Patterns + QStringLiteral(", ") +
           (entry.IncludeSubdirs ? QString() : QStringLiteral("Dont ")) +
           QStringLiteral("Include Subdirectories");
}

QStringList DirectoryRows() {
    QStringList rows;
    for (const clsDirectory &entry : TheModel().Directories)
        rows.append(DirectoryRow(entry));
    return rows;
}

bool ValidateDir(const clsDirectory &entry, int index) {
    if (entry.NiceDirName().isEmpty())
        return false;
    if (!CheckStorable(QStringLiteral("The directory"), entry.NiceDirName()) ||
        !CheckStorable(QStringLiteral("The patterns"), entry.Patterns))
        return false;
    QList<clsDirectory> &directories = TheModel().Directories;
    for (int i = 0; i < directories.size(); ++i) {
        if (i != index &&
            Comparable(directories[i].GetCompDirName()) == Comparable(entry.GetCompDirName())) {
            ReportDuplicate(entry.NiceDirName());
            return false;
        }
    }
    if (index < 0)
        return InsertDirectory(entry);
    if (index >= directories.size())
        return false;
    directories[index] = entry;
    return true;
}

void RemoveDirectoryEntry(int index) {
    QList<clsDirectory> &directories = TheModel().Directories;
    if (index >= 0 && index < directories.size())
        directories.removeAt(index);
}

namespace {

bool StoreExclude(const QString &entry, int index, const QString &what) {
    QStringList &excludes = TheModel().Excludes;
    const QString comparable = ComparableExclude(entry);
    for (int i = 0; i < excludes.size(); ++i) {
        if (i != index && ComparableExclude(excludes[i]) == comparable) {
            ReportDuplicate(entry, what);
            return false;
        }
    }
    if (index < 0)
        excludes.append(entry);
    else if (index < excludes.size())
        excludes[index] = entry;
    else
        return false;
    return true;
}

} // namespace

bool ValidateDirEx(const QString &path, int index) {
    if (path.isEmpty() || !CheckStorable(QStringLiteral("The directory"), path))
        return false;
    return StoreExclude(path, index, QStringLiteral("directory"));
}

bool ValidateExcludePattern(const QString &pattern, int index) {
    if (pattern.isEmpty() || !CheckStorable(QStringLiteral("The pattern"), pattern))
        return false;
    if (!IsExcludePattern(pattern)) {
        MsgBox(QStringLiteral("A pattern to exclude names files or folders wherever they are and "
                              "holds no path (\"") +
               pattern + QStringLiteral("\"). Use \"Add Directory\" to exclude one directory."));
        return false;
    }
    return StoreExclude(pattern, index, QStringLiteral("pattern"));
}

void RemoveDirectoryEx(int index) {
    QStringList &excludes = TheModel().Excludes;
    if (index >= 0 && index < excludes.size())
        excludes.removeAt(index);
}

QStringList ExcludeRows() {
    QStringList &excludes = TheModel().Excludes;
    for (QString &path : excludes) {
        // A drive letter typed in lower case is shown and kept in upper case; a pattern is kept
        // as typed.
        if (!path.isEmpty() && !IsExcludePattern(path) && path.front().toLower() == path.front())
            path.front() = path.front().toUpper();
    }
    return excludes;
}
