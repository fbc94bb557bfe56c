#include "fileops.h"

#include "cancelflag.h"
#include "patterns.h"
#include "platform.h"
#include "programend.h"
#include "prompt.h"
#include "statuslog.h"
#include "textutil.h"

#include <QFile>
#include <QStringList>

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

fs::path NativePath(const QString &path) {
#ifdef Q_OS_WIN
    return fs::path(path.toStdWString());
#else
    return fs::path(QFile::encodeName(path).toStdString());
#endif
}

QString QtPath(const fs::path &path) {
#ifdef Q_OS_WIN
    return QString::fromStdWString(path.native());
#else
    return QFile::decodeName(path.native().c_str());
#endif
}

int ErrorNumber(const std::error_code &error) {
    return platform::FileErrorFromSystem(error.value());
}

// A trailing separator makes the system look through a link; these checks must not.
fs::path WithoutTrailingSeparator(const QString &path) {
    QString trimmed = path;
    while (trimmed.size() > 1 && trimmed.endsWith(platform::Separator()))
        trimmed.chop(1);
    return NativePath(trimmed);
}

bool IsRegularFile(const fs::file_status &status) {
    return status.type() == fs::file_type::regular;
}

bool IsRealDirectory(const fs::file_status &status) {
    return status.type() == fs::file_type::directory;
}

bool RegularFileAt(const QString &path) {
    std::error_code error;
    return IsRegularFile(fs::symlink_status(NativePath(path), error));
}

bool HasWildcard(const QString &name) {
    return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
}

bool AnyFileMatches(const QString &dir, const QString &pattern) {
    std::error_code error;
    for (fs::directory_iterator it(NativePath(dir), error), end; !error && it != end;
         it.increment(error)) {
        if (IsRegularFile(it->symlink_status(error)) &&
            MatchesPattern(QtPath(it->path().filename()), pattern))
            return true;
    }
    return false;
}

void ReportDirectoryError(bool removing, int number) {
    AskAbortCurrentOperation(
        (removing ? QStringLiteral("A directory error occured whilst removing a directory.\n"
                                   "Remove directory failed.\n")
                  : QStringLiteral("A directory error occured whilst creating a directory.\n"
                                   "Create directory failed.\n")) +
        platform::ErrorWasText(number));
}

// Empties and removes a real directory (path ends in the separator).
void RemoveTreeLevel(const QString &dir) {
    QStringList subdirectories;
    QList<fs::path> others;
    std::error_code error;
    for (fs::directory_iterator it(NativePath(dir), error), end; !error && it != end;
         it.increment(error)) {
        if (IsRealDirectory(it->symlink_status(error)))
            subdirectories.append(dir + QtPath(it->path().filename()) + platform::Separator());
        else
            others.append(it->path());
    }
    if (error) {
        ReportDirectoryError(true, ErrorNumber(error));
        return;
    }
    for (const QString &subdirectory : subdirectories)
        RemoveDirectoryTree(subdirectory);
    if (CancelFlag())
        return;
    for (const fs::path &other : others) {
        if (!fs::remove(other, error) && error) {
            ReportDirectoryError(true, ErrorNumber(error));
            return;
        }
    }
    // A directory that could not be emptied stays; that is no error of its own.
    fs::remove(NativePath(dir), error);
}

void EndAfter(const QString &message) {
    MsgBox(message);
    EndProgram(1);
}

} // namespace

void AskAbortCurrentOperation(const QString &failure) {
    if (MsgBox(Question::AbortOperation, failure + QStringLiteral("\nAbort current operation?"),
               MsgButtons::YesNo) == MsgAnswer::Yes)
        SetCancelFlag(true);
}

double FileLength(const QString &path) {
    int number = platform::ErrNone;
    const qint64 length = platform::FileLength64(path, &number);
    if (length < 0) {
        if (number != platform::ErrFileNotFound && number != platform::ErrPathNotFound)
            StatusPrint(QStringLiteral("Could not measure ") + path + QStringLiteral(" : ") +
                        platform::ErrorWasText(number) + QLatin1Char('\n'));
        return -1;
    }
    return DirExists(path) ? -1 : double(length);
}

bool DirExists(const QString &path) {
    if (path.isEmpty())
        return false;
    std::error_code error;
    return fs::is_directory(NativePath(path), error);
}

