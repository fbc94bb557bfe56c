#pragma once
// Listing a directory for a backup: only real directories and regular files are taken;
// links, devices, pipes and sockets are passed over with a status log line.

#include <QString>
#include <QStringList>

struct DirListing {
    bool readable = true;
    QStringList directories; // bare names
    QStringList files;       // bare names
};

DirListing ListDirectory(const QString &dir);

// The information file cannot hold a name with '|' or a line break.
bool UnstorableName(const QString &name);
