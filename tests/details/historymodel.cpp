#include "historymodel.h"

HistoryModel::HistoryModel() {
    ResetSettings();
}

int HistoryModel::AddBackup(const QString &date, int media, const QString &mediaName) {
    Model &model = TheModel();
    BackupRecord backup;
    backup.SetDate = date;
    backup.FirstMedium = model.MediaLast() + 1;
    backup.MediaName = mediaName;
    backup.MediaSize = 665600;
    model.Backups.append(backup);
    for (int i = 0; i < media; ++i)
        IncMedia();
    return model.BackupsLast();
}

int HistoryModel::AddFile(const QString &path, const QString &name) {
    Model &model = TheModel();
    FileRecord file;
    file.Path = path;
    file.Name = name;
    model.Files.append(file);
    return model.FilesLast();
}

void HistoryModel::AddVersion(int file, int backup, int medium, double kilobytes, int lastMedium) {
    VersionRecord version;
    version.BackupIndex = backup;
    version.MediumIndex = medium;
    version.Size = kilobytes;
    version.Spanned = lastMedium > medium;
    version.SpanLength = version.Spanned ? lastMedium - medium : -1;
    version.ComputeLastMedium();
    TheModel().Files[file].Versions.append(version);
}

void HistoryModel::MarkUnavailable(int medium, bool deleted) {
    MediumRecord &record = TheModel().Media[medium];
    record.Available = false;
    record.Deleted = deleted;
}
