#pragma once
// Reading a file that a medium, an import or a download hands the program. Only a regular file
// is read: the open never waits on a pipe or a device, what was opened is checked through its
// descriptor, and a file past its size limit is refused before anything is read from it, so
// that neither a hang nor an unbounded read can come of what such a file turns out to be.

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QtGlobal>

class QFile;

inline constexpr qint64 InfoFileReadLimit = qint64(1) << 30;
inline constexpr qint64 MediaIdReadLimit = qint64(64) << 10;
inline constexpr qint64 VersionFileReadLimit = qint64(4) << 10;
inline constexpr qint64 PackageReadLimit = qint64(512) << 20;

// How an open or a read went: error 0, or the numbered file error (75 path/file access error
// for what is no regular file or is too large) with a line saying why, naming the file.
struct SafeRead {
    int error = 0;
    QString reason;
    bool Ok() const { return error == 0; }
};

// Opens path for reading into file (closed on entry) when it is a regular file of at most
// limit bytes; a link is followed to what it leads to. extra adds to the read-only mode
// (Unbuffered for a copy that reads in large blocks of its own).
SafeRead OpenRegularFile(QFile &file, const QString &path, qint64 limit,
                         QIODevice::OpenMode extra = {});

// Reads what remains of a file opened so from path, to its end; more than limit bytes in all (a
// file that grew since it was opened) are refused. data is empty unless the read succeeded.
SafeRead ReadOpenedFile(QFile &file, const QString &path, qint64 limit, QByteArray *data);

// Both of the above, and the file closed again.
SafeRead ReadRegularFile(const QString &path, qint64 limit, QByteArray *data);
