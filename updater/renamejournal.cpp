#include "renamejournal.h"

#include "faultpoint.h"

#include <QFile>

#include <cerrno>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

fs::path NativePath(const QString &path) {
    return fs::path(QFile::encodeName(path).toStdString());
}

int Rename(const QString &from, const QString &to) {
    if (const int injected = platform::InjectedFault(platform::FaultPoint::Rename))
        return injected;
    std::error_code error;
    const fs::file_status status = fs::symlink_status(NativePath(from), error);
    if (error)
        return error.value();
    if (fs::is_directory(status))
        return EISDIR;
    // Never over something: the names the installer moves to are free or made free first.
    if (fs::exists(fs::symlink_status(NativePath(to), error)))
        return EEXIST;
    fs::rename(NativePath(from), NativePath(to), error);
    return error.value();
}

} // namespace

int RenameJournal::Move(const QString &from, const QString &to) {
    const int error = Rename(from, to);
    if (error == 0)
        moves.append({from, to});
    return error;
}

QStringList RenameJournal::Undo() {
    QStringList left;
    while (!moves.isEmpty()) {
        const QPair<QString, QString> move = moves.takeLast();
        std::error_code error;
        fs::rename(NativePath(move.second), NativePath(move.first), error);
        if (error)
            left.append(move.first);
    }
    return left;
}
