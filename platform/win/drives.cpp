// Untested: written for the Windows build, never compiled here.
#include "driveoverride.h"
#include "widepath.h"

#include <vector>

namespace platform {

namespace {

DriveType TypeFromSystem(UINT type) {
    switch (type) {
    case DRIVE_REMOVABLE:
        return DriveType::Removable;
    case DRIVE_FIXED:
        return DriveType::Fixed;
    case DRIVE_REMOTE:
        return DriveType::Network;
    case DRIVE_CDROM:
        return DriveType::Optical;
    case DRIVE_RAMDISK:
        return DriveType::RamDisk;
    default:
        return DriveType::Unknown;
    }
}

} // namespace

QList<Drive> Drives() {
    if (auto given = DrivesFromEnvironment())
        return *given;
    const DWORD length = GetLogicalDriveStringsW(0, nullptr);
    std::vector<wchar_t> buffer(length + 1, L'\0');
    QList<Drive> drives;
    if (length == 0 || GetLogicalDriveStringsW(length, buffer.data()) == 0)
        return drives;
    // "C:\<NUL>D:\<NUL><NUL>"
    for (const wchar_t *root = buffer.data(); *root; root += wcslen(root) + 1) {
        Drive drive;
        drive.root = QString::fromWCharArray(root);
        drive.type = TypeFromSystem(GetDriveTypeW(root));
        drives.append(drive);
    }
    return StableDriveOrder(drives);
}

} // namespace platform
