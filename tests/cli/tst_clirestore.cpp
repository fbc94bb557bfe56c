// pellmoor restore on media that pellmoor backup wrote: files back byte for byte, the restore
// types, media that cannot be found, and the refusals that leave everything as it was.

#include "clirun.h"
#include "platform.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <sys/stat.h>

namespace {

const QString Restore = QStringLiteral("restore");

// Every file below a folder of the tree, relative to the tree, sorted.
QStringList FilesBelow(const TempTree &tree, const QString &folder) {
    QStringList found;
    QDirIterator it(tree.PathOf(folder), QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found.append(it.next().mid(tree.Root().size()));
    found.sort();
    return found;
}

const QStringList ProgramFiles = {QStringLiteral("!Help.Htm"),
                                  QStringLiteral("!Help.txt"),
                                  QStringLiteral("Backup"),
                                  QStringLiteral("Backup.Ini"),
                                  QStringLiteral("Refitter"),
                                  QStringLiteral("RollBack.bat"),
                                  QStringLiteral("libCheckRoster.so"),
                                  QStringLiteral("libPlainRoster.so"),
                                  QStringLiteral("libUrlpull.so"),
                                  QStringLiteral("pellmoor")};

// Where the program files land below the restore folder.
QStringList RestoredProgramFiles() {
    QStringList paths;
    for (const QString &name : ProgramFiles)
        paths.append(Restore + QStringLiteral("/!IN_HERE!/") + name);
    return paths;
}

// Three backups: a.txt and sub/b.bin on medium 1, a changed a.txt on medium 2, a new c.txt on
// medium 3.
void ThreeBackups(BackupSetup &setup) {
    QCOMPARE(setup.Backup().status, 0);
    setup.tree.Write(QStringLiteral("data/a.txt"), "changed");
    QCOMPARE(setup.Backup().status, 0);
    setup.tree.Write(QStringLiteral("data/c.txt"), "new");
    QCOMPARE(setup.Backup().status, 0);
}

} // namespace

class TestCliRestore : public QObject {
    Q_OBJECT

    EmptyDriveList drives;

private Q_SLOTS:
    void initTestCase() { QVERIFY(drives.IsValid()); }

    void roundTrip_data() {
        QTest::addColumn<QStringList>("backupArguments");
        QTest::addColumn<QString>("source"); // "media", "medium" or "current"
        QTest::addColumn<QStringList>("restoreArguments");
        QTest::addColumn<bool>("flat");
        const QString media = QStringLiteral("media");
        QTest::newRow("from the folder of media")
            << QStringList{} << media << QStringList{} << false;
        QTest::newRow("from the medium itself")
            << QStringList{} << QStringLiteral("medium") << QStringList{} << false;
        QTest::newRow("from the program's own file")
            << QStringList{} << QStringLiteral("current") << QStringList{} << false;
        QTest::newRow("zipped copies")
            << QStringList{QStringLiteral("--zip")} << media << QStringList{} << false;
        QTest::newRow("type 0 brings the files too")
            << QStringList{} << media << QStringList{QStringLiteral("--type"), QStringLiteral("0")}
            << false;
        QTest::newRow("flat") << QStringList{} << media << QStringList{QStringLiteral("--flat")}
                              << true;
    }
    void roundTrip() {
        QFETCH(QStringList, backupArguments);
        QFETCH(QString, source);
        QFETCH(QStringList, restoreArguments);
        QFETCH(bool, flat);
        // z.txt zips to almost nothing, so a zipped backup stores it zipped.
        BackupSetup setup(QStringLiteral("1|0|-1|-1|-1|16384|5|HDD"),
                          {QStringLiteral("data/z.txt=") + QString(20000, QLatin1Char('z'))});
        QCOMPARE(setup.Backup(backupArguments).status, 0);
        if (backupArguments.contains(QStringLiteral("--zip")))
            QCOMPARE(FilesBelow(setup.tree, QStringLiteral("backups")).filter(".zip").size(), 1);

        QStringList arguments{QStringLiteral("--to"), setup.tree.PathOf(Restore)};
        if (source == QLatin1String("current"))
            arguments << QStringLiteral("--current") << QStringLiteral("--ini") << setup.Ini();
        else
            arguments << QStringLiteral("--from")
                      << setup.tree.PathOf(source == QLatin1String("medium")
                                               ? QStringLiteral("backups/Backup001/MEDIA001")
                                               : QStringLiteral("backups"));
        const Run run = setup.Restore(arguments + restoreArguments);
        QCOMPARE(run.err, QString());
        QCOMPARE(run.status, 0);
        QVERIFY2(run.out.startsWith(QStringLiteral("Restore Finished!\n3 files restored to ") +
                                    setup.tree.PathOf(Restore)),
                 qPrintable(run.out));
        QVERIFY2(run.out.contains(QStringLiteral("\nSubstituted Files : 0 Of 3\n"
                                                 "Unrestored Files : 0 Of 3\n")),
                 qPrintable(run.out));

        QStringList expected;
        for (const QString &relative :
             {QStringLiteral("a.txt"), QStringLiteral("sub/b.bin"), QStringLiteral("z.txt")}) {
            const QString landed = flat
                                       ? Restore + QLatin1Char('/') + QFileInfo(relative).fileName()
                                       : setup.Restored(Restore, relative);
            QCOMPARE(setup.tree.Read(landed), setup.tree.Read(QStringLiteral("data/") + relative));
            expected.append(landed);
        }
        if (restoreArguments.contains(QStringLiteral("0")))
            expected += RestoredProgramFiles();
        expected.sort();
        // Nothing else: no temporary zip, no partial file.
        QCOMPARE(FilesBelow(setup.tree, Restore), expected);
    }

