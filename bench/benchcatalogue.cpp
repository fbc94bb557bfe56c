#include "benchcatalogue.h"

#include "model.h"

void FillCatalogue(int files) {
    ResetSettings();
    Model &m = TheModel();
    for (int b = 0; b < 3; ++b) {
        BackupRecord backup;
        backup.SetDate = QStringLiteral("0%1/12/2026").arg(b + 1);
        backup.FirstMedium = b * 10;
        backup.MediaSize = 4582277.12;
        backup.ClusterSize = 2048;
        backup.MediaName = QStringLiteral("DVD");
        backup.Dirs = {QStringLiteral("/home/ann/")};
        m.Backups.append(backup);
        for (int i = 0; i < 10; ++i)
            IncMedia();
    }
    m.Files.reserve(files);
    QString path;
    for (int i = 0; i < files; ++i) {
        if (i % 40 == 0)
            path =
                QStringLiteral("/home/ann/Documents/Projects and plans/area %1/working folder %2/")
                    .arg(i / 4000)
                    .arg(i / 40);
        FileRecord f;
        f.Path = path;
        f.Name = QStringLiteral("quarterly report %1 - final version as sent.txt").arg(i);
        for (int v = 0; v < 3; ++v) {
            VersionRecord version;
            version.MediumIndex = v * 10 + i % 10;
            version.BackupIndex = v;
            version.Size = 12.5 + i % 977 + v * 0.25;
            version.Zipped = (i + v) % 3 == 0;
            version.ZippedSize = version.Zipped ? version.Size / 3 : 0;
            f.Versions.append(version);
        }
        m.Files.append(std::move(f));
    }
}
