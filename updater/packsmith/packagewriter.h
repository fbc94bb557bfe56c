#pragma once
// Writes what an update server offers: Backup.Upk (a zip holding the package body) and Backup.Ver
// (the version and the package's length on its first line, the publisher's signature of that
// line and the exact Backup.Upk bytes on its second).

#include "upkbody.h"

#include <QByteArray>
#include <QList>
#include <QString>

inline constexpr char PackageFileName[] = "Backup.Upk";
inline constexpr char VersionFileName[] = "Backup.Ver";

// A zip archive holding body as its one entry (deflated). Empty on failure, with the reason in
// error.
QByteArray ZipPackage(const QByteArray &body, QString *error,
                      const QString &entryName = QLatin1String(UpkBodyEntryName));

// The text of Backup.Ver: the version line and the base64 signature, each ending in CR LF.
QByteArray VersionFileText(const QByteArray &versionLine, const QByteArray &signatureBase64);

struct PackageSource {
    QString path;   // the file to publish
    QString target; // where the updater installs it
};

// Writes both files into outDir, signed with the base64 secret key. The files are streamed
// through a body file and the zip beside the output, never held in memory whole. False with the
// reason in error; a failure never leaves a package beside a version file that does not match
// it.
bool WritePackage(const QString &version, const QList<PackageSource> &files,
                  const QByteArray &secretKeyBase64, const QString &outDir, QString *error);
