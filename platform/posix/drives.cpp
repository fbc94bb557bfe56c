#include "driveoverride.h"
#include "volumetype.h"

#include <QStorageInfo>

namespace platform {

QList<Drive> Drives() {
    if (auto given = DrivesFromEnvironment())
        return *given;
    QList<Drive> drives;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid())
            continue;
        Drive drive;
        drive.root = volume.rootPath();
        if (!drive.root.endsWith(Separator()))
            drive.root += Separator();
        drive.type = ClassifyVolume(VolumeFactsOf(volume));
        drives.append(drive);
    }
    return StableDriveOrder(drives);
}

} // namespace platform
