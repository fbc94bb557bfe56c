// The updater on real packages in a program directory of its own: what it installs, what it
// refuses before touching a file, rollback, the command line and the wait for Backup to end.

#include "faultinjector.h"
#include "fixedclock.h"
#include "platform.h"
#include "programdir.h"
#include "refitter.h"
#include "scriptedprompt.h"
#include "updateflagstore.h"
#include "versionline.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

namespace {

// Bytes that a text-mode write, a CR LF after each file or a '|' split would all damage.
const QByteArray ControlBytes("\0\x01|Files|\r\n\xff\x7f\n", 13);
const QByteArray NewBackup("#!/bin/sh\necho new >> \"$(dirname \"$0\")/started.txt\"\n");

const QString FormatMessage = QStringLiteral("Upk package file format is incorrect!");
const QString LengthMessage = QStringLiteral("Upk package file length is incorrect!\nThis probably "
                                             "means the download didnt finish properly!");
const QString UnzipMessage = QStringLiteral("Error In Unzipping Downloaded File!");
const QString MissingMessage = QStringLiteral("File Not Found or File Empty!");
const QString UsageMessage = QStringLiteral(
    "It should not be necessary to run this program manually.\n"
    "You should be able to use Update from inside the Backup.exe pogram.\n\n"
    "Manual Usage :\nUpdate   : Refitter <UpdatePackage>.Upk\nRollback : Refitter -rollback");

RefitterRun RunWithoutWaiting(const QString &commandLine) {
    return RunRefitter(commandLine,
                       [](int) { QFAIL("Backup is not running; nothing to wait for"); });
}

// The program directory without the package and the version file handed over with it, which
// every run consumes.
QMap<QString, QByteArray> WithoutHandOff(QMap<QString, QByteArray> entries) {
    entries.remove(QStringLiteral("Backup.Upk"));
    entries.remove(QStringLiteral("Backup.Ver"));
    return entries;
}

// Runs the updater on Backup.Upk, which it must refuse with texts, leaving the program directory
// as it was but for the package and its version file.
void RunRefused(const ProgramDir &prog, const ScriptedPrompt &prompt, const QStringList &texts,
                RefitterRun &run, const QString &commandLine = QStringLiteral("Backup.Upk")) {
    const QMap<QString, QByteArray> before = prog.Snapshot();
    run = RunWithoutWaiting(commandLine);
    QVERIFY(!run.succeeded);
    QCOMPARE(prompt.Texts(), texts);
    QCOMPARE(prog.Snapshot(), WithoutHandOff(before));
}

QByteArray BackupScript(const QByteArray &mark) {
    return "#!/bin/sh\necho " + mark + " >> \"$(dirname \"$0\")/started.txt\"\n";
}

// Puts a package of these files, published as this version, and runs the updater on it.
RefitterRun Install(ProgramDir &prog, const QString &version, const QList<UpkSource> &files) {
    prog.PutPackage(ProgramDir::Body(files, version), QStringLiteral("Backup.Upk"),
                    QLatin1String(UpkBodyEntryName), version);
    return RunWithoutWaiting(QStringLiteral("Backup.Upk"));
}

void VerifyFlags(bool firstRun, bool error, bool rolledBack) {
    QCOMPARE(GetFlag(QLatin1String(FlagFirstRunAfterUpdate)), firstRun);
    QCOMPARE(GetFlag(QLatin1String(FlagErrorAfterUpdate)), error);
    QCOMPARE(GetFlag(QLatin1String(FlagRolledBack)), rolledBack);
}

} // namespace

class tst_refitter : public QObject {
    Q_OBJECT
private slots:
    void installsPackage();
    void refusesBody_data();
    void refusesBody();
    void refusesArchive_data();
    void refusesArchive();
    void failedWritePutsBack_data();
    void failedWritePutsBack();
    void refusesUntrusted_data();
    void refusesUntrusted();
    void versionCheck_data();
    void versionCheck();
    void failedSwapPutsBack_data();
    void failedSwapPutsBack();
    void rollbackAcrossUpdates();
    void packagePath_data();
    void packagePath();
    void otherFileNamedIsKept();
    void rollback_data();
    void rollback();
    void noArguments_data();
    void noArguments();
    void busyBackup_data();
    void busyBackup();
};

