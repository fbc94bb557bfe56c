#pragma once
// A file record as the information file would hold it: its place, its name and its versions;
// every working field of a run at its default.

#include "model.h"

inline FileRecord MakeFile(const QString &path, const QString &name,
                           QList<VersionRecord> versions = {}) {
    FileRecord file;
    file.Path = path;
    file.Name = name;
    file.Versions = std::move(versions);
    return file;
}
