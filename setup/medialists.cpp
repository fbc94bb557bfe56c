#include "medialists.h"

#include "model.h"
#include "statuslog.h"

#include <algorithm>

namespace {

// The medium that is row `row` of the list holding media with this available flag, or -1.
int MediumOfRow(int row, bool available) {
    const QList<MediumRecord> &media = TheModel().Media;
    int count = 0;
    for (int m = 0; m < media.size(); ++m) {
        if (media[m].Available != available || media[m].Deleted)
            continue;
        if (count == row)
            return m;
        ++count;
    }
    return -1;
}

int LastMediumOfBackup(int backup) {
    const Model &model = TheModel();
    if (backup < model.BackupsLast())
        return model.Backups[backup + 1].FirstMedium - 1;
    return model.MediaLast();
}

} // namespace

MediaRows BuildMediaRows() {
    const Model &model = TheModel();
    MediaRows rows;
    for (int b = 0; b <= model.BackupsLast(); ++b) {
        const int first = model.Backups[b].FirstMedium;
        const int last = LastMediumOfBackup(b);
        for (int m = std::max(first, 0); m <= last && m <= model.MediaLast(); ++m) {
            const QString row =
                model.Backups[b].SetDate +
                QStringLiteral(" - %1 of %2-%3").arg(m + 1).arg(first + 1).arg(last + 1);
            const MediumRecord &medium = model.Media[m];
            if (medium.Available)
                rows.available.append(row);
            else if (medium.Deleted)
                rows.deleted.append(row);
            else
                rows.unavailable.append(row);
        }
    }
    return rows;
}

bool SwapUnAvailable(int index, bool available) {
    const int medium = MediumOfRow(index, available);
    if (medium < 0) {
        StatusPrint(QStringLiteral("SwapUnAvailable error!!"));
        return false;
    }
    MediumRecord &record = TheModel().Media[medium];
    record.Available = !record.Available;
    return true;
}

bool DeleteMedium(int unavailableRow) {
    const int medium = MediumOfRow(unavailableRow, false);
    if (medium < 0)
        return false;
    Model &model = TheModel();
    model.Media[medium].Deleted = true;
    for (FileRecord &file : model.Files) {
        file.Versions.removeIf([medium](VersionRecord version) {
            // Worked out afresh: the range comes from the stored fields, whoever set them.
            version.ComputeLastMedium();
            return version.MediumIndex <= medium && medium <= version.LastMedium;
        });
    }
    model.Files.removeIf([](const FileRecord &file) { return file.Versions.isEmpty(); });
    return true;
}
