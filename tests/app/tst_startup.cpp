// The entry procedure: switches, the single instance, the updater hand-off, the update flags,
// read-only mode and the information file.
#include "fixedclock.h"
#include "model.h"
#include "platform.h"
#include "programini.h"
#include "programrun.h"
#include "runatstartup.h"
#include "scriptedprompt.h"
#include "startup.h"
#include "temptree.h"
#include "updateflags.h"

#include <QtTest>

namespace {

const QString Refitter = QStringLiteral("Refitter");

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void switches_data();
    void switches();
    void makeVersionWritesTheVersionFile();
    void makeVersionNeedsNoDisplay();
    void secondInstanceIsRefused();
    void updaterReplacement_data();
    void updaterReplacement();
    void updateFlags_data();
    void updateFlags();
    void readOnlyWhenTheDirectoryCannotBeWritten();
    void normalStartCreatesTheIniAndRegisters();
    void probeNeverTouchesAUsersFiles();
    void restoreModeSkipsTheIni();

private:
    StartupResult Start(const QStringList &switches);

    std::unique_ptr<TempTree> tree;
    std::unique_ptr<TempTree> settings;
    std::unique_ptr<ScriptedPrompt> prompt;
    QString lockName;
    int windowsLoaded = 0;
    int updateChecks = 0;
    bool errorFlagWhileStarting = false;
};

void TestStartup::init() {
    tree = std::make_unique<TempTree>(QStringList{QStringLiteral("prog/"), QStringLiteral("cfg/")});
    settings = std::make_unique<TempTree>();
    prompt = std::make_unique<ScriptedPrompt>();
    platform::SetSettingsFolder(settings->Root());
    platform::SetProgramDirectory(tree->PathOf(QStringLiteral("prog/")));
    qputenv("XDG_CONFIG_HOME", tree->PathOf(QStringLiteral("cfg")).toUtf8());
    lockName = QStringLiteral("tst_startup_") + QFileInfo(tree->Root().chopped(1)).fileName();
    windowsLoaded = 0;
    updateChecks = 0;
}

void TestStartup::cleanup() {
    prompt.reset();
    platform::SetProgramDirectory(QString());
    platform::SetSettingsFolder(QString());
    qunsetenv("XDG_CONFIG_HOME");
    tree.reset();
    settings.reset();
}

StartupResult TestStartup::Start(const QStringList &switches) {
    platform::SingleInstanceLock lock(lockName);
    StartupSteps steps;
    steps.windowsLoaded = [this] {
        ++windowsLoaded;
        errorFlagWhileStarting = GetFlag(FlagErrorAfterUpdate);
    };
    steps.automaticUpdate = [this] { ++updateChecks; };
    return RunStartup(QStringList{QStringLiteral("Backup")} + switches, lock, steps);
}

void TestStartup::switches_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("makeVersion");
    QTest::addColumn<bool>("restore");
    QTest::addColumn<bool>("minimise");
    QTest::newRow("none") << QStringLiteral("Backup") << QStringList{} << false << false << false;
    QTest::newRow("capitals") << QStringLiteral("Backup") << QStringList{QStringLiteral("/MIN")}
                              << false << false << true;
    QTest::newRow("dash restore") << QStringLiteral("Backup")
                                  << QStringList{QStringLiteral("-Restore")} << false << true
                                  << false;
    QTest::newRow("both") << QStringLiteral("Backup")
                          << QStringList{QStringLiteral("/restore"), QStringLiteral("-min")}
                          << false << true << true;
    QTest::newRow("inside another word")
        << QStringLiteral("Backup") << QStringList{QStringLiteral("x/makeversion")} << true << false
        << false;
    // The program's own name is not part of the command line.
    QTest::newRow("program name") << QStringLiteral("/opt/-min/Backup") << QStringList{} << false
                                  << false << false;
}

void TestStartup::switches() {
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(bool, makeVersion);
    QFETCH(bool, restore);
    QFETCH(bool, minimise);
    const StartupSwitches found = ParseSwitches(QStringList{program} + arguments);
    QCOMPARE(found.makeVersion, makeVersion);
    QCOMPARE(found.restore, restore);
    QCOMPARE(found.minimise, minimise);
}

void TestStartup::makeVersionWritesTheVersionFile() {
    const StartupResult result = Start({QStringLiteral("/MakeVer")});
    QCOMPARE(result.outcome, StartupOutcome::End);
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(tree->Read(QStringLiteral("prog/Backup.Ver")), QByteArray("06.08.06\r\n"));
    QCOMPARE(windowsLoaded, 0);
    QVERIFY(!QFile::exists(tree->PathOf(QStringLiteral("prog/Backup.Ini"))));
}

