// The updater on real packages in a program directory of its own: what it installs, what it
// refuses before touching a file, rollback, the command line and the wait for Backup to end.

#include "faultinjector.h"
#include "platform.h"
#include "programdir.h"
#include "refitter.h"
#include "scriptedprompt.h"
#include "updateflagstore.h"

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

QMap<QString, QByteArray> Without(QMap<QString, QByteArray> entries, const QString &name) {
    entries.remove(name);
    return entries;
}

// Runs the updater on Backup.Upk, which it must refuse with texts, leaving the program directory
// as it was but for the package.
void RunRefused(const ProgramDir &prog, const ScriptedPrompt &prompt, const QStringList &texts,
                RefitterRun &run) {
    const QMap<QString, QByteArray> before = prog.Snapshot();
    run = RunWithoutWaiting(QStringLiteral("Backup.Upk"));
    QVERIFY(!run.succeeded);
    QCOMPARE(prompt.Texts(), texts);
    QCOMPARE(prog.Snapshot(), Without(before, QStringLiteral("Backup.Upk")));
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
                          QStringLiteral("help.txt"), QStringLiteral("libUrlpull.so"),
                          QStringLiteral("libUrlpull.so.Old"), QStringLiteral("newtool")}));
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

void tst_refitter::packagePath_data() {
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("package");

    QTest::newRow("bare name") << QStringLiteral("Backup.Upk")
                               << QStringLiteral("{prog}Backup.Upk");
    QTest::newRow("quoted full path")
        << QStringLiteral("\"{prog}Backup.Upk\"") << QStringLiteral("{prog}Backup.Upk");
    QTest::newRow("full path") << QStringLiteral("{prog}Backup.Upk")
                               << QStringLiteral("{prog}Backup.Upk");
    QTest::newRow("quoted path with blanks elsewhere")
        << QStringLiteral("\"{outside}new version.upk\"")
        << QStringLiteral("{outside}new version.upk");
}

void tst_refitter::packagePath() {
    QFETCH(QString, argument);
    QFETCH(QString, package);
    ProgramDir prog;
    prog.PutBackupScript("old");
    const auto place = [&](QString text) {
        return text.replace(QStringLiteral("{prog}"), prog.Path(QString()))
            .replace(QStringLiteral("{outside}"), prog.Outside(QString()));
    };
    package = place(package);
    {
        ProgramDir maker; // the package is made elsewhere and copied to where the row wants it
        maker.PutPackage(ProgramDir::Body({{QStringLiteral("%Backup%Backup"), NewBackup}}));
        QVERIFY(QFile::copy(maker.Path(QStringLiteral("Backup.Upk")), package));
    }
    platform::SetProgramDirectory(prog.Path(QString()));
    platform::SetSettingsFolder(prog.SettingsFolder());
    ScriptedPrompt prompt;

    const RefitterRun run = RunWithoutWaiting(place(argument));

    QVERIFY(run.succeeded);
    QCOMPARE(prog.Read(QStringLiteral("Backup")), NewBackup);
    QVERIFY(!QFile::exists(package));
    QTRY_COMPARE(prog.Starts(), QList<QByteArray>{"new"});
}

void tst_refitter::otherFileNamedIsKept() {
    ProgramDir prog;
    prog.PutBackupScript();
    prog.Put(QStringLiteral("Backup.Ini"), "V|8|the user's settings");
    ScriptedPrompt prompt;

    const RefitterRun run = RunWithoutWaiting(QStringLiteral("Backup.Ini"));

    QVERIFY(!run.succeeded);
    QCOMPARE(prompt.Texts(), QStringList{UnzipMessage});
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
    for (int i = 0; i < okAnswers; ++i)
        prompt.Answer(MsgAnswer::OK);
    prompt.Answer(MsgAnswer::Cancel);
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