void tst_refitter::installsPackage() {
    ProgramDir prog;
    prog.PutBackupScript("old");
    prog.Put(QStringLiteral("libUrlpull.so"), "old control");
    prog.Put(QStringLiteral("Refitter"), "running updater", true);
    prog.Put(QStringLiteral("Backup.Old"), "a copy kept by an earlier update");
    SetFlag(QLatin1String(FlagRolledBack), true);
    prog.PutPackage(ProgramDir::Body({{QStringLiteral("%Backup%Backup"), NewBackup},
                                      {QStringLiteral("%Backup%libUrlpull.so"), ControlBytes},
                                      {QStringLiteral("%Backup%Refitter"), "new updater"},
                                      {QStringLiteral("help.txt"), "a new file"},
                                      {QStringLiteral("%Backup%newtool"), "#!/bin/sh\n"}}));
    ScriptedPrompt prompt;

    const RefitterRun run = RunWithoutWaiting(QStringLiteral("Backup.Upk"));

    QVERIFY(run.succeeded);
    QCOMPARE(prompt.Texts(),
             QStringList{QStringLiteral("Update Done!\nUpdated version : 07.08.06")});
    QCOMPARE(prompt.Prompts().first().title, UpdaterTitle());
    QCOMPARE(prog.Read(QStringLiteral("Backup")), NewBackup);
    QVERIFY(prog.Executable(QStringLiteral("Backup")));
    QVERIFY(prog.Read(QStringLiteral("Backup.Old")).contains("echo old"));
    QCOMPARE(prog.Read(QStringLiteral("libUrlpull.so")), ControlBytes);
    QCOMPARE(prog.Read(QStringLiteral("libUrlpull.so.Old")), QByteArray("old control"));
    QCOMPARE(prog.Read(QStringLiteral("Refitter")), QByteArray("running updater"));
    QCOMPARE(prog.Read(QStringLiteral("Refitter.this")), QByteArray("new updater"));
    QCOMPARE(prog.Read(QStringLiteral("help.txt")), QByteArray("a new file"));
    // A new file is executable only when it is a program or a script.
    QVERIFY(!prog.Executable(QStringLiteral("help.txt")));
    QVERIFY(prog.Executable(QStringLiteral("newtool")));
    // Neither the package nor the unpacked body nor its folder is left behind.
    QCOMPARE(prog.Snapshot().keys(),
             QStringList({QStringLiteral("Backup"), QStringLiteral("Backup.Old"),
                          QStringLiteral("Refitter"), QStringLiteral("Refitter.this"),
                          QStringLiteral("Rollback.lst"), QStringLiteral("help.txt"),
                          QStringLiteral("libUrlpull.so"), QStringLiteral("libUrlpull.so.Old"),
                          QStringLiteral("newtool")}));
    // Exactly the files it replaced are listed; the updater's own is swapped in by Backup.
    QCOMPARE(prog.Read(QStringLiteral("Rollback.lst")),
             QByteArray("Installed|07.08.06\nBefore|06.08.06\nReplaced|Backup\n"
                        "Replaced|libUrlpull.so\nReplaced|Refitter\n"));
    VerifyFlags(true, false, false);
    QVERIFY(run.backupStarted);
    QTRY_COMPARE(prog.Starts(), QList<QByteArray>{"new"});
}

void tst_refitter::refusesBody_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("message");

    const auto body = [](const QList<UpkSource> &files) { return ProgramDir::Body(files); };
    QTest::newRow("10 + 20 declared, 29 present")
        << QByteArray("V|1|07.08.06|1|%Backup%Backup|10|%Backup%libUrlpull.so|20|Files|") +
               QByteArray(29, 'x')
        << LengthMessage;
    QTest::newRow("10 + 20 declared, 31 present")
        << QByteArray("V|1|07.08.06|1|%Backup%Backup|10|%Backup%libUrlpull.so|20|Files|") +
               QByteArray(31, 'x')
        << LengthMessage;
    QTest::newRow("marker not V") << QByteArray("W|1|07.08.06|0|%Backup%Backup|3|Files|abc")
                                  << FormatMessage;
    QTest::newRow("no Files field")
        << QByteArray("V|1|07.08.06|0|%Backup%Backup|3|Filez|abc") << FormatMessage;
    QTest::newRow("fewer files than the last index says")
        << QByteArray("V|1|07.08.06|2|%Backup%Backup|3|Files|abc") << FormatMessage;
    QTest::newRow("length not a number")
        << QByteArray("V|1|07.08.06|0|%Backup%Backup|x3|Files|abc") << FormatMessage;
    QTest::newRow("fields cut short") << QByteArray("V|1|07.08") << FormatMessage;
    QTest::newRow("empty body") << QByteArray()
                                << QStringLiteral("Error in unzipping!\nYou may need to go to the "
                                                  "website and redownload a whole new zip!");
    QTest::newRow("absolute target outside")
        << body({{QStringLiteral("{outside}evil"), "x"}}) << FormatMessage;
    QTest::newRow(".. below the program directory")
        << body({{QStringLiteral("%Backup%../outside/evil"), "x"}}) << FormatMessage;
    QTest::newRow(".. in a relative target")
        << body({{QStringLiteral("sub/../../outside/evil"), "x"}}) << FormatMessage;
    QTest::newRow("through a linked folder")
        << body({{QStringLiteral("%Backup%linkdir/evil"), "x"}}) << FormatMessage;
    QTest::newRow("onto a link") << body({{QStringLiteral("%Backup%linkfile"), "x"}})
                                 << FormatMessage;
    QTest::newRow("the program directory itself")
        << body({{QStringLiteral("%Backup%"), "x"}}) << FormatMessage;
    QTest::newRow("a kept copy") << body({{QStringLiteral("%Backup%Backup.Old"), "x"}})
                                 << FormatMessage;
    QTest::newRow("a kept copy, other case, in a folder")
        << body({{QStringLiteral("sub/LIB.so.oLD"), "x"}}) << FormatMessage;
    QTest::newRow("the waiting updater")
        << body({{QStringLiteral("%Backup%Refitter.this"), "x"}}) << FormatMessage;
    QTest::newRow("the rollback list")
        << body({{QStringLiteral("%Backup%rollback.LST"), "x"}}) << FormatMessage;
    QTest::newRow("a line break in a name")
        << body({{QStringLiteral("%Backup%Backup\nReplaced|libUrlpull.so"), "x"}}) << FormatMessage;
    QTest::newRow("one target twice") << body({{QStringLiteral("%Backup%Backup"), NewBackup},
                                               {QStringLiteral("Backup"), NewBackup}})
                                      << FormatMessage;
    QTest::newRow("hostile target after a good one")
        << body({{QStringLiteral("%Backup%Backup"), NewBackup},
                 {QStringLiteral("%Backup%libUrlpull.so"), ControlBytes},
                 {QStringLiteral("%Backup%../outside/evil"), "x"}})
        << FormatMessage;
}

