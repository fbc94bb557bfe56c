#include "backupfixture.h"

#include "cancelflag.h"
#include "model.h"
#include "platform.h"
#include "programfiles.h"
#include "statuslog.h"

#include <QDir>

BackupFixture::BackupFixture() {
    tree.Add({"prog/", "data/", "backups/", "drive/"});
    platform::SetProgramDirectory(tree.PathOf("prog/"));
    ResetSettings();
    BuildProgramFiles();
    for (const ProgramFile &file : ProgramFiles())
        tree.Write("prog/" + file.name, "program file " + file.name.toUtf8());
    Model &m = TheModel();
    m.Settings.BackupDirectory = tree.PathOf("backups/");
    m.Settings.TempDirectory = tree.PathOf("temp/");
    SetMedia(-1, 16384, true);
    // Include-all walks stay inside the test folder.
    qputenv("PELLMOOR_DRIVES", (tree.PathOf("drive/") + "=fixed").toUtf8());
    SetCancelFlag(false);
    StatusLog::Instance().Clear();
    previousDir = QDir::currentPath();
    QDir::setCurrent(tree.Root());
}

BackupFixture::~BackupFixture() {
    QDir::setCurrent(previousDir);
    ResetSettings();
    platform::SetProgramDirectory(QString());
    qunsetenv("PELLMOOR_DRIVES");
    SetCancelFlag(false);
    BuildProgramFiles();
}

QString BackupFixture::Data(const QString &relative) const {
    return tree.PathOf("data/" + relative);
}

QString BackupFixture::BackupDir() const {
    return tree.PathOf("backups/");
}

void BackupFixture::AddDirectory(const QString &path, const QString &patterns,
                                 bool includeSubdirs) {
    clsDirectory dir;
    dir.SetNiceDirName(path);
    dir.Patterns = patterns;
    dir.IncludeSubdirs = includeSubdirs;
    dir.Selected = true;
    TheModel().Directories.append(dir);
}

void BackupFixture::SetMedia(double sizeKB, double clusterBytes, bool allAtOnce, bool xpWay) {
    SettingsRecord &s = TheModel().Settings;
    s.MediaSize = sizeKB;
    s.ClusterSize = clusterBytes;
    s.WriteAllAtOnce = allAtOnce;
    s.WriteXpWay = xpWay;
    s.MediaKind = sizeKB < 0 ? 5 : 4;
    s.MediaName = sizeKB < 0 ? QStringLiteral("HDD") : QStringLiteral("Test");
}

QString BackupFixture::MediumDir(int backup, int medium) const {
    return BackupDir() + QStringLiteral("Backup%1/MEDIA%2/")
                             .arg(backup, 3, 10, QLatin1Char('0'))
                             .arg(medium, 3, 10, QLatin1Char('0'));
}

const FileRecord *BackupFixture::Record(const QString &path) const {
    for (const FileRecord &file : TheModel().Files) {
        if (file.Path + file.Name == path)
            return &file;
    }
    return nullptr;
}
