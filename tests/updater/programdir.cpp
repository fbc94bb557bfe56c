#include "programdir.h"

#include "packagesignature.h"
#include "packagewriter.h"
#include "platform.h"
#include "versionline.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

ProgramDir::ProgramDir()
    : tree({QStringLiteral("prog/"), QStringLiteral("outside/"), QStringLiteral("settings/")}) {
    platform::SetProgramDirectory(Path(QString()));
    platform::SetSettingsFolder(SettingsFolder());
    // The updater believes only packages signed with the key it is given.
    const SigningKeyPair keys = MakeSigningKeyPair();
    secretKey = keys.secretKeyBase64;
    qputenv("PELLMOOR_UPDATE_KEY", keys.publicKeyBase64);
}

ProgramDir::~ProgramDir() {
    qunsetenv("PELLMOOR_UPDATE_KEY");
    platform::SetProgramDirectory(QString());
    platform::SetSettingsFolder(QString());
}

QString ProgramDir::Path(const QString &name) const {
    return tree.PathOf(QStringLiteral("prog/") + name);
}

QString ProgramDir::Outside(const QString &name) const {
    return tree.PathOf(QStringLiteral("outside/") + name);
}

QString ProgramDir::SettingsFolder() const {
    return tree.PathOf(QStringLiteral("settings/"));
}

void ProgramDir::Put(const QString &name, const QByteArray &bytes, bool executable) {
    tree.Write(QStringLiteral("prog/") + name, bytes);
    if (executable)
        QFile::setPermissions(Path(name), QFile::permissions(Path(name)) | QFileDevice::ExeOwner |
                                              QFileDevice::ExeUser);
}

QByteArray ProgramDir::Read(const QString &name) const {
    return tree.Read(QStringLiteral("prog/") + name);
}

bool ProgramDir::Executable(const QString &name) const {
    return QFileInfo(Path(name)).isExecutable();
}

void ProgramDir::PutBackupScript(const QByteArray &mark) {
    Put(QStringLiteral("Backup"),
        "#!/bin/sh\necho " + mark + " >> \"$(dirname \"$0\")/started.txt\"\n", true);
}

QList<QByteArray> ProgramDir::Starts() const {
    QFile file(Path(QStringLiteral("started.txt")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> lines = file.readAll().split('\n');
    lines.removeAll(QByteArray());
    return lines;
}

QMap<QString, QByteArray> ProgramDir::Snapshot() const {
    QMap<QString, QByteArray> entries;
    const QDir dir(Path(QString()));
    for (const QFileInfo &info :
         dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (info.fileName() == QStringLiteral("started.txt"))
            continue;
        if (info.isSymLink())
            entries.insert(info.fileName(), "->" + info.symLinkTarget().toUtf8());
        else if (info.isDir())
            entries.insert(info.fileName(), "<dir>");
        else
            entries.insert(info.fileName(), Read(info.fileName()));
    }
    return entries;
}

void ProgramDir::PutPackage(const QByteArray &body, const QString &name, const QString &entryName,
                            const QString &version) {
    QString error;
    const QByteArray package = ZipPackage(body, &error, entryName);
    Q_ASSERT_X(!package.isEmpty(), "PutPackage", qPrintable(error));
    Put(name, package);
    PutVersionFile(VersionLineText(version, package.size()), package);
}

void ProgramDir::PutVersionFile(const QByteArray &versionLine, const QByteArray &package,
                                bool publishersKey) {
    const QByteArray key = publishersKey ? secretKey : MakeSigningKeyPair().secretKeyBase64;
    Put(QStringLiteral("Backup.Ver"),
        VersionFileText(versionLine, SignUpdate(versionLine, package, key)));
}

QByteArray ProgramDir::Body(const QList<UpkSource> &files, const QString &version) {
    return ComposeUpkBody(version, files);
}

QString UpdaterTitle() {
    return QStringLiteral("Refitter - V01.08.06");
}
