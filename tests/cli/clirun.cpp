#include "clirun.h"

#include "platform.h"

#include <QFile>

Run Pellmoor(const QStringList &arguments, const QString &program) {
    return RunProgram(program.isEmpty()
                          ? qEnvironmentVariable("PELLMOOR_BIN_DIR") + QStringLiteral("/pellmoor")
                          : program,
                      arguments);
}

BackupSetup::BackupSetup(const QString &settings, const QStringList &extra)
    : tree(QStringList{QStringLiteral("data/a.txt=hello"), QStringLiteral("data/sub/b.bin:200000"),
                       QStringLiteral("backups/")} +
           extra),
      program(tree.PathOf(QStringLiteral("prog/pellmoor"))) {
    for (const char *name : {"Backup", "Refitter", "libUrlpull.so", "libCheckRoster.so",
                             "libPlainRoster.so", "!Help.txt", "!Help.Htm", "RollBack.bat"})
        tree.Write(QStringLiteral("prog/") + QString::fromLatin1(name),
                   QByteArray("companion ") + name);
    QFile::copy(qEnvironmentVariable("PELLMOOR_BIN_DIR") + QStringLiteral("/pellmoor"), program);
    const QString root = tree.Root();
    tree.Write(QStringLiteral("prog/Backup.Ini"),
               (QStringLiteral("V|8|1|1|") + settings + QStringLiteral("|00:00:00|0|-1|-1|-1|-1|") +
                root + QStringLiteral("backups/\r\n") + root + QStringLiteral("temp/\r\n1|*.*|") +
                root + QStringLiteral("data\r\n\r\n\r\n"))
                   .toUtf8());
}

Run BackupSetup::Backup(const QStringList &arguments) {
    return Pellmoor(QStringList{QStringLiteral("backup"), QStringLiteral("--quiet")} + arguments,
                    program);
}

Run BackupSetup::Restore(const QStringList &arguments) {
    return Pellmoor(QStringList{QStringLiteral("restore"), QStringLiteral("--quiet")} + arguments,
                    program);
}

QString BackupSetup::Restored(const QString &restoreTo, const QString &relative) const {
    return restoreTo + QLatin1Char('/') +
           platform::RelativeForm(tree.PathOf(QStringLiteral("data/"))) + relative;
}

EmptyDriveList::EmptyDriveList() {
    qputenv("PELLMOOR_DRIVES", (drive.path() + QStringLiteral("=fixed")).toUtf8());
}

EmptyDriveList::~EmptyDriveList() {
    qunsetenv("PELLMOOR_DRIVES");
}