    void programOnly() {
        BackupSetup setup;
        // The program files keep their modes on the medium; the programs come back startable,
        // also one that the medium holds without its execute bit (a medium of an older run).
        const QFileDevice::Permissions plain = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                               QFileDevice::ReadGroup | QFileDevice::ReadOther |
                                               QFileDevice::ReadUser | QFileDevice::WriteUser;
        const QFileDevice::Permissions executable = plain | QFileDevice::ExeOwner |
                                                    QFileDevice::ExeGroup | QFileDevice::ExeOther |
                                                    QFileDevice::ExeUser;
        const auto setMode = [&setup](const char *name, QFileDevice::Permissions mode) {
            return QFile::setPermissions(setup.tree.PathOf(QStringLiteral("prog/") + name), mode);
        };
        for (const char *name : {"Backup", "RollBack.bat", "pellmoor"})
            QVERIFY(setMode(name, executable));
        for (const char *name : {"Refitter", "!Help.txt"})
            QVERIFY(setMode(name, plain));
        QCOMPARE(setup.Backup().status, 0);
        const QString inHere = QStringLiteral("backups/Backup001/MEDIA001/!IN_HERE!/");
        for (const char *name : {"Backup", "RollBack.bat", "pellmoor"})
            QCOMPARE(QFile::permissions(setup.tree.PathOf(inHere + name)), executable);
        QCOMPARE(QFile::permissions(setup.tree.PathOf(inHere + "Refitter")), plain);
        const Run run = setup.Restore({QStringLiteral("--from"), setup.tree.PathOf("backups"),
                                       QStringLiteral("--to"), setup.tree.PathOf(Restore),
                                       QStringLiteral("--type"), QStringLiteral("2")});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, QStringLiteral("Restore Finished!\n"
                                         "The program and its information file restored to ") +
                              setup.tree.PathOf(Restore) +
                              QStringLiteral("\nSubstituted Files : 0 Of 0\n"
                                             "Unrestored Files : 0 Of 0\n"
                                             "Program And Information Files : Restored\n"));
        QCOMPARE(FilesBelow(setup.tree, Restore), RestoredProgramFiles());
        QCOMPARE(setup.tree.Read(Restore + QStringLiteral("/!IN_HERE!/Refitter")),
                 QByteArray("companion Refitter"));
        for (const char *name : {"Backup", "RollBack.bat", "pellmoor", "Refitter"})
            QCOMPARE(QFile::permissions(setup.tree.PathOf(Restore + "/!IN_HERE!/" + name)),
                     executable);
        QCOMPARE(QFile::permissions(setup.tree.PathOf(Restore + "/!IN_HERE!/!Help.txt")), plain);
        QCOMPARE(
            setup.tree.Read(Restore + QStringLiteral("/!IN_HERE!/Backup.Ini")),
            setup.tree.Read(QStringLiteral("backups/Backup001/MEDIA001/!IN_HERE!/Backup.Ini")));
    }