bool FileExists(const QString &fullPath) {
    const qsizetype sep = fullPath.lastIndexOf(platform::Separator());
    if (sep < 0)
        return false;
    const QString dir = fullPath.left(sep + 1);
    const QString name = fullPath.mid(sep + 1);
    if (name.isEmpty() || !DirExists(dir))
        return false;
    // Without a wildcard the name is looked up as it stands, so that the answer agrees with
    // opening the file on a system that tells "a" from "A".
    return HasWildcard(name) ? AnyFileMatches(dir, name) : RegularFileAt(fullPath);
}

bool IsDirEmpty(const QString &path) {
    if (!DirExists(path))
        return false;
    std::error_code error;
    fs::directory_iterator it(NativePath(path), error);
    return !error && it == fs::directory_iterator();
}

void CreateDirectory(const QString &path) {
    SetCancelFlag(false);
    const QString full = AddSlashed(path);
    const QChar separator = platform::Separator();
    // The deepest level is simply made first: on a new medium mostly only it is missing, and one
    // call then does what a look at each level and the making would. Anything else goes the
    // long way, which also tells what is wrong.
    std::error_code madeAtOnce;
    fs::create_directory(NativePath(full), madeAtOnce);
    if (!madeAtOnce)
        return; // made, or there already as a directory
    // The levels are looked at from the deepest up: mostly only the last one or none is missing,
    // and a look at every level from the root cost more than copying a small file.
    QList<qsizetype> missing; // where each missing level ends, deepest first
    for (qsizetype end = full.size() - 1; end >= 0; end = full.lastIndexOf(separator, end - 1)) {
        if (DirExists(full.left(end + 1)))
            break;
        missing.append(end);
        if (end == 0)
            break;
    }
    for (auto end = missing.crbegin(); end != missing.crend() && !CancelFlag(); ++end) {
        std::error_code error;
        fs::create_directory(NativePath(full.left(*end + 1)), error);
        if (error) {
            ReportDirectoryError(false, ErrorNumber(error));
            return;
        }
    }
}

void MakeDirectoryKeepingCancel(const QString &path) {
    const bool cancelled = CancelFlag();
    CreateDirectory(path);
    if (cancelled)
        SetCancelFlag(true);
}

int MakeDirectoryQuietly(const QString &path, bool withParents) {
    std::error_code error;
    const fs::path native = WithoutTrailingSeparator(path);
    if (withParents)
        fs::create_directories(native, error);
    else
        fs::create_directory(native, error);
    return error ? ErrorNumber(error) : 0;
}

void RemoveDirectoryTree(const QString &path) {
    if (CancelFlag() || !DirExists(path))
        return;
    const fs::path native = WithoutTrailingSeparator(path);
    std::error_code error;
    if (fs::is_symlink(fs::symlink_status(native, error))) {
        // The link goes, whatever it points at stays.
        if (!fs::remove(native, error) && error)
            ReportDirectoryError(true, ErrorNumber(error));
        return;
    }
    RemoveTreeLevel(AddSlashed(path));
}

bool RenameFile(const QString &oldPath, const QString &newPath) {
    if (!RegularFileAt(oldPath))
        return false;
    const QChar sep = platform::Separator();
    const QString oldDir = oldPath.left(oldPath.lastIndexOf(sep) + 1);
    const QString newDir = newPath.left(newPath.lastIndexOf(sep) + 1);
    if (!platform::PathsEqual(oldDir, newDir)) {
        EndAfter(QStringLiteral("Rename failed!\nDirectories are not the same!"));
        return false;
    }
    if (platform::PathsEqual(oldPath, newPath))
        return true;
    const fs::path from = NativePath(oldPath);
    const fs::path to = NativePath(newPath);
    std::error_code error;
    // Two names of one file (a hard link, or a change of letter case where the system ignores
    // it): deleting the "other" one would delete the file itself.
    const bool sameFile = fs::equivalent(from, to, error);
    if (!sameFile && RegularFileAt(newPath))
        fs::remove(to, error);
    fs::rename(from, to, error);
    if (sameFile)
        return !error;
    if (RegularFileAt(oldPath)) {
        EndAfter(QStringLiteral("Couldnt rename old file!\n") + oldPath);
        return false;
    }
    return !error;
}
