#include "volumetype.h"

#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace platform {

namespace {

bool IsOneOf(const QByteArray &value, std::initializer_list<const char *> list) {
    for (const char *item : list)
        if (value == item)
            return true;
    return false;
}

bool IsNetwork(const VolumeFacts &facts) {
    const QByteArray &type = facts.fileSystemType;
    if (IsOneOf(type, {"nfs", "nfs4", "cifs", "smb3", "smbfs", "ncpfs", "afs", "9p", "ceph",
                       "glusterfs", "lustre", "gfs2", "ocfs2", "davfs", "virtiofs"}))
        return true;
    if (type.startsWith("fuse.") &&
        IsOneOf(type.mid(5), {"sshfs", "glusterfs", "davfs2", "rclone", "s3fs", "gvfsd-fuse",
                              "cephfs", "smbnetfs", "curlftpfs"}))
        return true;
    // "host:/export" and "//host/share" name a remote source even for an unlisted type.
    const QByteArray &device = facts.device;
    return device.startsWith("//") || (!device.startsWith('/') && device.contains(":/"));
}

bool IsOptical(const VolumeFacts &facts) {
    if (IsOneOf(facts.fileSystemType, {"iso9660", "udf"}))
        return true;
    const QByteArray name = facts.device.mid(facts.device.lastIndexOf('/') + 1);
    return facts.device.startsWith("/dev/") &&
           (name.startsWith("sr") || name.startsWith("scd") || name.startsWith("cdrom"));
}

bool IsRamDisk(const VolumeFacts &facts) {
    if (IsOneOf(facts.fileSystemType, {"tmpfs", "ramfs"}))
        return true;
    return facts.device.startsWith("/dev/ram") || facts.device.startsWith("/dev/zram");
}

bool IsReadOnlyImage(const VolumeFacts &facts) {
    return IsOneOf(facts.fileSystemType, {"squashfs", "erofs", "cramfs", "romfs", "overlay"});
}

// /sys/dev/block/MAJ:MIN leads to the partition or the disk; a partition's disk is its parent.
bool DiskIsRemovable(dev_t device) {
    const QString link =
        QStringLiteral("/sys/dev/block/%1:%2").arg(major(device)).arg(minor(device));
    QString disk = QFileInfo(link).canonicalFilePath();
    if (disk.isEmpty())
        return false;
    if (QFileInfo::exists(disk + QStringLiteral("/partition")))
        disk = QFileInfo(disk).path();
    QFile flag(disk + QStringLiteral("/removable"));
    if (!flag.open(QIODevice::ReadOnly))
        return false;
    return flag.readAll().trimmed() == "1";
}

} // namespace

DriveType ClassifyVolume(const VolumeFacts &facts) {
    if (IsNetwork(facts))
        return DriveType::Network;
    if (IsOptical(facts))
        return DriveType::Optical;
    if (IsRamDisk(facts))
        return DriveType::RamDisk;
    if (!facts.blockDevice || IsReadOnlyImage(facts))
        return DriveType::Unknown;
    return facts.removable ? DriveType::Removable : DriveType::Fixed;
}

VolumeFacts VolumeFactsOf(const QStorageInfo &volume) {
    VolumeFacts facts;
    facts.fileSystemType = volume.fileSystemType();
    facts.device = volume.device();
    struct stat info;
    if (facts.device.startsWith("/dev/") && ::stat(facts.device.constData(), &info) == 0 &&
        S_ISBLK(info.st_mode)) {
        facts.blockDevice = true;
        facts.removable = DiskIsRemovable(info.st_rdev);
        // A link such as /dev/disk/by-label/x names the node it points to.
        const QString node = QFileInfo(QFile::decodeName(facts.device)).canonicalFilePath();
        if (!node.isEmpty())
            facts.device = QFile::encodeName(node);
    }
    return facts;
}

} // namespace platform