void tst_refitter::refusesBody() {
    QFETCH(QByteArray, body);
    QFETCH(QString, message);
    ProgramDir prog;
    prog.PutBackupScript();
    prog.Put(QStringLiteral("libUrlpull.so"), "old control");
    QFile(prog.Outside(QStringLiteral("victim.txt"))).open(QIODevice::WriteOnly);
    QVERIFY(QFile::link(prog.Outside(QString()), prog.Path(QStringLiteral("linkdir"))));
    QVERIFY(QFile::link(prog.Outside(QStringLiteral("victim.txt")),
                        prog.Path(QStringLiteral("linkfile"))));
    prog.PutPackage(body.replace("{outside}", prog.Outside(QString()).toUtf8()));
    ScriptedPrompt prompt;

    RefitterRun run;
    RunRefused(prog, prompt, {message}, run);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(QDir(prog.Outside(QString())).entryList(QDir::Files),
             QStringList{QStringLiteral("victim.txt")});
    QCOMPARE(QFileInfo(prog.Outside(QStringLiteral("victim.txt"))).size(), 0);
    VerifyFlags(false, false, false);
    QVERIFY(run.backupStarted);
    QTRY_COMPARE(prog.Starts().size(), 1);
}

void tst_refitter::refusesArchive_data() {
    QTest::addColumn<int>("package"); // 0 none, 1 empty file, 2 these bytes, 3 zip of a good body
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("entryName");
    QTest::addColumn<QString>("message");

    QTest::newRow("no package") << 0 << QByteArray() << QString() << MissingMessage;
    QTest::newRow("empty package") << 1 << QByteArray() << QString() << MissingMessage;
    QTest::newRow("not a zip") << 2 << QByteArray("V|1|07.08.06|-1|Files|") << QString()
                               << UnzipMessage;
    QTest::newRow("entry climbs out")
        << 3 << QByteArray() << QStringLiteral("../outside/body") << UnzipMessage;
    QTest::newRow("entry climbs out from a folder")
        << 3 << QByteArray() << QStringLiteral("a/../../../outside/body") << UnzipMessage;
}

void tst_refitter::refusesArchive() {
    QFETCH(int, package);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, entryName);
    QFETCH(QString, message);
    ProgramDir prog;
    prog.PutBackupScript();
    if (package == 1 || package == 2)
        prog.Put(QStringLiteral("Backup.Upk"), bytes);
    if (package == 2) // published so, signature and all
        prog.PutVersionFile(VersionLineText(QStringLiteral("07.08.06"), bytes.size()), bytes);
    if (package == 3)
        prog.PutPackage(ProgramDir::Body({{QStringLiteral("%Backup%Backup"), NewBackup}}),
                        QStringLiteral("Backup.Upk"), entryName);
    ScriptedPrompt prompt;

    RefitterRun run;
    RunRefused(prog, prompt, {message}, run);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(QDir(prog.Outside(QString())).isEmpty());
    QVERIFY(run.backupStarted);
    QTRY_COMPARE(prog.Starts().size(), 1);
}

void tst_refitter::failedWritePutsBack_data() {
    QTest::addColumn<int>("point");
    QTest::addColumn<int>("nth");
    QTest::addColumn<QString>("failingFile");

    QTest::newRow("first file cannot be written")
        << int(platform::FaultPoint::Write) << 1 << QStringLiteral("Backup");
    QTest::newRow("second file cannot be written")
        << int(platform::FaultPoint::Write) << 2 << QStringLiteral("libUrlpull.so");
    QTest::newRow("new file cannot be written")
        << int(platform::FaultPoint::Write) << 3 << QStringLiteral("help.txt");
    QTest::newRow("second file cannot be made")
        << int(platform::FaultPoint::Open) << 2 << QStringLiteral("libUrlpull.so");
    QTest::newRow("last file does not reach the disk")
        << int(platform::FaultPoint::Flush) << 3 << QStringLiteral("help.txt");
}

