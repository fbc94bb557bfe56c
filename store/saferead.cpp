#include "saferead.h"

#include "platform.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

QString LimitText(qint64 limit) {
    if (limit % (qint64(1) << 30) == 0)
        return QString::number(limit >> 30) + QStringLiteral(" GiB");
    if (limit % (qint64(1) << 20) == 0)
        return QString::number(limit >> 20) + QStringLiteral(" MiB");
    if (limit % 1024 == 0)
        return QString::number(limit >> 10) + QStringLiteral(" KiB");
    return QString::number(limit) + QStringLiteral(" bytes");
}

SafeRead NotRegular(const QString &path) {
    return {platform::ErrPathFileAccess,
            QStringLiteral("This is not a regular file, so it was not read:\n") + path};
}

SafeRead TooLarge(const QString &path, qint64 limit) {
    return {platform::ErrPathFileAccess, QStringLiteral("This file is larger than ") +
                                             LimitText(limit) +
                                             QStringLiteral(", so it was not read:\n") + path};
}

#ifdef Q_OS_WIN

SafeRead ReadFailure() {
    return {platform::ErrDeviceIO, QString()};
}

#else

SafeRead SystemError(int systemError) {
    const int number = platform::FileErrorFromSystem(systemError);
    return {number ? number : platform::ErrPathFileAccess, QString()};
}

SafeRead ReadFailure() {
    return SystemError(errno ? errno : EIO);
}

bool IsRegular(const struct stat &info) {
    return S_ISREG(info.st_mode);
}

// The descriptor of path when it is a regular file within limit; -1 with result set otherwise.
int OpenDescriptor(const QString &path, qint64 limit, SafeRead &result) {
    const QByteArray name = QFile::encodeName(path);
    struct stat info;
    // Looked at first so that a device is never opened at all; the descriptor is looked at
    // again below, since what stands at the path may change in between.
    if (::stat(name.constData(), &info) == 0 && !IsRegular(info)) {
        result = NotRegular(path);
        return -1;
    }
    // Without blocking: opening a pipe for reading would otherwise wait for a writer.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        result = SystemError(errno);
        return -1;
    }
    if (::fstat(fd, &info) != 0) {
        result = SystemError(errno);
    } else if (!IsRegular(info)) {
        result = NotRegular(path);
    } else if (info.st_size > limit) {
        result = TooLarge(path, limit);
    } else {
        const int flags = ::fcntl(fd, F_GETFL);
        if (flags != -1 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != -1)
            return fd;
        result = SystemError(errno);
    }
    ::close(fd);
    return -1;
}

#endif

} // namespace

SafeRead OpenRegularFile(QFile &file, const QString &path, qint64 limit,
                         QIODevice::OpenMode extra) {
    file.close();
    SafeRead result;
#ifdef Q_OS_WIN
    // Untested here: a named pipe or device has no regular file entry, and its size is known
    // before anything is read.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return NotRegular(path);
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly | extra))
        return {info.exists() ? platform::ErrPermissionDenied : platform::ErrFileNotFound,
                QString()};
    if (file.size() > limit) {
        file.close();
        return TooLarge(path, limit);
    }
#else
    const int fd = OpenDescriptor(path, limit, result);
    if (fd < 0)
        return result;
    if (!file.open(fd, QIODevice::ReadOnly | extra, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return SystemError(EIO);
    }
#endif
    return result;
}

SafeRead ReadOpenedFile(QFile &file, const QString &path, qint64 limit, QByteArray *data) {
    data->clear();
    QByteArray text;
    const qint64 expected = file.size();
    text.reserve(qBound<qint64>(0, expected, limit));
    char buffer[65536];
    for (;;) {
        errno = 0;
        const qint64 got = file.read(buffer, sizeof buffer);
        if (got < 0)
            return ReadFailure();
        if (got == 0)
            break;
        if (text.size() + got > limit)
            return TooLarge(path, limit);
        text.append(buffer, got);
    }
    *data = std::move(text);
    return {};
}

SafeRead ReadRegularFile(const QString &path, qint64 limit, QByteArray *data) {
    data->clear();
    QFile file;
    SafeRead result = OpenRegularFile(file, path, limit);
    if (result.Ok())
        result = ReadOpenedFile(file, path, limit, data);
    return result;
}
