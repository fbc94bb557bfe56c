#include "installfiles.h"

#include "faultpoint.h"
#include "platform.h"
#include "refittermessages.h"
#include "renamejournal.h"
#include "rollback.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <cerrno>
#include <optional>

namespace {

constexpr qint64 CopyBlock = qint64(1) << 20;

const QString PutBackText = QStringLiteral("\nThe previous files have been put back.");

bool Exists(const QString &path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// A name beside path that nothing holds yet, for a file on its way in or out.
QString FreeName(const QString &path, const QString &tag) {
    for (int i = 1;; ++i) {
        const QString name = path + QLatin1Char('.') + tag + QString::number(i);
        if (!Exists(name))
            return name;
    }
}

QString KeptCopy(const QString &name) {
    return platform::ProgramDirectory() + name + QStringLiteral(".Old");
}

// A file keeps the permissions of the one it replaces; a new one is executable when it is a
// program or a script, as the package carries no permissions of its own.
QFileDevice::Permissions ModeFor(const QString &path, const QByteArray &start) {
    if (QFile::exists(path))
        return QFile::permissions(path);
    QFileDevice::Permissions mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                    QFileDevice::ReadUser | QFileDevice::WriteUser |
                                    QFileDevice::ReadGroup | QFileDevice::ReadOther;
    if (start.startsWith("\177ELF") || start.startsWith("#!"))
        mode |= QFileDevice::ExeOwner | QFileDevice::ExeUser | QFileDevice::ExeGroup |
                QFileDevice::ExeOther;
    return mode;
}

bool SyncToDisk(QFile &file) {
    return file.flush() && platform::SyncToDisk(file.handle());
}

class Installer {
public:
    Installer(const QList<PackageFile> &files, QFile &body) : files(files), body(body) {}

    bool Run(RollbackRecord next);

private:
    int WriteNew(const PackageFile &file, const QString &to);
    int WriteList(const RollbackRecord &record, const QString &to);
    bool Swap();
    bool RetirePreviousPoint();
    bool KeepReplaced();
    bool Move(const QString &from, const QString &to);
    bool Fail(const QString &what, const QString &path, int error);

    const QList<PackageFile> &files;
    QFile &body;
    RenameJournal journal;
    QStringList written; // new files beside their targets, in files order
    QString newList;     // the new rollback list beside the old one
    QStringList aside;   // where each replaced file waits to become a kept copy
    QStringList retired; // the previous rollback point, deleted once all is done
    QString failedPath;
    int failedError = 0;
};

// -1 when the file was written in full; otherwise the errno of the step that failed (0 when the
// system left none).
int Installer::WriteNew(const PackageFile &file, const QString &to) {
    QFile out(to);
    errno = 0;
    if (platform::InjectedFault(platform::FaultPoint::Open) != 0 ||
        !out.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return errno;
    QByteArray start;
    if (!body.seek(file.offset))
        return EIO;
    for (qint64 left = file.length; left > 0;) {
        const QByteArray block = body.read(qMin(left, CopyBlock));
        if (block.isEmpty())
            return EIO;
        if (start.isEmpty())
            start = block.left(4);
        if (platform::InjectedFault(platform::FaultPoint::Write) != 0 ||
            out.write(block) != block.size())
            return errno;
        left -= block.size();
    }
    if (file.length == 0 && platform::InjectedFault(platform::FaultPoint::Write) != 0)
        return errno;
    if (platform::InjectedFault(platform::FaultPoint::Flush) != 0 || !SyncToDisk(out))
        return errno;
    out.close();
    out.setPermissions(ModeFor(file.path, start));
    return -1;
}

int Installer::WriteList(const RollbackRecord &record, const QString &to) {
    QFile out(to);
    const QByteArray text = RollbackListText(record);
    errno = 0;
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly) || out.write(text) != text.size() ||
        !SyncToDisk(out))
        return errno;
    return -1;
}

bool Installer::Move(const QString &from, const QString &to) {
    const int error = journal.Move(from, to);
    if (error == 0)
        return true;
    failedPath = from;
    failedError = error;
    return false;
}

// The targets go aside and the new files take their places.
bool Installer::Swap() {
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString &path = files.at(i).path;
        aside.append(Exists(path) ? FreeName(path, QStringLiteral("was")) : QString());
        if ((!aside.last().isEmpty() && !Move(path, aside.last())) || !Move(written.at(i), path))
            return false;
    }
    return true;
}

// The kept copies and the list of the update before: the previous files of this update are kept
// instead, and those it did not replace are no longer part of what a rollback restores.
bool Installer::RetirePreviousPoint() {
    const std::optional<RollbackRecord> previous = ReadRollbackList();
    QStringList names = previous ? previous->replaced : RollbackList();
    for (const PackageFile &file : files)
        names.append(file.name);
    QStringList paths;
    for (const QString &name : names)
        paths.append(KeptCopy(name));
    paths.append(RollbackListPath());
    QSet<QString> seen;
    for (const QString &path : paths) {
        if (seen.contains(path) || !Exists(path))
            continue;
        seen.insert(path);
        retired.append(FreeName(path, QStringLiteral("retired")));
        if (!Move(path, retired.last()))
            return false;
    }
    return true;
}

bool Installer::KeepReplaced() {
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (aside.at(i).isEmpty())
            continue;
        if (!files.at(i).keep)
            retired.append(aside.at(i));
        else if (!Move(aside.at(i), KeptCopy(files.at(i).name)))
            return false;
    }
    return Move(newList, RollbackListPath());
}

bool Installer::Fail(const QString &what, const QString &path, int error) {
    const QStringList left = journal.Undo();
    for (const QString &file : std::as_const(written))
        QFile::remove(file);
    if (!newList.isEmpty())
        QFile::remove(newList);
    const int number =
        error > 0 ? platform::FileErrorFromSystem(error) : int(platform::ErrPathFileAccess);
    const QString ending = left.isEmpty()
                               ? PutBackText
                               : QStringLiteral("\nThese files could not be put back:\n") +
                                     left.join(QLatin1Char('\n'));
    RefitterMessage(what + path + QLatin1Char('\n') + platform::ErrorWasText(number) + ending);
    return false;
}

bool Installer::Run(RollbackRecord next) {
    for (const PackageFile &file : files) {
        written.append(FreeName(file.path, QStringLiteral("new")));
        const int error = WriteNew(file, written.last());
        if (error >= 0)
            return Fail(QStringLiteral("Error writing the update!\n"), file.path, error);
        if (!file.keep || Exists(file.path))
            next.replaced.append(file.name);
    }
    newList = FreeName(RollbackListPath(), QStringLiteral("new"));
    if (const int error = WriteList(next, newList); error >= 0)
        return Fail(QStringLiteral("Error writing the update!\n"), RollbackListPath(), error);
    if (!Swap() || !RetirePreviousPoint() || !KeepReplaced())
        return Fail(QStringLiteral("Error replacing the program's files!\n"), failedPath,
                    failedError);
    for (const QString &file : std::as_const(retired))
        QFile::remove(file);
    return true;
}

} // namespace

bool InstallFiles(const QList<PackageFile> &files, QFile &body, RollbackRecord next) {
    return Installer(files, body).Run(std::move(next));
}
