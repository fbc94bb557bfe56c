#include "driveoverride.h"
#include "platform.h"
#include "posix/volumetype.h"
#include "temptree.h"

#include <QStorageInfo>
#include <QTest>

using namespace platform;

namespace {

QString TypeName(DriveType type) {
    switch (type) {
    case DriveType::Fixed:
        return QStringLiteral("fixed");
    case DriveType::Removable:
        return QStringLiteral("removable");
    case DriveType::Network:
        return QStringLiteral("network");
    case DriveType::Optical:
        return QStringLiteral("optical");
    case DriveType::RamDisk:
        return QStringLiteral("ramdisk");
    case DriveType::Unknown:
        break;
    }
    return QStringLiteral("unknown");
}

QStringList Described(const QList<Drive> &drives) {
    QStringList lines;
    for (const Drive &drive : drives)
        lines << drive.root + QLatin1Char(':') + TypeName(drive.type);
    return lines;
}

const char *driveVariable = "PELLMOOR_DRIVES";

} // namespace

class TestDrives : public QObject {
    Q_OBJECT

private slots:
    void init() { qunsetenv(driveVariable); }
    void cleanup() { qunsetenv(driveVariable); }

    void GivenListParsed_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("two entries")
            << "/=fixed;/media/usb=removable" << QStringList{"/:fixed", "/media/usb/:removable"};
        QTest::newRow("separator kept") << "/mnt/net/=network" << QStringList{"/mnt/net/:network"};
        QTest::newRow("every type, any case")
            << "/e=ramdisk;/d=Optical;/c=NETWORK;/b=removable;/a=Fixed"
            << QStringList{"/a/:fixed", "/b/:removable", "/c/:network", "/d/:optical",
                           "/e/:ramdisk"};
        QTest::newRow("unknown word") << "/x=floppy" << QStringList{"/x/:unknown"};
        QTest::newRow("no type") << "/x" << QStringList{"/x/:unknown"};
        QTest::newRow("blanks and empty entries")
            << ";; /y = optical ;" << QStringList{"/y/:optical"};
        QTest::newRow("equals sign in path")
            << "/odd=name=fixed" << QStringList{"/odd=name/:fixed"};
        QTest::newRow("empty path skipped") << "=fixed;/k=fixed" << QStringList{"/k/:fixed"};
        QTest::newRow("later entry wins")
            << "/m=fixed;/m/=removable" << QStringList{"/m/:removable"};
    }
    void GivenListParsed() {
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        QCOMPARE(Described(ParseDriveList(text)), expected);
        qputenv(driveVariable, text.toUtf8());
        QCOMPARE(Described(Drives()), expected);
    }

    void EmptyVariableKeepsDetection() {
        qputenv(driveVariable, " ");
        QVERIFY(Described(Drives()).join(QLatin1Char(' ')).contains(QLatin1String("/:")));
    }

    void DriveTypeOfLongestRoot_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("on root") << "/home/a/x.txt"
                                 << "fixed";
        QTest::newRow("root itself") << "/"
                                     << "fixed";
        QTest::newRow("on stick") << "/media/usb/f.txt"
                                  << "removable";
        QTest::newRow("stick without separator") << "/media/usb"
                                                 << "removable";
        QTest::newRow("name that only starts alike") << "/media/usbstick/f.txt"
                                                     << "fixed";
        QTest::newRow("mount inside mount") << "/media/usb/inner/x"
                                            << "network";
        QTest::newRow("case matters") << "/MEDIA/usb/f.txt"
                                      << "fixed";
        QTest::newRow("relative") << "media/usb/f.txt"
                                  << "unknown";
    }
    void DriveTypeOfLongestRoot() {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        qputenv(driveVariable, "/media/usb/inner=network;/=fixed;/media/usb=removable");
        QCOMPARE(TypeName(DriveTypeOf(path)), expected);
    }

    void DetectedListHasRoot() {
        const QList<Drive> drives = Drives();
        bool root = false;
        for (const Drive &drive : drives) {
            QVERIFY2(drive.root.endsWith(QLatin1Char('/')), qPrintable(drive.root));
            root = root || drive.root == QLatin1String("/");
        }
        QVERIFY(root);
    }

    void DetectedPseudoFileSystemsNeverFixed() {
        for (const Drive &drive : Drives()) {
            const QByteArray type = QStorageInfo(drive.root).fileSystemType();
            if (type == "proc" || type == "sysfs" || type == "tmpfs" || type == "devtmpfs" ||
                type == "cgroup" || type == "cgroup2" || type == "devpts" || type == "overlay")
                QVERIFY2(drive.type != DriveType::Fixed, qPrintable(drive.root));
        }
    }

    // The mounts of this machine, through the same facts detection reads.
    void RealMountClassified_data() {
        QTest::addColumn<QString>("mountPoint");
        QTest::addColumn<QByteArray>("fileSystemType");
        QTest::addColumn<QString>("expected");
        QTest::newRow("proc") << "/proc" << QByteArray("proc") << "unknown";
        QTest::newRow("sysfs") << "/sys" << QByteArray("sysfs") << "unknown";
        QTest::newRow("devtmpfs") << "/dev" << QByteArray("devtmpfs") << "unknown";
        QTest::newRow("tmpfs") << "/dev/shm" << QByteArray("tmpfs") << "ramdisk";
    }
    void RealMountClassified() {
        QFETCH(QString, mountPoint);
        QFETCH(QByteArray, fileSystemType);
        QFETCH(QString, expected);
        const QStorageInfo volume(mountPoint);
        if (volume.rootPath() != mountPoint || volume.fileSystemType() != fileSystemType)
            QSKIP("not mounted here");
        QCOMPARE(TypeName(ClassifyVolume(VolumeFactsOf(volume))), expected);
    }

    void VolumeClassified_data() {
        QTest::addColumn<QByteArray>("fileSystemType");
        QTest::addColumn<QByteArray>("device");
        QTest::addColumn<bool>("blockDevice");
        QTest::addColumn<bool>("removable");
        QTest::addColumn<QString>("expected");
        QTest::newRow("local disk")
            << QByteArray("ext4") << QByteArray("/dev/sda1") << true << false << "fixed";
        QTest::newRow("usb stick")
            << QByteArray("vfat") << QByteArray("/dev/sdb1") << true << true << "removable";
        QTest::newRow("nfs") << QByteArray("nfs4") << QByteArray("server:/export") << false << false
                             << "network";
        QTest::newRow("cifs") << QByteArray("cifs") << QByteArray("//server/share") << false
                              << false << "network";
        QTest::newRow("sshfs") << QByteArray("fuse.sshfs") << QByteArray("me@host:") << false
                               << false << "network";
        QTest::newRow("9p") << QByteArray("9p") << QByteArray("hostshare") << false << false
                            << "network";
        QTest::newRow("unlisted type, remote source")
            << QByteArray("fuse.other") << QByteArray("host:/data") << false << false << "network";
        QTest::newRow("cd") << QByteArray("iso9660") << QByteArray("/dev/sr0") << true << true
                            << "optical";
        QTest::newRow("dvd") << QByteArray("udf") << QByteArray("/dev/sr1") << true << true
                             << "optical";
        QTest::newRow("disc with other type")
            << QByteArray("hfsplus") << QByteArray("/dev/sr0") << true << true << "optical";
        QTest::newRow("tmpfs") << QByteArray("tmpfs") << QByteArray("tmpfs") << false << false
                               << "ramdisk";
        QTest::newRow("zram disk")
            << QByteArray("ext4") << QByteArray("/dev/zram1") << true << false << "ramdisk";
        QTest::newRow("proc") << QByteArray("proc") << QByteArray("proc") << false << false
                              << "unknown";
        QTest::newRow("overlay") << QByteArray("overlay") << QByteArray("overlay") << false << false
                                 << "unknown";
        QTest::newRow("squashfs image")
            << QByteArray("squashfs") << QByteArray("/dev/loop3") << true << false << "unknown";
        QTest::newRow("device that is no block device")
            << QByteArray("ext4") << QByteArray("/dev/vdz9") << false << false << "unknown";
    }
    void VolumeClassified() {
        QFETCH(QByteArray, fileSystemType);
        QFETCH(QByteArray, device);
        QFETCH(bool, blockDevice);
        QFETCH(bool, removable);
        QFETCH(QString, expected);
        const VolumeFacts facts{fileSystemType, device, blockDevice, removable};
        QCOMPARE(TypeName(ClassifyVolume(facts)), expected);
    }

    void FreeSpaceOfRealAndMissingFolder() {
        TempTree tree;
        QVERIFY(FreeSpace(tree.Root()) > 0);
        QCOMPARE(FreeSpace(tree.PathOf(QStringLiteral("missing/deeper/"))), qint64(-1));
    }

    void SameFileSystemByDevice() {
        TempTree tree({QStringLiteral("a/one.txt=1"), QStringLiteral("b/two.txt=2")});
        QVERIFY(SameFileSystem(tree.PathOf(QStringLiteral("a/one.txt")),
                               tree.PathOf(QStringLiteral("b/"))));
        QVERIFY(!SameFileSystem(tree.PathOf(QStringLiteral("a/one.txt")),
                                tree.PathOf(QStringLiteral("missing"))));
        if (QStorageInfo(QStringLiteral("/proc")).rootPath() == QLatin1String("/proc"))
            QVERIFY(!SameFileSystem(tree.Root(), QStringLiteral("/proc")));
    }
};

QTEST_GUILESS_MAIN(TestDrives)
#include "tst_drives.moc"
