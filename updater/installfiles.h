#pragma once
// Steps that replace the program's files: every target is first kept as target + ".Old", then
// written with its new bytes.

#include <QByteArray>
#include <QList>
#include <QString>

struct PackageFile {
    QString path; // full path inside the program directory
    qint64 offset = 0;
    qint64 length = 0;
};

// Writes each file byte for byte. A write that fails is reported with the file and the error, and
// every file already replaced is put back from its kept copy, so a failed update never leaves a
// half-installed program. False after such a failure.
bool InstallFiles(const QList<PackageFile> &files, const QByteArray &contents);