void tst_refitter::failedWritePutsBack() {
    QFETCH(int, point);
    QFETCH(int, nth);
    QFETCH(QString, failingFile);
    ProgramDir prog;
    prog.PutBackupScript("old");
    prog.Put(QStringLiteral("libUrlpull.so"), "old control");
    prog.PutPackage(ProgramDir::Body({{QStringLiteral("%Backup%Backup"), NewBackup},
                                      {QStringLiteral("%Backup%libUrlpull.so"), ControlBytes},
                                      {QStringLiteral("%Backup%help.txt"), "a new file"}}));
    ScriptedPrompt prompt;
    FaultInjector faults;
    faults.FailAt(platform::FaultPoint(point), nth);

    RefitterRun run;
    RunRefused(prog, prompt,
               {QStringLiteral("Error writing the update!\n") + prog.Path(failingFile) +
                QStringLiteral("\nError was : 61. Disk full\n"
                               "The previous files have been put back.")},
               run);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(prog.Executable(QStringLiteral("Backup")));
    VerifyFlags(false, false, false);
    QTRY_COMPARE(prog.Starts(), QList<QByteArray>{"old"});
}

void tst_refitter::refusesUntrusted_data() {
    QTest::addColumn<int>("change"); // what is done to the published package or its version file
    QTest::addColumn<QString>("message");

    const QString unsigned_ = QStringLiteral("Upk package file is not signed by the publisher!");
    const QString unchecked = QStringLiteral("Upk package file cannot be checked!\n");
    QTest::newRow("package swapped, same length") << 0 << unsigned_;
    QTest::newRow("package swapped, other length") << 1 << LengthMessage;
    QTest::newRow("signed with another key") << 2 << unsigned_;
    QTest::newRow("signature missing") << 3 << unsigned_;
    QTest::newRow("version line names another version") << 4 << unsigned_;
    QTest::newRow("no version file") << 5 << unchecked;
    QTest::newRow("version file too large") << 6 << unchecked;
    QTest::newRow("version line not a date")
        << 7 << unchecked + QStringLiteral("Incorrect Version file (Backup.Ver) format!");
}

void tst_refitter::refusesUntrusted() {
    QFETCH(int, change);
    QFETCH(QString, message);
    ProgramDir prog;
    prog.PutBackupScript("old");
    const QByteArray body = ProgramDir::Body({{QStringLiteral("%Backup%Backup"), NewBackup}});
    prog.PutPackage(body);
    const QByteArray package = prog.Read(QStringLiteral("Backup.Upk"));
    const QByteArray line = "07.08.06 " + QByteArray::number(package.size());
    QByteArray swapped = package;
    swapped[swapped.size() / 2] = char(swapped.at(swapped.size() / 2) ^ 0x20);
    switch (change) {
    case 0:
        prog.Put(QStringLiteral("Backup.Upk"), swapped);
        break;
    case 1:
        prog.PutPackage(body + "more", QStringLiteral("other.Upk"));
        QVERIFY(QFile::remove(prog.Path(QStringLiteral("Backup.Upk"))));
        QVERIFY(QFile::rename(prog.Path(QStringLiteral("other.Upk")),
                              prog.Path(QStringLiteral("Backup.Upk"))));
        prog.PutVersionFile(line, package);
        break;
    case 2:
        prog.PutVersionFile(line, package, false);
        break;
    case 3:
        prog.Put(QStringLiteral("Backup.Ver"), line + "\r\n");
        break;
    case 4: {
        const QByteArray signedFile = prog.Read(QStringLiteral("Backup.Ver"));
        prog.Put(QStringLiteral("Backup.Ver"), "09.08.06" + signedFile.mid(8));
        break;
    }
    case 5:
        QVERIFY(QFile::remove(prog.Path(QStringLiteral("Backup.Ver"))));
        break;
    case 6:
        prog.Put(QStringLiteral("Backup.Ver"),
                 prog.Read(QStringLiteral("Backup.Ver")) + QByteArray(5000, '\n'));
        break;
    case 7:
        prog.Put(QStringLiteral("Backup.Ver"),
                 "latest\r\n" + prog.Read(QStringLiteral("Backup.Ver")));
        break;
    }
    const QMap<QString, QByteArray> before = prog.Snapshot();
    ScriptedPrompt prompt;

    const RefitterRun run = RunWithoutWaiting(QStringLiteral("Backup.Upk"));

    QVERIFY(!run.succeeded);
    QCOMPARE(prompt.Texts().size(), 1);
    QVERIFY2(prompt.Texts().first().startsWith(message), qPrintable(prompt.Texts().first()));
    QCOMPARE(prog.Snapshot(), WithoutHandOff(before));
    VerifyFlags(false, false, false);
    QTRY_COMPARE(prog.Starts(), QList<QByteArray>{"old"});
}