    // A medium whose "!IN_HERE!" holds a link off the medium: the information file is refused,
    // a program file is passed over; nothing is read from where the link leads.
    void linksOffTheMediumAreNotRead_data() {
        QTest::addColumn<QString>("linked");
        QTest::addColumn<int>("status");
        QTest::newRow("the information file") << QStringLiteral("Backup.Ini") << 1;
        QTest::newRow("a program file") << QStringLiteral("Backup") << 0;
    }
    void linksOffTheMediumAreNotRead() {
        QFETCH(QString, linked);
        QFETCH(int, status);
        BackupSetup setup;
        QCOMPARE(setup.Backup().status, 0);
        const QString medium = setup.tree.PathOf(QStringLiteral("backups/Backup001/MEDIA001/"));
        const QString planted = medium + QStringLiteral("!IN_HERE!/") + linked;
        QVERIFY(QFile::rename(planted, setup.tree.PathOf(QStringLiteral("elsewhere"))));
        QVERIFY(QFile::link(setup.tree.PathOf(QStringLiteral("elsewhere")), planted));
        const Run run = setup.Restore({QStringLiteral("--from"), medium, QStringLiteral("--to"),
                                       setup.tree.PathOf(Restore), QStringLiteral("--type"),
                                       QStringLiteral("2")});
        QCOMPARE(run.status, status);
        if (status == 1) {
            QCOMPARE(run.err, QStringLiteral("The information file on this medium leads off the "
                                             "medium through a link and was not read:\n") +
                                  planted + QLatin1Char('\n'));
            QCOMPARE(FilesBelow(setup.tree, Restore), QStringList());
        } else {
            QStringList expected = RestoredProgramFiles();
            expected.removeAll(Restore + QStringLiteral("/!IN_HERE!/Backup"));
            QCOMPARE(FilesBelow(setup.tree, Restore), expected);
        }
    }

    // A pipe in place of a file of the medium is refused, never waited on: the run ends.
    void aPipeOnTheMediumIsNotWaitedOn_data() {
        QTest::addColumn<QString>("piped"); // DATA/ stands for the data folder's stored copies
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("err"); // MEDIUM/ stands for the medium
        QTest::newRow("the medium's identity")
            << QStringLiteral("!IN_HERE!/Media.ID") << 1
            << QStringLiteral("Automatic search could not find media number 1!\nIf you have "
                              "used removable media, please insert number 1 now.\nRetry "
                              "automatic search?\nReally cancel?\n");
        QTest::newRow("the information file")
            << QStringLiteral("!IN_HERE!/Backup.Ini") << 1
            << QStringLiteral("A file error occured whilst loading ini file.\nLoad failed.\n"
                              "Error was : 75. Path/File access error\nThis is not a regular "
                              "file, so it was not read:\nMEDIUM/!IN_HERE!/Backup.Ini\n");
        QTest::newRow("a stored copy") << QStringLiteral("DATA/a.txt") << 3 << QString();
    }
    void aPipeOnTheMediumIsNotWaitedOn() {
        QFETCH(QString, piped);
        QFETCH(int, status);
        QFETCH(QString, err);
        BackupSetup setup;
        QCOMPARE(setup.Backup().status, 0);
        const QString medium = setup.tree.PathOf(QStringLiteral("backups/Backup001/MEDIA001/"));
        const QByteArray pipe = QFile::encodeName(
            medium +
            piped.replace(QStringLiteral("DATA/"),
                          platform::RelativeForm(setup.tree.PathOf(QStringLiteral("data/")))));
        QVERIFY(QFile::remove(QFile::decodeName(pipe)));
        QCOMPARE(::mkfifo(pipe.constData(), 0600), 0);
        const Run run = setup.Restore(
            {QStringLiteral("--from"), medium, QStringLiteral("--to"), setup.tree.PathOf(Restore)});
        QCOMPARE(run.status, status);
        if (status == 1) {
            QCOMPARE(run.err, err.replace(QStringLiteral("MEDIUM/"), medium));
            QCOMPARE(FilesBelow(setup.tree, Restore), QStringList());
        } else {
            // Everything else comes back; the pipe's file is the one left unrestored.
            QVERIFY2(run.err.contains(QStringLiteral("Error was : 75. Path/File access error")),
                     qPrintable(run.err));
            QCOMPARE(FilesBelow(setup.tree, Restore),
                     QStringList{setup.Restored(Restore, QStringLiteral("sub/b.bin"))});
        }
    }

