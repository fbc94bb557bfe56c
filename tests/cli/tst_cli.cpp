// pellmoor's usage, export and backup, run as a scheduler or script runs them.

#include "clirun.h"
#include "platform.h"
#include "smallfilesystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {

const QByteArray Version8File = "V|8|1|1|0|0|0|-1|665600|2041|0|CD|00:00:00|0|0|0|0|-1|/srv/b/\r\n"
                                "/srv/t/\r\n"
                                "1|*.*|/home/ann\r\n"
                                "0|0|0|665600|2048|0|CD|1/11/2026||1|0\r\n"
                                "/home/ann|\r\n"
                                "a.txt|0|/home/ann\r\n"
                                "0|2|0|False|1|1.5|a.zip\r\n"
                                "*.kdbx|\r\n"
                                "1|0|0|\r\n";

} // namespace

class TestCli : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void helpAndVersion() {
        const Run help = Pellmoor({QStringLiteral("--help")});
        QCOMPARE(help.status, 0);
        for (const char *command :
             {"export SRC DEST", "backup [--ini FILE]", "restore --from DIR|--current",
              "details [--ini FILE]", "stats [--ini FILE]"})
            QVERIFY2(help.out.contains(QString::fromLatin1(command)), command);
        QVERIFY(help.out.contains(QStringLiteral("--create-folder")));
        const Run version = Pellmoor({QStringLiteral("--version")});
        QCOMPARE(version.status, 0);
        QCOMPARE(version.out, QStringLiteral("pellmoor 06.08.06\n"));
    }

    void badUsageExitsWithTwo_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("no command") << QStringList{};
        QTest::newRow("unknown command") << QStringList{QStringLiteral("frobnicate")};
        QTest::newRow("export without files") << QStringList{QStringLiteral("export")};
        QTest::newRow("format out of range")
            << QStringList{QStringLiteral("export"), QStringLiteral("a"), QStringLiteral("b"),
                           QStringLiteral("--format"), QStringLiteral("9")};
        QTest::newRow("format without value")
            << QStringList{QStringLiteral("export"), QStringLiteral("a"), QStringLiteral("b"),
                           QStringLiteral("--format")};
        QTest::newRow("another command's option")
            << QStringList{QStringLiteral("export"), QStringLiteral("a"), QStringLiteral("b"),
                           QStringLiteral("--zip")};
        QTest::newRow("mistyped option")
            << QStringList{QStringLiteral("backup"), QStringLiteral("--frsh")};
        QTest::newRow("empty value")
            << QStringList{QStringLiteral("backup"), QStringLiteral("--ini=")};
        QTest::newRow("details with a plain argument")
            << QStringList{QStringLiteral("details"), QStringLiteral("Backup.Ini")};
        QTest::newRow("stats with another command's option")
            << QStringList{QStringLiteral("stats"), QStringLiteral("--zip")};
        QTest::newRow("details without the file's name")
            << QStringList{QStringLiteral("details"), QStringLiteral("--ini")};
    }
    void badUsageExitsWithTwo() {
        QFETCH(QStringList, arguments);
        const Run run = Pellmoor(arguments);
        QCOMPARE(run.status, 2);
        QVERIFY(run.err.contains(QStringLiteral("pellmoor --help")));
    }

    void exportWritesTheChosenFormat() {
        TempTree tree({QStringLiteral("Backup.Ini=") + QString::fromLatin1(Version8File)});
        const QString out = tree.PathOf(QStringLiteral("old.ini"));
        const Run run =
            Pellmoor({QStringLiteral("export"), tree.PathOf(QStringLiteral("Backup.Ini")), out,
                      QStringLiteral("--format"), QStringLiteral("4")});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.err, QString());
        const QByteArray written = tree.Read(QStringLiteral("old.ini"));
        QVERIFY(
            written.startsWith("V|4|1|1|0|0|0|-1|665600|2041|0|CD|00:00:00|0|0|0|0|-1|/srv/b/\r\n"
                               "1|*.*|/home/ann\r\n"));
        // Version 4 has no zip fields and no media line.
        QVERIFY(written.contains("a.txt|0|/home/ann\r\n0|2|0|False|a.zip\r\n"));
        QVERIFY(written.endsWith("*.kdbx|\r\n"));

        // And back to the current format: what version 4 lacked comes back as defaults.
        const Run back =
            Pellmoor({QStringLiteral("export"), out, tree.PathOf(QStringLiteral("new.ini"))});
        QCOMPARE(back.status, 0);
        QVERIFY(tree.Read(QStringLiteral("new.ini")).contains("0|2|0|False|0|0|a.zip\r\n"));
    }

    void missingSourceIsReportedNeverCreated() {
        TempTree tree;
        const QString missing = tree.PathOf(QStringLiteral("nothing.ini"));
        const Run run =
            Pellmoor({QStringLiteral("export"), missing, tree.PathOf(QStringLiteral("out.ini"))});
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.contains(QStringLiteral("Ini file was not found!\nThis probably means you "
                                                "have not used the program before.\nWelcome!")));
        QVERIFY(!QFile::exists(missing));
        QVERIFY(!QFile::exists(tree.PathOf(QStringLiteral("out.ini"))));
    }

    void unattendedBackupStoresEveryFileOnce() {
        BackupSetup setup;
        const Run first = setup.Backup();
        QCOMPARE(first.err, QString());
        QCOMPARE(first.status, 0);
        const QString medium = setup.tree.PathOf(QStringLiteral("backups/Backup001/MEDIA001/"));
        QCOMPARE(setup.tree.Read(
                     QStringLiteral("backups/Backup001/MEDIA001/") +
                     platform::RelativeForm(setup.tree.PathOf(QStringLiteral("data/a.txt")))),
                 QByteArray("hello"));
        QVERIFY(QFile::exists(medium + QStringLiteral("!IN_HERE!/Backup.Ini")));
        QVERIFY(setup.tree.Read(QStringLiteral("prog/Backup.Ini")).contains("a.txt|0|"));
        // It says what it did, as the wizard's last step does.
        QVERIFY2(first.out.split(QLatin1Char('\n'))
                     .contains(QStringLiteral("2 files backed up to ") +
                               setup.tree.PathOf(QStringLiteral("backups/Backup001"))),
                 qPrintable(first.out));

        // Nothing changed: nothing to do, exit status 1, and the message says why.
        const Run second = setup.Backup();
        QCOMPARE(second.status, 1);
        QVERIFY(second.err.contains(QStringLiteral("No files to backup!")));
        QVERIFY(!QFile::exists(setup.tree.PathOf(QStringLiteral("backups/Backup002"))));
    }

    void backupSavesBackToTheNamedInformationFile() {
        BackupSetup setup;
        setup.tree.Add({QStringLiteral("conf/")});
        const QString ini = setup.tree.PathOf(QStringLiteral("conf/elsewhere.ini"));
        QVERIFY(QFile::rename(setup.tree.PathOf(QStringLiteral("prog/Backup.Ini")), ini));
        const Run run = setup.Backup({QStringLiteral("--ini"), ini, QStringLiteral("--zip")});
        QCOMPARE(run.status, 0);
        QVERIFY(setup.tree.Read(QStringLiteral("conf/elsewhere.ini")).contains("a.txt|0|"));
        QVERIFY(!QFile::exists(setup.tree.PathOf(QStringLiteral("prog/Backup.Ini"))));
        // The zip estimates go beside it too, not into the directory the run was started in.
        QVERIFY(QFile::exists(setup.tree.PathOf(QStringLiteral("conf/ZipEstimates.txt"))));
        // The next run reads what this one saved: nothing has changed since.
        QCOMPARE(setup.Backup({QStringLiteral("--ini"), ini}).status, 1);
    }

    void backupRefusesWhatNeedsAPerson_data() {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QStringList>("arguments");
        const QString hdd = QStringLiteral("1|0|-1|-1|-1|16384|5|HDD");
        QTest::newRow("XP way in the settings")
            << QStringLiteral("0|1|-1|-1|665600|2048|0|CD") << QStringList{};
        QTest::newRow("unknown medium")
            << hdd << QStringList{QStringLiteral("--media"), QStringLiteral("tape")};
        QTest::newRow("custom too small")
            << hdd
            << QStringList{QStringLiteral("--media"), QStringLiteral("custom"),
                           QStringLiteral("--size"), QStringLiteral("100")};
        // Numbers no comparison holds for must not slip past the range checks.
        for (const char *size : {"nan", "inf", "-inf", "1e300", "2000000000"})
            QTest::addRow("custom size %s", size)
                << hdd
                << QStringList{QStringLiteral("--media"), QStringLiteral("custom"),
                               QStringLiteral("--size"), QString::fromLatin1(size)};
        for (const char *cluster : {"nan", "inf", "100000"})
            QTest::addRow("custom cluster %s", cluster)
                << hdd << QStringList{QStringLiteral("--media"),   QStringLiteral("custom"),
                                      QStringLiteral("--size"),    QStringLiteral("20000"),
                                      QStringLiteral("--cluster"), QString::fromLatin1(cluster)};
        QTest::newRow("row out of range")
            << hdd << QStringList{QStringLiteral("--dirs"), QStringLiteral("2")};
    }
    void backupRefusesWhatNeedsAPerson() {
        QFETCH(QString, settings);
        QFETCH(QStringList, arguments);
        BackupSetup setup(settings);
        const Run run = setup.Backup(arguments);
        QCOMPARE(run.status, 2);
        QVERIFY(!QFile::exists(setup.tree.PathOf(QStringLiteral("backups/Backup001"))));
    }

    // A backup folder on a disk that is not connected is never made again elsewhere unasked.
    void missingBackupFolderFailsUnlessToldToCreateIt_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::newRow("not told: nothing written anywhere") << QStringList{} << 1;
        QTest::newRow("told to create it") << QStringList{QStringLiteral("--create-folder")} << 0;
    }
    void missingBackupFolderFailsUnlessToldToCreateIt() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        BackupSetup setup;
        const QString folder = setup.tree.PathOf(QStringLiteral("backups/"));
        QVERIFY(QDir(folder).removeRecursively());
        const QStringList before = setup.tree.Snapshot();
        const Run run = setup.Backup(arguments);
        QCOMPARE(run.status, status);
        QVERIFY(run.err.contains(QStringLiteral("The backup folder ") + folder +
                                 QStringLiteral(" does not exist. It may be on a disk that is not "
                                                "connected. Create it?")));
        if (status == 1) {
            QVERIFY2(run.err.endsWith(QStringLiteral("give --create-folder to create it.\n")),
                     qPrintable(run.err));
            QCOMPARE(setup.tree.Snapshot(), before);
        } else {
            QVERIFY(
                QFile::exists(folder + QStringLiteral("Backup001/MEDIA001/!IN_HERE!/Backup.Ini")));
            QVERIFY(setup.tree.Read(QStringLiteral("prog/Backup.Ini")).contains("a.txt|0|"));
        }
    }

    void backupOnAFullDiskKeepsTheHistoryAndEveryMark() {
        SmallFileSystem disk(64);
        if (!disk.IsMounted())
            QSKIP("mounting a small file system needs the right to mount");
        BackupSetup setup;
        const QString ini = disk.Root() + QStringLiteral("Backup.Ini");
        QVERIFY(QFile::copy(setup.Ini(), ini));
        const QByteArray before = setup.tree.Read(QStringLiteral("prog/Backup.Ini"));
        QVERIFY(disk.Fill());
        const Run full = setup.Backup({QStringLiteral("--ini"), ini});
        QCOMPARE(full.status, 1);
        QVERIFY(full.err.contains(QStringLiteral("Error was : 61. Disk full")));
        QFile saved(ini);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), before);
        QVERIFY(platform::ArchiveAttributeSet(setup.tree.PathOf(QStringLiteral("data/a.txt"))));

        QVERIFY(full.err.contains(QStringLiteral("move or delete them before the next backup")));

        // With room again, and the unrecorded media moved away as the message asks, the next
        // run backs the files up, since nothing marked them as done.
        disk.Unfill();
        QVERIFY(QDir(setup.tree.PathOf(QStringLiteral("backups/Backup001"))).removeRecursively());
        const Run again = setup.Backup({QStringLiteral("--ini"), ini});
        QCOMPARE(again.status, 0);
        QVERIFY(!platform::ArchiveAttributeSet(setup.tree.PathOf(QStringLiteral("data/a.txt"))));
    }

    void exportOnAFullDiskKeepsTheFileItReplaces() {
        SmallFileSystem disk(64);
        if (!disk.IsMounted())
            QSKIP("mounting a small file system needs the right to mount");
        TempTree tree;
        tree.Write(QStringLiteral("Backup.Ini"), Version8File);
        const QString destination = disk.Root() + QStringLiteral("out.ini");
        QFile old(destination);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("the previous export\r\n");
        old.close();
        QVERIFY(disk.Fill());
        const Run run = Pellmoor(
            {QStringLiteral("export"), tree.PathOf(QStringLiteral("Backup.Ini")), destination});
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.contains(QStringLiteral("Error was : 61. Disk full")));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("the previous export\r\n"));
    }

    // What a run cannot back up is left out with a warning, and the status says so: a name the
    // catalogue cannot hold, a selected directory that is not there.
    void filesLeftOutGiveStatusThree_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("warning");
        const QString unstorable = QStringLiteral("or a line break!");
        QTest::newRow("a bar in a file name")
            << QStringLiteral("data/odd|name.txt=x") << unstorable;
        QTest::newRow("a line break in a file name")
            << QStringLiteral("data/two\nlines.txt=x") << unstorable;
        QTest::newRow("a bar in a directory name")
            << QStringLiteral("data/odd|dir/c.txt=x") << unstorable;
        QTest::newRow("a selected directory that is not there")
            << QStringLiteral("unmounted")
            << QStringLiteral("A directory selected for backup does not exist!");
    }
    void filesLeftOutGiveStatusThree() {
        QFETCH(QString, entry);
        QFETCH(QString, warning);
        const bool special = !entry.contains(QLatin1Char('/'));
        BackupSetup setup(QStringLiteral("1|0|-1|-1|-1|16384|5|HDD"),
                          special ? QStringList{} : QStringList{entry});
        if (entry == QLatin1String("unmounted")) {
            QByteArray ini = setup.tree.Read(QStringLiteral("prog/Backup.Ini"));
            ini.replace("|00:00:00|0|", "|00:00:00|1|");
            ini.replace("data\r\n",
                        "data\r\n1|*.*|" + setup.tree.Root().toUtf8() + "unmounted\r\n");
            setup.tree.Write(QStringLiteral("prog/Backup.Ini"), ini);
        }
        const Run run = setup.Backup();
        QCOMPARE(run.status, 3);
        QVERIFY(run.err.contains(warning));
        QVERIFY2(run.out.contains(QStringLiteral("\nSome files or folders were left out")),
                 qPrintable(run.out));
        QVERIFY(setup.tree.Read(QStringLiteral("prog/Backup.Ini")).contains("a.txt|0|"));
    }

    // A medium without a limit is written all at once whatever method was saved.
    void noLimitAfterTheXpWay() {
        BackupSetup setup(QStringLiteral("0|1|-1|-1|-1|16384|5|HDD"),
                          {QStringLiteral("backups/earlier.txt=kept")});
        QCOMPARE(setup.Backup().status, 0);
        QVERIFY(QFile::exists(setup.tree.PathOf(QStringLiteral("backups/Backup001/MEDIA001"))));
        QCOMPARE(setup.tree.Read(QStringLiteral("backups/earlier.txt")), QByteArray("kept"));
    }

    void damagedCountsEndDetailsWithTheLoaderMessage() {
        TempTree tree;
        QByteArray text = Version8File;
        text.replace("0|0|0|665600|2048|0|CD|1/11/2026",
                     "0|0|2000000000|665600|2048|0|CD|1/11/2026");
        tree.Write(QStringLiteral("Backup.Ini"), text);
        const Run run = Pellmoor(
            {QStringLiteral("details"), QStringLiteral("--ini"), tree.PathOf("Backup.Ini")});
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.contains(QStringLiteral("Error was : 9. Subscript out of range")));
    }

    // Each question a backup can meet unattended gets an answer that ends the run or moves it
    // on: a folder left by a killed run once made it ask "Really cancel?" forever.
    void unattendedBackupEndsAtEveryQuestion_data() {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("question");
        QTest::addColumn<int>("asked");
        QTest::addColumn<QString>("ending");
        QTest::newRow("folder left by a killed run")
            << "leftover" << QStringList{} << 1
            << "Press Ok when the directory has been cleared or Cancel to cancel this backup." << 1
            << "Really cancel?\nThe backup was cancelled.\n";
        QTest::newRow("no usable path on the medium")
            << "long" << QStringList{} << 3 << "Continue with backup?" << 2
            << "One or more file errors occured during the backup operation!\n";
        // c.bin and d.bin (5860 KB each on disk) need a medium each beside the program files,
        // whatever room the programs of this build take.
        const qint64 programKB =
            QFileInfo(qEnvironmentVariable("PELLMOOR_BIN_DIR") + QStringLiteral("/pellmoor"))
                .size() /
            1024;
        const QString mediumKB = QString::number(qMax<qint64>(10240, programKB + 7200));
        QTest::newRow("media to confirm")
            << "media" << QStringList{"--media",   "custom", "--size",  mediumKB,
                                      "--cluster", "1024",   "--write", "one-by-one"}
            << 0 << "Was this media written sucessfully?" << 2
            << "Was this media written sucessfully?\n\n";
    }
    void unattendedBackupEndsAtEveryQuestion() {
        QFETCH(QString, situation);
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, question);
        QFETCH(int, asked);
        QFETCH(QString, ending);
        BackupSetup setup(QStringLiteral("1|0|-1|-1|-1|16384|5|HDD"),
                          situation == "media"
                              ? QStringList{"data/c.bin:6000000", "data/d.bin:6000000"}
                              : QStringList{});
        const QString leftover = QStringLiteral("backups/Backup001/MEDIA001/old.txt");
        if (situation == "leftover")
            setup.tree.Write(leftover, "from a killed run");
        if (situation == "long") {
            // Even the substitute name on the medium is too long below this folder.
            const QString backups = setup.tree.PathOf(QStringLiteral("backups/"));
            const QString deep = backups + QString(120, 'x') + '/' + QString(100, 'y') + '/';
            QByteArray ini = setup.tree.Read(QStringLiteral("prog/Backup.Ini"));
            setup.tree.Write(QStringLiteral("prog/Backup.Ini"),
                             ini.replace(backups.toUtf8(), deep.toUtf8()));
            QVERIFY(QDir().mkpath(deep));
        }
        const Run run = setup.Backup(arguments);
        QCOMPARE(run.status, status);
        QCOMPARE(run.err.count(question), asked);
        QVERIFY2(run.err.endsWith(ending), qPrintable(run.err.right(300)));
        if (situation == "leftover") {
            // Nothing of the folder's content is lost, and no backup was recorded.
            QCOMPARE(setup.tree.Read(leftover), QByteArray("from a killed run"));
            QVERIFY(!setup.tree.Read(QStringLiteral("prog/Backup.Ini")).contains("a.txt|"));
        }
    }

    void damagedSourceFailsWithTheLoaderMessage() {
        TempTree tree({QStringLiteral("bad.ini=V|8|1|x|")});
        const Run run =
            Pellmoor({QStringLiteral("export"), tree.PathOf(QStringLiteral("bad.ini")),
                      tree.PathOf(QStringLiteral("out.ini")), QStringLiteral("--verbose")});
        QCOMPARE(run.status, 1);
        QVERIFY(
            run.err.contains(QStringLiteral("An unknown error occured whilst loading ini "
                                            "file.\nLoad failed.\nError was : 13. Type mismatch")));
        QVERIFY(run.err.contains(QStringLiteral("LoadIniFile Start - ")));
        QVERIFY(!QFile::exists(tree.PathOf(QStringLiteral("out.ini"))));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