void tst_refitter::versionCheck_data() {
    QTest::addColumn<QString>("recorded"); // the last install's version; empty: none recorded
    QTest::addColumn<QString>("offered");
    QTest::addColumn<bool>("forced");
    QTest::addColumn<bool>("installs");

    // The program was built as 06.08.06.
    QTest::newRow("newer than the program") << QString() << "07.08.06" << false << true;
    QTest::newRow("the program's own") << QString() << "06.08.06" << false << false;
    QTest::newRow("older than the program") << QString() << "05.08.06" << false << false;
    QTest::newRow("older, forced") << QString() << "05.08.06" << true << true;
    QTest::newRow("newer than the program, older than the last install")
        << "09.08.06"
        << "07.08.06" << false << false;
    QTest::newRow("the last install's own") << "09.08.06"
                                            << "09.08.06" << false << false;
    QTest::newRow("the last install's own, forced") << "09.08.06"
                                                    << "09.08.06" << true << true;
    QTest::newRow("newer than the last install") << "09.08.06"
                                                 << "10.08.06" << false << true;
    QTest::newRow("a year after 2029") << QString() << "01.01.30" << false << true;
}

void tst_refitter::versionCheck() {
    QFETCH(QString, recorded);
    QFETCH(QString, offered);
    QFETCH(bool, forced);
    QFETCH(bool, installs);
    const FixedClock clock(QDateTime(QDate(2026, 12, 10), QTime(12, 0)));
    ProgramDir prog;
    prog.PutBackupScript("old");
    if (!recorded.isEmpty())
        prog.Put(QStringLiteral("Rollback.lst"), "Installed|" + recorded.toUtf8() + '\n');
    prog.PutPackage(ProgramDir::Body({{QStringLiteral("%Backup%Backup"), NewBackup}}, offered),
                    QStringLiteral("Backup.Upk"), QLatin1String(UpkBodyEntryName), offered);
    const QMap<QString, QByteArray> before = prog.Snapshot();
    ScriptedPrompt prompt; // the run's messages are not what this looks at
    prompt.ExpectAnyMessages();

    const RefitterRun run =
        RunWithoutWaiting((forced ? QStringLiteral("-force ") : QString()) + "Backup.Upk");

    QCOMPARE(run.succeeded, installs);
    const QString installed = recorded.isEmpty() ? QStringLiteral("06.08.06") : recorded;
    if (installs) {
        QCOMPARE(prog.Read(QStringLiteral("Backup")), NewBackup);
        QCOMPARE(prog.Read(QStringLiteral("Rollback.lst")), "Installed|" + offered.toUtf8() +
                                                                "\nBefore|" + installed.toUtf8() +
                                                                "\nReplaced|Backup\n");
    } else {
        QCOMPARE(prompt.Texts(),
                 QStringList{QStringLiteral("Upk package file is not newer than the installed "
                                            "version!\nInstalled version : ") +
                             installed + QStringLiteral("\nPackage version : ") + offered});
        QCOMPARE(prog.Snapshot(), WithoutHandOff(before));
    }
    QTRY_COMPARE(prog.Starts(), QList<QByteArray>{installs ? "new" : "old"});
}

// An earlier update left its rollback point; this one fails at a rename of its own, or meets a
// kept copy's name taken by a folder. Every file, kept copy and the list stay as they were.
void tst_refitter::failedSwapPutsBack_data() {
    QTest::addColumn<int>("failingRename"); // 0: none is made to fail
    QTest::addColumn<bool>("keptCopyIsFolder");

    QTest::newRow("a kept copy's name is a folder") << 0 << true;
    // Five renames swap the files in, three retire the earlier point, three make the new one.
    for (int rename = 1; rename <= 11; ++rename)
        QTest::addRow("rename %d of 11 fails", rename) << rename << false;
}

void tst_refitter::failedSwapPutsBack() {
    QFETCH(int, failingRename);
    QFETCH(bool, keptCopyIsFolder);
    ProgramDir prog;
    prog.PutBackupScript("old");
    prog.Put(QStringLiteral("libUrlpull.so"), "control of the last update");
    prog.Put(QStringLiteral("libUrlpull.so.Old"), "control kept by the last update");
    prog.Put(QStringLiteral("Rollback.lst"),
             "Installed|07.08.06\nBefore|06.08.06\nReplaced|Backup\nReplaced|libUrlpull.so\n");
    if (keptCopyIsFolder)
        QVERIFY(QDir().mkpath(prog.Path(QStringLiteral("Backup.Old/inside"))));
    else
        prog.Put(QStringLiteral("Backup.Old"), BackupScript("kept"), true);
    prog.PutPackage(ProgramDir::Body({{QStringLiteral("%Backup%Backup"), NewBackup},
                                      {QStringLiteral("%Backup%libUrlpull.so"), ControlBytes},
                                      {QStringLiteral("%Backup%help.txt"), "a new file"}},
                                     QStringLiteral("08.08.06")),
                    QStringLiteral("Backup.Upk"), QLatin1String(UpkBodyEntryName),
                    QStringLiteral("08.08.06"));
    ScriptedPrompt prompt;
    FaultInjector faults;
    if (failingRename > 0)
        faults.FailAt(platform::FaultPoint::Rename, failingRename, EACCES);

    const QMap<QString, QByteArray> before = prog.Snapshot();

    const RefitterRun run = RunWithoutWaiting(QStringLiteral("Backup.Upk"));

    QVERIFY(!run.succeeded);
    QCOMPARE(prog.Snapshot(), WithoutHandOff(before));
    QCOMPARE(prompt.Texts().size(), 1);
    const QString text = prompt.Texts().first();
    QVERIFY2(text.startsWith(QStringLiteral("Error replacing the program's files!\n")) &&
                 text.endsWith(QStringLiteral("\nThe previous files have been put back.")),
             qPrintable(text));
    if (keptCopyIsFolder)
        QVERIFY(text.contains(prog.Path(QStringLiteral("Backup.Old\n"))));
    else
        QVERIFY(text.contains(QStringLiteral("Error was : 70. Permission denied")));
    VerifyFlags(false, false, false);
    QVERIFY(run.backupStarted);
    QTRY_COMPARE(prog.Starts(), QList<QByteArray>{"old"});
}

