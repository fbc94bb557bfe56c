#include "installfiles.h"

#include "faultpoint.h"
#include "fileops.h"
#include "platform.h"
#include "refittermessages.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>

namespace {

QByteArrayView BytesOf(const PackageFile &file, const QByteArray &contents) {
    return QByteArrayView(contents).sliced(file.offset, file.length);
}

QString KeptCopy(const QString &path) {
    return path + QStringLiteral(".Old");
}

// A file keeps the permissions of the one it replaces; a new one is executable when it is a
// program or a script, as the package carries no permissions of its own.
QFileDevice::Permissions ModeFor(const QString &path, QByteArrayView bytes) {
    if (QFile::exists(path))
        return QFile::permissions(path);
    QFileDevice::Permissions mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                    QFileDevice::ReadUser | QFileDevice::WriteUser |
                                    QFileDevice::ReadGroup | QFileDevice::ReadOther;
    if (bytes.startsWith("\177ELF") || bytes.startsWith("#!"))
        mode |= QFileDevice::ExeOwner | QFileDevice::ExeUser | QFileDevice::ExeGroup |
                QFileDevice::ExeOther;
    return mode;
}

// -1 when the file was written; otherwise the errno of the step that failed (0 when the system
// left none).
int WriteFile(const QString &path, QByteArrayView bytes, QFileDevice::Permissions mode) {
    // Written beside its target and renamed into place once complete, so a failure leaves no
    // partial file where the program expects a whole one.
    QSaveFile out(path);
    errno = 0;
    if (platform::InjectedFault(platform::FaultPoint::Open) != 0 || !out.open(QIODevice::WriteOnly))
        return errno;
    if (platform::InjectedFault(platform::FaultPoint::Write) != 0 ||
        out.write(bytes.data(), bytes.size()) != bytes.size())
        return errno;
    if (platform::InjectedFault(platform::FaultPoint::Flush) != 0 || !out.commit())
        return errno;
    QFile::setPermissions(path, mode);
    return -1;
}

void PutBack(const QList<PackageFile> &files, qsizetype written, const QList<bool> &kept) {
    for (qsizetype i = 0; i < written; ++i)
        QFile::remove(files.at(i).path);
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (kept.at(i))
            RenameFile(KeptCopy(files.at(i).path), files.at(i).path);
    }
}

} // namespace

bool InstallFiles(const QList<PackageFile> &files, const QByteArray &contents) {
    QList<QFileDevice::Permissions> modes;
    QList<bool> kept;
    for (const PackageFile &file : files) {
        modes.append(ModeFor(file.path, BytesOf(file, contents)));
        // A missing file is no error; an older kept copy is replaced.
        kept.append(RenameFile(file.path, KeptCopy(file.path)));
    }
    for (qsizetype i = 0; i < files.size(); ++i) {
        const PackageFile &file = files.at(i);
        const int error = WriteFile(file.path, BytesOf(file, contents), modes.at(i));
        if (error < 0)
            continue;
        PutBack(files, i, kept);
        const int number =
            error > 0 ? platform::FileErrorFromSystem(error) : int(platform::ErrPathFileAccess);
        RefitterMessage(QStringLiteral("Error writing the update!\n") + file.path +
                        QLatin1Char('\n') + platform::ErrorWasText(number) +
                        QStringLiteral("\nThe previous files have been put back."));
        return false;
    }
    return true;
}
