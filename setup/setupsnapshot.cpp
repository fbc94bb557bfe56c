#include "setupsnapshot.h"

void SetupSnapshot::Take() {
    const Model &model = TheModel();
    directories.clear();
    for (const clsDirectory &entry : model.Directories)
        directories.append(entry.Clone());
    backupDirectory = model.Settings.BackupDirectory;
    tempDirectory = model.Settings.TempDirectory;
    includeAll = model.IncludeAll;
    excludes = model.Excludes;
    media = model.Media;
}

void SetupSnapshot::Restore() const {
    Model &model = TheModel();
    model.Directories = directories;
    model.Settings.BackupDirectory = backupDirectory;
    model.Settings.TempDirectory = tempDirectory;
    model.IncludeAll = includeAll;
    model.Excludes = excludes;
    for (int m = 0; m < media.size() && m < model.Media.size(); ++m) {
        model.Media[m].Available = media[m].Available;
        model.Media[m].Deleted = media[m].Deleted;
    }
}