    void chosenFiles_data() {
        QTest::addColumn<QString>("patterns");
        QTest::addColumn<bool>("withProgram");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("restored"); // below data/
        QTest::addColumn<QString>("message");
        QTest::newRow("by extension") << QStringLiteral("*.txt") << false << 0
                                      << QStringList{QStringLiteral("a.txt")} << QString();
        QTest::newRow("letter case aside, two patterns")
            << QStringLiteral("nothing;*.BIN") << false << 0
            << QStringList{QStringLiteral("sub/b.bin")} << QString();
        QTest::newRow("with the program") << QStringLiteral("a.???") << true << 0
                                          << QStringList{QStringLiteral("a.txt")} << QString();
        QTest::newRow("no match, program only")
            << QStringLiteral("none*") << true << 0 << QStringList{} << QString();
        QTest::newRow("no match") << QStringLiteral("none*") << false << 1 << QStringList{}
                                  << QStringLiteral(
                                         "You must select some files before restoring them!\n"
                                         "Please note, only files shown in the file list can be "
                                         "restored!\n");
    }
    void chosenFiles() {
        QFETCH(QString, patterns);
        QFETCH(bool, withProgram);
        QFETCH(int, status);
        QFETCH(QStringList, restored);
        QFETCH(QString, message);
        BackupSetup setup;
        QCOMPARE(setup.Backup().status, 0);
        QStringList arguments{QStringLiteral("--from"),  setup.tree.PathOf("backups"),
                              QStringLiteral("--to"),    setup.tree.PathOf(Restore),
                              QStringLiteral("--type"),  QStringLiteral("3"),
                              QStringLiteral("--files"), patterns};
        if (withProgram)
            arguments << QStringLiteral("--with-program");
        const Run run = setup.Restore(arguments);
        QCOMPARE(run.status, status);
        QCOMPARE(run.err, message);
        QStringList expected = withProgram ? RestoredProgramFiles() : QStringList();
        for (const QString &relative : restored)
            expected.append(setup.Restored(Restore, relative));
        expected.sort();
        QCOMPARE(FilesBelow(setup.tree, Restore), expected);
        if (status != 0)
            QVERIFY(!QFileInfo::exists(setup.tree.PathOf(Restore)));
    }

    void flatRefusesDuplicateNames_data() {
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<QString>("message"); // compared in lower case
        QTest::newRow("one name, letter case aside")
            << QStringList{QStringLiteral("data/x/Same.txt=1"), QStringLiteral("data/y/same.txt=2")}
            << QStringLiteral("this file is duplicated :\nsame.txt\n");
        QTest::newRow("two names")
            << QStringList{QStringLiteral("data/x/same.txt=1"), QStringLiteral("data/y/same.txt=2"),
                           QStringLiteral("data/y/a.txt=3")}
            << QStringLiteral("these files are duplicated :\na.txt, same.txt\n");
    }
    void flatRefusesDuplicateNames() {
        QFETCH(QStringList, extra);
        QFETCH(QString, message);
        BackupSetup setup(QStringLiteral("1|0|-1|-1|-1|16384|5|HDD"), extra);
        QCOMPARE(setup.Backup().status, 0);
        const Run run = setup.Restore({QStringLiteral("--from"), setup.tree.PathOf("backups"),
                                       QStringLiteral("--to"), setup.tree.PathOf(Restore),
                                       QStringLiteral("--flat")});
        QCOMPARE(run.status, 1);
        QCOMPARE(run.err.toLower(),
                 message + QStringLiteral("when restoring files without directory structure, "
                                          "duplicate files cannot be restored.\nplease make sure "
                                          "ticked files are unique.\n"));
        QCOMPARE(run.out, QString());
        QVERIFY(!QFileInfo::exists(setup.tree.PathOf(Restore)));
    }

