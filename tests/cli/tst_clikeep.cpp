// What a backup and a restore keep of a file besides its bytes: that it is empty, its
// permission bits and its modification time, for plain and zipped copies.

#include "clirun.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {

const QString Restore = QStringLiteral("restore");

bool SetModified(const QString &path, const QDateTime &when) {
    QFile file(path);
    return file.open(QIODevice::ReadWrite) &&
           file.setFileTime(when, QFileDevice::FileModificationTime);
}

Run RestoreEverything(BackupSetup &setup) {
    return setup.Restore({QStringLiteral("--from"), setup.tree.PathOf(QStringLiteral("backups")),
                          QStringLiteral("--to"), setup.tree.PathOf(Restore)});
}

} // namespace

class TestCliKeep : public QObject {
    Q_OBJECT

    EmptyDriveList drives;

private Q_SLOTS:
    void initTestCase() { QVERIFY(drives.IsValid()); }

    // A file emptied after its backup must come back empty, not with the bytes it once had, and
    // a file that was always empty must come back at all.
    void emptyFilesComeBackEmpty() {
        BackupSetup setup(QStringLiteral("1|0|-1|-1|-1|16384|5|HDD"),
                          {QStringLiteral("data/always-empty.lock")});
        QCOMPARE(setup.Backup().status, 0);
        setup.tree.Write(QStringLiteral("data/a.txt"), QByteArray());
        QCOMPARE(setup.Backup().status, 0);
        const Run run = RestoreEverything(setup);
        QCOMPARE(run.status, 0);
        const QFileInfo emptied(
            setup.Restored(setup.tree.PathOf(Restore), QStringLiteral("a.txt")));
        QVERIFY(emptied.isFile());
        QCOMPARE(emptied.size(), 0);
        const QFileInfo always(
            setup.Restored(setup.tree.PathOf(Restore), QStringLiteral("always-empty.lock")));
        QVERIFY(always.isFile());
        QCOMPARE(always.size(), 0);
    }

    void permissionsAndTimesComeBack_data() {
        QTest::addColumn<QStringList>("backupArguments");
        QTest::newRow("plain copies") << QStringList{};
        QTest::newRow("zipped copies")
            << QStringList{QStringLiteral("--zip"), QStringLiteral("--force-zip")};
    }
    void permissionsAndTimesComeBack() {
        QFETCH(QStringList, backupArguments);
        BackupSetup setup(QStringLiteral("1|0|-1|-1|-1|16384|5|HDD"),
                          {QStringLiteral("data/private.txt=only mine"),
                           QStringLiteral("data/run.sh=#!/bin/sh\necho hi\n")});
        struct Expected {
            QString name;
            QFile::Permissions permissions;
            QDateTime modified;
        };
        const QFile::Permissions ownerRw =
            QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
        const QFile::Permissions all = ownerRw | QFile::ExeOwner | QFile::ExeUser |
                                       QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                       QFile::ExeOther;
        const QList<Expected> expected = {
            {QStringLiteral("private.txt"), ownerRw,
             QDateTime(QDate(2021, 3, 4), QTime(5, 6, 8), Qt::UTC)},
            {QStringLiteral("run.sh"), all,
             QDateTime(QDate(2019, 12, 31), QTime(23, 59, 58), Qt::UTC)},
        };
        for (const Expected &e : expected) {
            const QString path = setup.tree.PathOf(QStringLiteral("data/") + e.name);
            QVERIFY(QFile::setPermissions(path, e.permissions));
            QVERIFY(SetModified(path, e.modified));
        }
        QCOMPARE(setup.Backup(backupArguments).status, 0);
        QCOMPARE(RestoreEverything(setup).status, 0);
        for (const Expected &e : expected) {
            const QFileInfo restored(setup.Restored(setup.tree.PathOf(Restore), e.name));
            QVERIFY2(restored.isFile(), qPrintable(e.name));
            // The User flags say what this process may do, which for root is more than the bits.
            const QFile::Permissions user = QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;
            QCOMPARE(restored.permissions() & ~user, e.permissions & ~user);
            // A zip entry keeps its time to two seconds; the times chosen are even.
            QCOMPARE(restored.lastModified().toUTC(), e.modified);
        }
    }
};

QTEST_GUILESS_MAIN(TestCliKeep)
#include "tst_clikeep.moc"
