#pragma once
// How a mounted file system is told fixed, removable, network, optical or RAM disk on POSIX.

#include "platform.h"

#include <QByteArray>

class QStorageInfo;

namespace platform {

// What classification needs to know about a mounted file system.
struct VolumeFacts {
    QByteArray fileSystemType; // "ext4", "nfs4", "fuse.sshfs", ...
    QByteArray device;         // "/dev/sda1", "server:/export", "proc", ...
    bool blockDevice = false;  // the device is a block special file
    bool removable = false;    // the kernel marks the disk as removable
};

// Network, optical and RAM disks are told by file-system type or device name. Everything else is
// fixed only when it lives on a local block device that is not removable; pseudo file systems,
// overlays and read-only images (squashfs and the like) are never fixed.
DriveType ClassifyVolume(const VolumeFacts &facts);

// The facts of a mounted volume, read from its device node and from /sys.
VolumeFacts VolumeFactsOf(const QStorageInfo &volume);

} // namespace platform