// Backup and two libraries updated, then Backup alone, then a third update that fails: the
// rollback gives back exactly the state before the second update.
void tst_refitter::rollbackAcrossUpdates() {
    ProgramDir prog;
    prog.PutBackupScript("v0");
    prog.Put(QStringLiteral("libA.so"), "A0");
    prog.Put(QStringLiteral("libB.so"), "B0");
    ScriptedPrompt prompt; // the run's messages are not what this looks at
    prompt.ExpectAnyMessages();
    QVERIFY(Install(prog, QStringLiteral("07.08.06"),
                    {{QStringLiteral("Backup"), BackupScript("v1")},
                     {QStringLiteral("libA.so"), "A1"},
                     {QStringLiteral("libB.so"), "B1"}})
                .succeeded);
    QVERIFY(
        Install(prog, QStringLiteral("08.08.06"), {{QStringLiteral("Backup"), BackupScript("v2")}})
            .succeeded);
    // The libraries' copies from before the first update are no longer a rollback point.
    QVERIFY(!QFile::exists(prog.Path(QStringLiteral("libA.so.Old"))));
    QVERIFY(!QFile::exists(prog.Path(QStringLiteral("libB.so.Old"))));
    const QMap<QString, QByteArray> afterSecond = prog.Snapshot();
    {
        FaultInjector faults;
        faults.FailAt(platform::FaultPoint::Write, 2);
        QVERIFY(!Install(prog, QStringLiteral("09.08.06"),
                         {{QStringLiteral("Backup"), BackupScript("v3")},
                          {QStringLiteral("libA.so"), "A3"}})
                     .succeeded);
    }
    QCOMPARE(prog.Snapshot(), WithoutHandOff(afterSecond));
    prompt.Clear();

    QVERIFY(RunWithoutWaiting(QStringLiteral("-rollback")).succeeded);

    QCOMPARE(prompt.Texts(),
             QStringList{QStringLiteral("Rollback completed.\nY=rolled back, M=more to do, "
                                        "N=failed\nStatus :\nY \"") +
                         prog.Path(QStringLiteral("Backup")) + QStringLiteral("\" rolled back!")});
    QCOMPARE(prog.Read(QStringLiteral("Backup")), BackupScript("v1"));
    QCOMPARE(prog.Read(QStringLiteral("libA.so")), QByteArray("A1"));
    QCOMPARE(prog.Read(QStringLiteral("libB.so")), QByteArray("B1"));
    // The first update's version is the installed one again: the second installs anew.
    QVERIFY(
        !Install(prog, QStringLiteral("07.08.06"), {{QStringLiteral("Backup"), "x"}}).succeeded);
    QVERIFY(
        Install(prog, QStringLiteral("08.08.06"), {{QStringLiteral("Backup"), BackupScript("v2")}})
            .succeeded);
    QTRY_COMPARE(prog.Starts().size(), 6);
}

void tst_refitter::packagePath_data() {
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("package");
    QTest::addColumn<bool>("installed");

    QTest::newRow("bare name") << QStringLiteral("Backup.Upk") << QStringLiteral("{prog}Backup.Upk")
                               << true;
    QTest::newRow("quoted full path")
        << QStringLiteral("\"{prog}Backup.Upk\"") << QStringLiteral("{prog}Backup.Upk") << true;
    QTest::newRow("full path") << QStringLiteral("{prog}Backup.Upk")
                               << QStringLiteral("{prog}Backup.Upk") << true;
    QTest::newRow("forced") << QStringLiteral("-force Backup.Upk")
                            << QStringLiteral("{prog}Backup.Upk") << true;
    QTest::newRow("forced, quoted path with blanks")
        << QStringLiteral("-FORCE \"{prog}new version.upk\"")
        << QStringLiteral("{prog}new version.upk") << true;
    QTest::newRow("outside the program directory")
        << QStringLiteral("\"{outside}new version.upk\"")
        << QStringLiteral("{outside}new version.upk") << false;
}

