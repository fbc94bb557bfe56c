#include "driveoverride.h"

#include <algorithm>

namespace platform {

namespace {

DriveType DriveTypeFromWord(const QString &word) {
    const QString lower = word.trimmed().toLower();
    if (lower == QLatin1String("fixed"))
        return DriveType::Fixed;
    if (lower == QLatin1String("removable"))
        return DriveType::Removable;
    if (lower == QLatin1String("network"))
        return DriveType::Network;
    if (lower == QLatin1String("optical"))
        return DriveType::Optical;
    if (lower == QLatin1String("ramdisk"))
        return DriveType::RamDisk;
    return DriveType::Unknown;
}

} // namespace

QList<Drive> ParseDriveList(const QString &text) {
    QList<Drive> drives;
    for (const QString &entry : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype equals = entry.lastIndexOf(QLatin1Char('='));
        Drive drive;
        drive.root = (equals < 0 ? entry : entry.left(equals)).trimmed();
        if (drive.root.isEmpty())
            continue;
        if (!drive.root.endsWith(Separator()))
            drive.root += Separator();
        drive.type = equals < 0 ? DriveType::Unknown : DriveTypeFromWord(entry.mid(equals + 1));
        drives.append(drive);
    }
    return StableDriveOrder(drives);
}

std::optional<QList<Drive>> DrivesFromEnvironment() {
    const QString text = qEnvironmentVariable("PELLMOOR_DRIVES");
    if (text.trimmed().isEmpty())
        return std::nullopt;
    return ParseDriveList(text);
}

QList<Drive> StableDriveOrder(QList<Drive> drives) {
    // A later entry for the same root wins, as a later mount hides an earlier one.
    std::reverse(drives.begin(), drives.end());
    std::stable_sort(drives.begin(), drives.end(), [](const Drive &a, const Drive &b) {
        return ComparablePath(a.root) < ComparablePath(b.root);
    });
    const auto sameRoot = [](const Drive &a, const Drive &b) { return PathsEqual(a.root, b.root); };
    drives.erase(std::unique(drives.begin(), drives.end(), sameRoot), drives.end());
    return drives;
}

} // namespace platform