    void missingMedium_data() {
        QTest::addColumn<int>("missing");
        QTest::addColumn<bool>("skip");
        QTest::addColumn<int>("status");
        // DATA/ stands for the data folder, TO for the restore folder
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QStringList>("restored"); // name=content below data/
        const QString finished = QStringLiteral("Restore Finished!\n");
        QTest::newRow("skipped, only copy lost")
            << 1 << true << 3
            << finished + QStringLiteral("2 files restored to TO\n"
                                         "Substituted Files : 0 Of 3\nUnrestored Files : 1 Of 3\n"
                                         "b.bin - Backup media could not be found! - DATA/sub/\n")
            << QStringLiteral("Would you like to look for the directory where backup number 1 "
                              "is?\nDo you need to skip backup media number 1?\nShould backup "
                              "media number 1 be set to permanently unavailable?\nThis can be "
                              "changed later in the setup screen.\n")
            << QStringList{QStringLiteral("a.txt=changed"), QStringLiteral("c.txt=new")};
        QTest::newRow("skipped, older version used")
            << 2 << true << 0
            << finished + QStringLiteral("3 files restored to TO\n"
                                         "Substituted Files : 1 Of 3\na.txt - Backup media "
                                         "substituted! - 1 Requested, Used 0\n"
                                         "Unrestored Files : 0 Of 3\n")
            << QStringLiteral("Do you need to skip backup media number 2?\nShould backup media "
                              "number 2 be set to permanently unavailable?\nThis can be changed "
                              "later in the setup screen.\n")
            << QStringList{QStringLiteral("a.txt=hello"), QStringLiteral("sub/b.bin"),
                           QStringLiteral("c.txt=new")};
        // The medium the information file came from is read first, so c.txt is complete.
        QTest::newRow("cancelled") << 1 << false << 1 << QString()
                                   << QStringLiteral("Retry automatic search?\nReally cancel?\n")
                                   << QStringList{QStringLiteral("c.txt=new")};
    }
    void missingMedium() {
        QFETCH(int, missing);
        QFETCH(bool, skip);
        QFETCH(int, status);
        QFETCH(QString, report);
        QFETCH(QString, question);
        QFETCH(QStringList, restored);
        BackupSetup setup;
        ThreeBackups(setup);
        const QString medium = QStringLiteral("backups/Backup00%1/MEDIA00%1").arg(missing);
        QVERIFY(QFile::rename(setup.tree.PathOf(medium), setup.tree.PathOf(medium + "-away")));

        QStringList arguments{QStringLiteral("--from"), setup.tree.PathOf("backups"),
                              QStringLiteral("--to"), setup.tree.PathOf(Restore)};
        if (skip)
            arguments << QStringLiteral("--skip-missing");
        const Run run = setup.Restore(arguments);
        QCOMPARE(run.status, status);
        QCOMPARE(run.out,
                 QString(report)
                     .replace(QStringLiteral("DATA/"), setup.tree.PathOf(QStringLiteral("data/")))
                     .replace(QStringLiteral(" TO\n"),
                              QLatin1Char(' ') + setup.tree.PathOf(Restore) + QLatin1Char('\n')));
        const QString n = QString::number(missing);
        QVERIFY2(
            run.err.startsWith(QStringLiteral("Automatic search could not find media number ") + n +
                               QStringLiteral("!\nIf you have used removable media, "
                                              "please insert number ") +
                               n + QStringLiteral(" now.\nRetry automatic search?\n")),
            qPrintable(run.err));
        QVERIFY2(run.err.endsWith(question), qPrintable(run.err));

        QStringList expected;
        for (const QString &entry : restored) {
            const QString relative = entry.section(QLatin1Char('='), 0, 0);
            const QString landed = setup.Restored(Restore, relative);
            const QByteArray content =
                entry.contains(QLatin1Char('='))
                    ? entry.section(QLatin1Char('='), 1).toUtf8()
                    : TempTree::PseudoRandomBytes(200000, "data/" + relative);
            QCOMPARE(setup.tree.Read(landed), content);
            expected.append(landed);
        }
        expected.sort();
        // A cancelled run leaves no incomplete file behind.
        QCOMPARE(FilesBelow(setup.tree, Restore), expected);
    }