void tst_refitter::packagePath() {
    QFETCH(QString, argument);
    QFETCH(QString, package);
    QFETCH(bool, installed);
    ProgramDir prog;
    prog.PutBackupScript("old");
    const auto place = [&](QString text) {
        return text.replace(QStringLiteral("{prog}"), prog.Path(QString()))
            .replace(QStringLiteral("{outside}"), prog.Outside(QString()));
    };
    package = place(package);
    prog.PutPackage(ProgramDir::Body({{QStringLiteral("%Backup%Backup"), NewBackup}}));
    if (package != prog.Path(QStringLiteral("Backup.Upk")))
        QVERIFY(QFile::rename(prog.Path(QStringLiteral("Backup.Upk")), package));
    ScriptedPrompt prompt; // the run's messages are not what this looks at
    prompt.ExpectAnyMessages();

    const RefitterRun run = RunWithoutWaiting(place(argument));

    QCOMPARE(run.succeeded, installed);
    QCOMPARE(prog.Read(QStringLiteral("Backup")) == NewBackup, installed);
    // A package elsewhere is refused and left where it is: it is not the updater's to delete.
    QCOMPARE(QFile::exists(package), !installed);
    if (!installed)
        QCOMPARE(prompt.Texts(),
                 QStringList{QStringLiteral("Upk package file is not in the program directory!\n") +
                             package});
    QVERIFY(!QFile::exists(prog.Path(QStringLiteral("Backup.Ver"))));
    QTRY_COMPARE(prog.Starts(), QList<QByteArray>{installed ? "new" : "old"});
}

void tst_refitter::otherFileNamedIsKept() {
    ProgramDir prog;
    prog.PutBackupScript();
    prog.Put(QStringLiteral("Backup.Ini"), "V|8|the user's settings");
    ScriptedPrompt prompt;

    const RefitterRun run = RunWithoutWaiting(QStringLiteral("Backup.Ini"));

    QVERIFY(!run.succeeded);
    QCOMPARE(prompt.Texts(), QStringList{QStringLiteral("Upk package file cannot be checked!\n"
                                                        "Version file (Backup.Ver) not found!")});
    QCOMPARE(prog.Read(QStringLiteral("Backup.Ini")), QByteArray("V|8|the user's settings"));
    QTRY_COMPARE(prog.Starts().size(), 1);
}

void tst_refitter::rollback_data() {
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QStringList>("kept");
    QTest::addColumn<QStringList>("status");

    const QString y = QStringLiteral("Y \"{prog}%1\" rolled back!");
    const QString n = QStringLiteral("N \"{prog}%1.Old\" does not exist!");
    QTest::newRow("only Backup's copy")
        << QStringLiteral("-rollback") << QStringList{QStringLiteral("Backup")}
        << QStringList{y.arg(QStringLiteral("Backup")), n.arg(QStringLiteral("libUrlpull.so")),
                       n.arg(QStringLiteral("packsmith"))};
    QTest::newRow("every copy, switch in capitals with blanks")
        << QStringLiteral("  -RollBack ")
        << QStringList{QStringLiteral("Backup"), QStringLiteral("libUrlpull.so"),
                       QStringLiteral("packsmith")}
        << QStringList{y.arg(QStringLiteral("Backup")), y.arg(QStringLiteral("libUrlpull.so")),
                       y.arg(QStringLiteral("packsmith"))};
    QTest::newRow("no copies") << QStringLiteral("-rollback") << QStringList()
                               << QStringList{n.arg(QStringLiteral("Backup")),
                                              n.arg(QStringLiteral("libUrlpull.so")),
                                              n.arg(QStringLiteral("packsmith"))};
    QTest::newRow("control and tool, not Backup")
        << QStringLiteral("-rollback")
        << QStringList{QStringLiteral("libUrlpull.so"), QStringLiteral("packsmith")}
        << QStringList{n.arg(QStringLiteral("Backup")), y.arg(QStringLiteral("libUrlpull.so")),
                       y.arg(QStringLiteral("packsmith"))};
}

void tst_refitter::rollback() {
    QFETCH(QString, argument);
    QFETCH(QStringList, kept);
    QFETCH(QStringList, status);
    ProgramDir prog;
    prog.PutBackupScript("current");
    prog.Put(QStringLiteral("libUrlpull.so"), "current control");
    prog.Put(QStringLiteral("packsmith"), "current tool");
    prog.Put(QStringLiteral("Backup.Upk"), "a package nobody asked to install");
    for (const QString &name : kept)
        prog.Put(name + QStringLiteral(".Old"),
                 name == QStringLiteral("Backup")
                     ? QByteArray("#!/bin/sh\necho kept >> \"$(dirname \"$0\")/started.txt\"\n")
                     : "kept " + name.toUtf8(),
                 true);
    SetFlag(QLatin1String(FlagFirstRunAfterUpdate), true);
    SetFlag(QLatin1String(FlagErrorAfterUpdate), true);
    ScriptedPrompt prompt;

    const RefitterRun run = RunWithoutWaiting(argument);

    QVERIFY(run.succeeded);
    QCOMPARE(prompt.Texts(),
             QStringList{QStringLiteral("Rollback completed.\nY=rolled back, M=more to do, "
                                        "N=failed\nStatus :\n") +
                         status.join(QLatin1Char('\n'))
                             .replace(QStringLiteral("{prog}"), prog.Path(QString()))});
    QCOMPARE(prompt.Prompts().first().title, UpdaterTitle());
    for (const QString &name : kept) {
        QVERIFY(!QFile::exists(prog.Path(name + QStringLiteral(".Old"))));
        QVERIFY(prog.Read(name).contains("kept"));
    }
    QCOMPARE(prog.Read(QStringLiteral("libUrlpull.so")) == "current control",
             !kept.contains(QStringLiteral("libUrlpull.so")));
    // Rolling back has no package: one lying there is not the updater's to delete.
    QVERIFY(QFile::exists(prog.Path(QStringLiteral("Backup.Upk"))));
    VerifyFlags(false, false, true);
    QTRY_COMPARE(prog.Starts(),
                 QList<QByteArray>{kept.contains(QStringLiteral("Backup")) ? "kept" : "current"});
}

