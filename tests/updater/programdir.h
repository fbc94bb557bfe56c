#pragma once
// A program directory of its own for an updater test, beside a folder outside it and a settings
// store of its own. Its Backup is a script that notes every start in started.txt.

#include "temptree.h"
#include "upkbody.h"

#include <QByteArray>
#include <QMap>
#include <QString>

class ProgramDir {
public:
    ProgramDir();
    ~ProgramDir();

    // Inside the program directory / the folder outside it.
    QString Path(const QString &name) const;
    QString Outside(const QString &name) const;
    QString SettingsFolder() const;

    void Put(const QString &name, const QByteArray &bytes, bool executable = false);
    QByteArray Read(const QString &name) const;
    bool Executable(const QString &name) const;
    // A Backup that appends a line to started.txt each time it runs.
    void PutBackupScript(const QByteArray &mark = "started");
    // The lines Backup wrote to started.txt so far.
    QList<QByteArray> Starts() const;

    // Every entry of the program directory by name: a file's bytes, a link's target after "->".
    QMap<QString, QByteArray> Snapshot() const;

    // Backup.Upk made from this body the way packsmith makes it, and Backup.Ver vouching for it
    // with the directory's own publisher key, its version line stating version.
    void PutPackage(const QByteArray &body, const QString &name = QStringLiteral("Backup.Upk"),
                    const QString &entryName = QLatin1String(UpkBodyEntryName),
                    const QString &version = QStringLiteral("07.08.06"));
    // Backup.Ver holding this version line and its signature of the package, by the directory's
    // key or another one.
    void PutVersionFile(const QByteArray &versionLine, const QByteArray &package,
                        bool publishersKey = true);
    static QByteArray Body(const QList<UpkSource> &files,
                           const QString &version = QStringLiteral("07.08.06"));

private:
    TempTree tree;
    QByteArray secretKey;
};

// The message title every updater message carries.
QString UpdaterTitle();
