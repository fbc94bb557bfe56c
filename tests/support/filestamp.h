#pragma once
// A file's permission bits and modification time in whole seconds: what a backup copies with a
// file and a restore gives back.

#include <QString>
#include <QtGlobal>

struct FileStamp {
    int mode = 0;
    qint64 seconds = 0;
};

// Sets both; false when either cannot be set.
bool SetStamp(const QString &path, int mode, qint64 seconds);

// The stamp of what stands at the path, a link not followed; zero when nothing does.
FileStamp StampOf(const QString &path);