    void destinationMustBeEmpty_data() {
        QTest::addColumn<QString>("content");
        QTest::newRow("a file") << QStringLiteral("restore/mine.txt=mine");
        QTest::newRow("a hidden file") << QStringLiteral("restore/.mine=mine");
        QTest::newRow("an empty folder") << QStringLiteral("restore/folder/");
    }
    void destinationMustBeEmpty() {
        QFETCH(QString, content);
        BackupSetup setup;
        QCOMPARE(setup.Backup().status, 0);
        setup.tree.Add({content});
        const QStringList before = FilesBelow(setup.tree, Restore);
        const Run run = setup.Restore({QStringLiteral("--from"), setup.tree.PathOf("backups"),
                                       QStringLiteral("--to"), setup.tree.PathOf(Restore)});
        QCOMPARE(run.status, 2);
        QCOMPARE(run.err, QStringLiteral("This directory is not empty. You can only restore files "
                                         "to an empty directory (to avoid the possibility of "
                                         "overwriting other files).\n"));
        QCOMPARE(FilesBelow(setup.tree, Restore), before);
        if (content.contains(QLatin1Char('=')))
            QCOMPARE(setup.tree.Read(content.section(QLatin1Char('='), 0, 0)), QByteArray("mine"));
    }

    void nothingToRestoreFrom_data() {
        QTest::addColumn<QStringList>("source");
        QTest::addColumn<QString>("message");
        const QString notMedia = QStringLiteral(
            "This directory does not appear to contain a backup or backup set. Please see help "
            "for more information on 'Restore From' directories.\n");
        QTest::newRow("a folder without media")
            << QStringList{QStringLiteral("--from"), QStringLiteral("data")} << notMedia;
        QTest::newRow("a folder that is not there")
            << QStringList{QStringLiteral("--from"), QStringLiteral("nowhere")} << notMedia;
        QTest::newRow("an information file without files")
            << QStringList{QStringLiteral("--current"), QStringLiteral("--ini"),
                           QStringLiteral("prog/Backup.Ini")}
            << QStringLiteral("There do not appear to be any files to restore!\n");
    }
    void nothingToRestoreFrom() {
        QFETCH(QStringList, source);
        QFETCH(QString, message);
        BackupSetup setup;
        for (QString &word : source)
            if (!word.startsWith(QLatin1String("--")))
                word = setup.tree.PathOf(word);
        const Run run =
            setup.Restore(source + QStringList{QStringLiteral("--to"), setup.tree.PathOf(Restore)});
        QCOMPARE(run.status, 1);
        QCOMPARE(run.err, message);
        QVERIFY(!QFileInfo::exists(setup.tree.PathOf(Restore)));
    }

    void badUsage_data() {
        QTest::addColumn<QStringList>("arguments"); // FROM, TO and FILE stand for paths
        const QStringList from{QStringLiteral("--from"), QStringLiteral("FROM")};
        const QStringList to{QStringLiteral("--to"), QStringLiteral("TO")};
        const auto words = [](const char *text) {
            return QString::fromLatin1(text).split(QLatin1Char(' '));
        };
        QTest::newRow("no source") << to;
        QTest::newRow("two sources") << from + to + words("--current");
        QTest::newRow("no destination") << from;
        QTest::newRow("destination is a file") << from + words("--to FILE");
        QTest::newRow("type out of range") << from + to + words("--type 4");
        QTest::newRow("type not a number") << from + to + words("--type one");
        QTest::newRow("files without type 3") << from + to + words("--files *.txt");
        QTest::newRow("type 3 without files") << from + to + words("--type 3");
        QTest::newRow("program with type 1") << from + to + words("--with-program");
        QTest::newRow("not a pattern list") << from + to + words("--type 3 --files a|b");
        QTest::newRow("information file with --from") << from + to + words("--ini FILE");
        QTest::newRow("plain argument") << from + to + words("now");
        QTest::newRow("mistyped option") << from + to + words("--skip-mising");
    }
    void badUsage() {
        QFETCH(QStringList, arguments);
        BackupSetup setup;
        QCOMPARE(setup.Backup().status, 0);
        for (QString &word : arguments) {
            if (word == QLatin1String("FROM"))
                word = setup.tree.PathOf(QStringLiteral("backups"));
            else if (word == QLatin1String("TO"))
                word = setup.tree.PathOf(Restore);
            else if (word == QLatin1String("FILE"))
                word = setup.Ini();
        }
        const Run run = setup.Restore(arguments);
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.startsWith(QStringLiteral("pellmoor: ")), qPrintable(run.err));
        QVERIFY(run.err.endsWith(QStringLiteral("Try 'pellmoor --help'.\n")));
        QVERIFY(!QFileInfo::exists(setup.tree.PathOf(Restore)));
    }
};

QTEST_GUILESS_MAIN(TestCliRestore)
#include "tst_clirestore.moc"
