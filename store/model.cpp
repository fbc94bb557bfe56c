#include "model.h"

#include "platform.h"

Model &TheModel() {
    static Model model;
    return model;
}

QString FileRecord::DefaultStoredName() const {
    return platform::RelativeForm(Path) + Name;
}

void ResetSettings() {
    ResetSettings(TheModel());
}

void ResetSettings(Model &m) {
    const QDate remindFrom = m.Settings.RemindFromDate;
    m.Settings = SettingsRecord();
    m.Settings.RemindFromDate = remindFrom;
    const QString programDir = platform::ProgramDirectory();
    const QString sep = platform::SeparatorString();
    m.Settings.BackupDirectory = programDir + QStringLiteral("Backups") + sep;
    m.Settings.TempDirectory = programDir + QStringLiteral("Temp") + sep;
    m.Directories.clear();
    m.IncludeAll.clear();
    m.Excludes.clear();
    m.Media.clear();
    m.Backups.clear();
    m.Files.clear();
}

void IncMedia() {
    IncMedia(TheModel());
}

void IncMedia(Model &m) {
    MediumRecord medium;
    medium.Available = true;
    medium.BackupIndex = m.BackupsLast();
    m.Media.append(medium);
}

QString MediaDescriptor(int firstMedium, int lastMedium) {
    return MediaDescriptor(TheModel(), firstMedium, lastMedium);
}

QString MediaDescriptor(const Model &m, int firstMedium, int lastMedium) {
    // A range the model does not hold says nothing about the media it does hold.
    if (firstMedium < 0 || lastMedium < firstMedium || lastMedium > m.MediaLast())
        return QString();
    bool unavailable = false;
    for (int i = firstMedium; i <= lastMedium; ++i) {
        if (m.Media[i].Available)
            continue;
        if (m.Media[i].Deleted)
            return QStringLiteral("D");
        unavailable = true;
    }
    return unavailable ? QStringLiteral("*") : QString();
}

int MediaCountOfBackup(int backupIndex) {
    return MediaCountOfBackup(TheModel(), backupIndex);
}

int MediaCountOfBackup(const Model &m, int backupIndex) {
    if (backupIndex < 0 || backupIndex > m.BackupsLast())
        return 0;
    const int next =
        backupIndex < m.BackupsLast() ? m.Backups[backupIndex + 1].FirstMedium : m.MediaLast() + 1;
    return next - m.Backups[backupIndex].FirstMedium;
}