// A publisher's build script runs the built program where no display exists and no window
// system is named; the program is copied with its libraries so that the file lands beside it.
void TestStartup::makeVersionNeedsNoDisplay() {
    const QString bin = qEnvironmentVariable("PELLMOOR_BIN_DIR") + QLatin1Char('/');
    const QString prog = tree->PathOf(QStringLiteral("prog/"));
    for (const char *name : {"Backup", "libUrlpull.so", "libCheckRoster.so", "libPlainRoster.so"})
        QVERIFY2(QFile::copy(bin + QLatin1String(name), prog + QLatin1String(name)), name);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QLatin1String(name));
    const Run run = RunProgram(prog + QStringLiteral("Backup"), {QStringLiteral("/makever")},
                               environment, tree->PathOf(QStringLiteral("cfg")));
    QVERIFY2(run.status == 0, qPrintable(run.err));
    QCOMPARE(tree->Read(QStringLiteral("prog/Backup.Ver")), QByteArray("06.08.06\r\n"));
}

void TestStartup::secondInstanceIsRefused() {
    platform::SingleInstanceLock first(lockName);
    QVERIFY(first.TryAcquire());
    const StartupResult result = Start({});
    QCOMPARE(result.outcome, StartupOutcome::End);
    QCOMPARE(prompt->Texts(),
             QStringList{QStringLiteral("Quillons Pellmoor is already runnning!\nIt may be "
                                        "minimised to the \"system tray\".\nThis is usually in "
                                        "the bottom right corner of the screen.\nMove your mouse "
                                        "over icons to see what they are.")});
    QCOMPARE(windowsLoaded, 0);
    QVERIFY(first.IsHeld());
}

void TestStartup::updaterReplacement_data() {
    QTest::addColumn<bool>("rolledBack");
    QTest::addColumn<bool>("oldBefore");
    QTest::addColumn<QByteArray>("oldAfter");
    QTest::addColumn<QString>("message");
    QTest::newRow("update") << false << false << QByteArray("previous") << "Update completed!";
    QTest::newRow("update replaces an older copy")
        << false << true << QByteArray("previous") << "Update completed!";
    QTest::newRow("rollback") << true << false << QByteArray() << "Rollback completed!";
    QTest::newRow("rollback keeps the older copy")
        << true << true << QByteArray("oldest") << "Rollback completed!";
}

void TestStartup::updaterReplacement() {
    QFETCH(bool, rolledBack);
    QFETCH(bool, oldBefore);
    QFETCH(QByteArray, oldAfter);
    QFETCH(QString, message);
    const QString updater = QStringLiteral("prog/") + platform::ExecutableName(Refitter);
    tree->Write(updater, "previous");
    tree->Write(updater + QStringLiteral(".this"), "new");
    if (oldBefore)
        tree->Write(updater + QStringLiteral(".Old"), "oldest");
    SetFlag(FlagRolledBack, rolledBack);
    Start({});
    QCOMPARE(tree->Read(updater), QByteArray("new"));
    QVERIFY(!QFile::exists(tree->PathOf(updater + QStringLiteral(".this"))));
    QCOMPARE(QFile::exists(tree->PathOf(updater + QStringLiteral(".Old"))), !oldAfter.isEmpty());
    if (!oldAfter.isEmpty())
        QCOMPARE(tree->Read(updater + QStringLiteral(".Old")), oldAfter);
    QCOMPARE(prompt->Texts().count(message), 1);
    QCOMPARE(platform::GetSetting(FlagRolledBack), QStringLiteral("False"));
    // The kept copy has the one spelling the updater rolls back from.
    QVERIFY(!QFile::exists(tree->PathOf(updater + QStringLiteral(".old"))));
}

void TestStartup::updateFlags_data() {
    QTest::addColumn<bool>("firstRun");
    QTest::addColumn<bool>("errorBefore");
    QTest::addColumn<QString>("updaterThere"); // "runs", "broken" or ""
    QTest::addColumn<StartupOutcome>("outcome");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("flagsAfter");
    const QString undone = QStringLiteral("stopped this program from working properly!\nThe "
                                          "update will now (hopefully) be undone.");
    const QString notFound =
        QStringLiteral("Unfortunately the update program cannot be found (Refitter.exe).\n");
    QTest::newRow("no update") << false << false << "runs" << StartupOutcome::ShowControl
                               << QStringList{} << false;
    QTest::newRow("first run after an update")
        << true << false << "runs" << StartupOutcome::ShowControl << QStringList{} << false;
    QTest::newRow("previous start broke off")
        << true << true << "runs" << StartupOutcome::End << QStringList{undone} << true;
    QTest::newRow("broke off, no updater")
        << true << true << "" << StartupOutcome::ShowControl << QStringList{notFound} << false;
    QTest::newRow("broke off, updater will not start")
        << true << true << "broken" << StartupOutcome::ShowControl << QStringList{undone, notFound}
        << false;
    QTest::newRow("error flag alone")
        << false << true << "runs" << StartupOutcome::ShowControl << QStringList{} << false;
}