void tst_refitter::noArguments_data() {
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<int>("backup"); // 0 a script, 1 missing, 2 empty
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("started");

    QTest::newRow("nothing") << QString() << 0 << QStringList{UsageMessage} << true;
    QTest::newRow("only blanks") << QStringLiteral("   ") << 0 << QStringList{UsageMessage} << true;
    QTest::newRow("Backup missing")
        << QString() << 1 << QStringList{UsageMessage, QStringLiteral("Backup.exe not found!")}
        << false;
    QTest::newRow("Backup empty") << QString() << 2 << QStringList{UsageMessage} << false;
}

void tst_refitter::noArguments() {
    QFETCH(QString, commandLine);
    QFETCH(int, backup);
    QFETCH(QStringList, messages);
    QFETCH(bool, started);
    ProgramDir prog;
    if (backup == 0)
        prog.PutBackupScript();
    if (backup == 2)
        prog.Put(QStringLiteral("Backup"), QByteArray(), true);
    ScriptedPrompt prompt;

    const RefitterRun run = RunWithoutWaiting(commandLine);

    QVERIFY(!run.succeeded);
    QCOMPARE(prompt.Texts(), messages);
    QCOMPARE(run.backupStarted, started);
    if (started)
        QTRY_COMPARE(prog.Starts().size(), 1);
}

void tst_refitter::busyBackup_data() {
    QTest::addColumn<int>("okAnswers"); // then Cancel
    QTest::addColumn<int>("endsAtPause");
    QTest::addColumn<bool>("installed");

    QTest::newRow("Cancel at the first question") << 0 << -1 << false;
    QTest::newRow("OK until Backup ends") << 5 << 65 << true;
}

void tst_refitter::busyBackup() {
    QFETCH(int, okAnswers);
    QFETCH(int, endsAtPause);
    QFETCH(bool, installed);
    ProgramDir prog;
    // A running program's file cannot be opened for writing: a copy of sleep stands in for Backup.
    const QString sleep = QStandardPaths::findExecutable(QStringLiteral("sleep"));
    QVERIFY(!sleep.isEmpty());
    QVERIFY(QFile::copy(sleep, prog.Path(QStringLiteral("Backup"))));
    QProcess backup;
    backup.start(prog.Path(QStringLiteral("Backup")), {QStringLiteral("600")});
    QVERIFY(backup.waitForStarted());
    prog.PutPackage(ProgramDir::Body({{QStringLiteral("%Backup%Backup"), NewBackup}}));
    ScriptedPrompt prompt;
    prompt.AnswerWhen(QStringLiteral("is still busy!"), MsgAnswer::OK, okAnswers);
    if (!installed) // else Backup ends before the Cancel is needed
        prompt.AnswerWhen(QStringLiteral("is still busy!"), MsgAnswer::Cancel);
    QList<int> pauses;

    const RefitterRun run = RunRefitter(QStringLiteral("Backup.Upk"), [&](int milliseconds) {
        pauses.append(milliseconds);
        if (pauses.size() == endsAtPause) {
            backup.kill();
            backup.waitForFinished();
        }
    });
    backup.kill();
    backup.waitForFinished();

    const QString busy = QStringLiteral("Backup.exe is still busy!\nCannot update whilst the "
                                        "program is running!\nContinue trying to update?");
    QCOMPARE(pauses.size(), installed ? endsAtPause : 60);
    QVERIFY(std::all_of(pauses.cbegin(), pauses.cend(), [](int ms) { return ms == 500; }));
    QCOMPARE(prompt.Prompts().size(), okAnswers + 1);
    for (int i = 0; i < okAnswers + (installed ? 0 : 1); ++i) {
        QCOMPARE(prompt.Prompts().at(i).text, busy);
        QCOMPARE(prompt.Prompts().at(i).buttons, MsgButtons::OKCancel);
    }
    QCOMPARE(run.succeeded, installed);
    QCOMPARE(prog.Read(QStringLiteral("Backup")) == NewBackup, installed);
    QVERIFY(!QFile::exists(prog.Path(QStringLiteral("Backup.Upk"))));
    QVERIFY(run.backupStarted);
    if (installed)
        QTRY_COMPARE(prog.Starts(), QList<QByteArray>{"new"});
}

QTEST_GUILESS_MAIN(tst_refitter)
#include "tst_refitter.moc"