void TestStartup::updateFlags() {
    QFETCH(bool, firstRun);
    QFETCH(bool, errorBefore);
    QFETCH(QString, updaterThere);
    QFETCH(StartupOutcome, outcome);
    QFETCH(QStringList, messages);
    QFETCH(bool, flagsAfter);
    const QString updater = QStringLiteral("prog/") + platform::ExecutableName(Refitter);
    if (updaterThere == QStringLiteral("runs")) {
        tree->Write(updater, "#!/bin/sh\nexit 0\n");
        QFile::setPermissions(tree->PathOf(updater), QFile::ReadOwner | QFile::ExeOwner);
    } else if (updaterThere == QStringLiteral("broken")) {
        tree->Write(updater, "not a program");
    }
    SetFlag(FlagFirstRunAfterUpdate, firstRun);
    SetFlag(FlagErrorAfterUpdate, errorBefore);
    const StartupResult result = Start({});
    QCOMPARE(result.outcome, outcome);
    const QStringList updateTexts = prompt->Texts().filter(QStringLiteral("update"));
    QCOMPARE(updateTexts.size(), messages.size());
    for (int i = 0; i < messages.size(); ++i)
        QVERIFY2(updateTexts[i].contains(messages[i]), qPrintable(updateTexts[i]));
    QCOMPARE(GetFlag(FlagFirstRunAfterUpdate), flagsAfter);
    QCOMPARE(GetFlag(FlagErrorAfterUpdate), flagsAfter);
    // A start after an update marks itself unfinished before any real work, so that one that
    // breaks off is noticed by the next.
    if (windowsLoaded > 0)
        QCOMPARE(errorFlagWhileStarting, firstRun || errorBefore);
    QCOMPARE(windowsLoaded, outcome == StartupOutcome::End ? 0 : 1);
}

void TestStartup::readOnlyWhenTheDirectoryCannotBeWritten() {
    // A path below a regular file can never be written, not even by root.
    tree->Write(QStringLiteral("medium"), "not a directory");
    platform::SetProgramDirectory(tree->PathOf(QStringLiteral("medium/prog/")));
    TheModel().Settings.RunAtStartup = true;
    const StartupResult result = Start({QStringLiteral("-min")});
    QCOMPARE(result.outcome, StartupOutcome::ShowControl);
    QVERIFY(result.readOnly);
    QVERIFY(TheAppMode().ReadOnlyMode);
    QCOMPARE(prompt->Texts().filter(QStringLiteral("Ini file was not found!")).size(), 1);
    QVERIFY(!QFile::exists(AutostartEntryPath()));
    QCOMPARE(updateChecks, 0);
    QCOMPARE(tree->Read(QStringLiteral("medium")), QByteArray("not a directory"));
}

void TestStartup::normalStartCreatesTheIniAndRegisters() {
    prompt->Expect(QStringLiteral("Ini file was not found!"));
    const StartupResult result = Start({QStringLiteral("BACKUP"), QStringLiteral("/MIN")});
    QCOMPARE(result.outcome, StartupOutcome::ToTray);
    QVERIFY(!result.readOnly);
    QVERIFY(QFile::exists(tree->PathOf(QStringLiteral("prog/Backup.Ini"))));
    QVERIFY(IsInRunKey());
    QCOMPARE(updateChecks, 1);
    QVERIFY(!QFile::exists(tree->PathOf(QStringLiteral("prog/test"))));
}

void TestStartup::probeNeverTouchesAUsersFiles() {
    prompt->Expect(QStringLiteral("Ini file was not found!"));
    tree->Write(QStringLiteral("prog/test"), "mine");
    tree->Write(QStringLiteral("prog/test1"), "mine too");
    const StartupResult result = Start({});
    QVERIFY(!result.readOnly);
    QCOMPARE(tree->Read(QStringLiteral("prog/test")), QByteArray("mine"));
    QCOMPARE(tree->Read(QStringLiteral("prog/test1")), QByteArray("mine too"));
    QVERIFY(!QFile::exists(tree->PathOf(QStringLiteral("prog/test2"))));
}

void TestStartup::restoreModeSkipsTheIni() {
    const StartupResult result = Start({QStringLiteral("/restore"), QStringLiteral("/min")});
    QCOMPARE(result.outcome, StartupOutcome::ShowRestore);
    QVERIFY(result.restoreMode);
    QVERIFY(TheAppMode().RestoreMode);
    QVERIFY(!QFile::exists(tree->PathOf(QStringLiteral("prog/Backup.Ini"))));
    QVERIFY(prompt->Texts().isEmpty());
    QCOMPARE(windowsLoaded, 1);
    QVERIFY(!QFile::exists(AutostartEntryPath()));
    QCOMPARE(updateChecks, 0);
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
