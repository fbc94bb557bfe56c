// The update check against a real server on 127.0.0.1: every message of the version and package
// stages in interactive, automatic and forced checks, the publisher's signature, the hand-off to
// a stand-in updater, the control centre's Update button and the download window.
#include "datetext.h"
#include "fixedclock.h"
#include "frmControl.h"
#include "frmDownload.h"
#include "frmQuoxel.h"
#include "model.h"
#include "packagesignature.h"
#include "platform.h"
#include "scriptedprompt.h"
#include "scriptedserver.h"
#include "statuslog.h"
#include "temptree.h"
#include "updateaddress.h"
#include "updatechecker.h"
#include "urlpull.h"
#include "version.h"
#include "versiondate.h"
#include "versionline.h"
#include "windowlook.h"

#include "appwindows.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

namespace {

const QByteArray VerPath = "/Backup.Ver";
const QByteArray UpkPath = "/Backup.Upk";
const QByteArray NotFound = "HTTP/1.1 404 Not Found\r\nContent-Length: 1200\r\n\r\nmissing";

QByteArray ReadAll(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QString Offer(const QDate &available) {
    return QStringLiteral("There is an update available!\nYou Have : 06.08.06\nAvailable : ") +
           ShortDateText(available).replace(QLatin1Char('/'), QLatin1Char('.')) +
           QStringLiteral("\nDownload new version?");
}

QString VersionError(const char *ending) {
    return QStringLiteral("Error updating!\nVersion file (Backup.Ver) ") +
           QString::fromLatin1(ending);
}

QString PackageError(const char *ending) {
    return QStringLiteral("Error updating!\nUpdate Package file (Backup.Upk) ") +
           QString::fromLatin1(ending);
}

// Counts the times a window was shown, however briefly.
class ShowCounter : public QObject {
public:
    int shows = 0;
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Show)
            ++shows;
        return false;
    }
};

enum class Signature { Good, None, OtherKey, OtherBytes, Garbled };

} // namespace

Q_DECLARE_METATYPE(Signature)
Q_DECLARE_METATYPE(ScriptedServer::Mode)

class TestUpdateCheck : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void versionDates_data();
    void versionDates();
    void baseAddress_data();
    void baseAddress();
    void versionStage_data();
    void versionStage();
    void automaticCheckOffDownloadsNothing();
    void failedDownloadsAreLoggedInAutomaticChecks_data();
    void failedDownloadsAreLoggedInAutomaticChecks();
    void staleFilesAreNotTakenForTheServers_data();
    void staleFilesAreNotTakenForTheServers();
    void packageStage_data();
    void packageStage();
    void signedPackageIsHandedOff_data();
    void signedPackageIsHandedOff();
    void handOffThatCannotBeWrittenKeepsTheProgram();
    void secondCheckWhileOneRunsIsIgnored();
    void commandsStartTheCheck_data();
    void commandsStartTheCheck();
    void downloadWindowFits_data();
    void downloadWindowFits();
    void downloadWindowOnlyForSlowDownloads_data();
    void downloadWindowOnlyForSlowDownloads();

private:
    // Runs one whole check and waits for its end.
    void Check(bool automatic, bool forced);
    void ServeVersion(const QByteArray &firstLine, Signature signature, const QByteArray &package);
    QString ProgramFile(const QString &name) const { return programDir + name; }
    void MakeRefitter();

    std::unique_ptr<TempTree> tree;
    std::unique_ptr<ScriptedPrompt> prompt;
    std::unique_ptr<ScriptedServer> server;
    std::unique_ptr<UpdateChecker> checker;
    SigningKeyPair keys;
    QString programDir;
    QString workDir;
    QString previousDir;
    QList<bool> enabledCalls;
    int endCalls = 0;
};

void TestUpdateCheck::init() {
    tree =
        std::make_unique<TempTree>(QStringList{QStringLiteral("prog/"), QStringLiteral("work/")});
    programDir = tree->PathOf(QStringLiteral("prog/"));
    workDir = tree->PathOf(QStringLiteral("work/"));
    platform::SetProgramDirectory(programDir);
    previousDir = QDir::currentPath();
    QDir::setCurrent(workDir);
    prompt = std::make_unique<ScriptedPrompt>();
    server = std::make_unique<ScriptedServer>();
    // Without the trailing '/', which the check adds.
    qputenv("PELLMOOR_UPDATE_URL",
            QStringLiteral("http://127.0.0.1:%1").arg(server->Port()).toUtf8());
    keys = MakeSigningKeyPair();
    qputenv("PELLMOOR_UPDATE_KEY", keys.publicKeyBase64);
    TheModel().Settings.CheckForUpdates = true;
    enabledCalls.clear();
    endCalls = 0;
    checker = std::make_unique<UpdateChecker>();
    checker->SetUpdateEnabledAction([this](bool enabled) { enabledCalls.append(enabled); });
    checker->SetEndProgramAction([this] { ++endCalls; });
}

void TestUpdateCheck::cleanup() {
    checker.reset();
    server.reset();
    prompt.reset();
    qunsetenv("PELLMOOR_UPDATE_URL");
    qunsetenv("PELLMOOR_UPDATE_KEY");
    QDir::setCurrent(previousDir);
    platform::SetProgramDirectory(QString());
    tree.reset();
}

void TestUpdateCheck::Check(bool automatic, bool forced) {
    checker->StartUpdate(automatic, forced);
    QTRY_VERIFY_WITH_TIMEOUT(!checker->IsChecking(), 20000);
}

void TestUpdateCheck::ServeVersion(const QByteArray &firstLine, Signature signature,
                                   const QByteArray &package) {
    QByteArray line;
    switch (signature) {
    case Signature::Good:
        line = SignUpdate(firstLine, package, keys.secretKeyBase64);
        break;
    case Signature::None:
        break;
    case Signature::OtherKey:
        line = SignUpdate(firstLine, package, MakeSigningKeyPair().secretKeyBase64);
        break;
    case Signature::OtherBytes:
        line = SignUpdate(firstLine, package + "x", keys.secretKeyBase64);
        break;
    case Signature::Garbled:
        line = "not*base64";
        break;
    }
    server->Route(VerPath, ScriptedServer::Ok(firstLine + "\r\n" + line + "\r\n"));
}

void TestUpdateCheck::MakeRefitter() {
    // Records where it was started and with what, then says it has finished.
    const QByteArray record = (workDir + QStringLiteral("refitter.record")).toUtf8();
    QFile refitter(ProgramFile(QStringLiteral("Refitter")));
    QVERIFY(refitter.open(QIODevice::WriteOnly));
    refitter.write("#!/bin/sh\n{ pwd; printf '%s\\n' \"$@\"; } > '" + record + ".part'\nmv '" +
                   record + ".part' '" + record + "'\n");
    refitter.close();
    QVERIFY(refitter.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

void TestUpdateCheck::versionDates_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");
    QTest::newRow("the program's own") << "06.08.06" << QDate(2006, 8, 6);
    QTest::newRow("day before month") << "13.08.06" << QDate(2006, 8, 13);
    QTest::newRow("single digits") << "1.9.06" << QDate(2006, 9, 1);
    QTest::newRow("slashes") << "06/08/06" << QDate(2006, 8, 6);
    QTest::newRow("four-digit year") << "06.08.2006" << QDate(2006, 8, 6);
    QTest::newRow("blanks around") << " 06.08.06\r" << QDate(2006, 8, 6);
    // Two-digit years lie within fifty years of the clock's year, 2026 here.
    QTest::newRow("a year after 2029") << "01.01.30" << QDate(2030, 1, 1);
    QTest::newRow("49 years ahead") << "31.12.75" << QDate(2075, 12, 31);
    QTest::newRow("50 years back") << "01.01.76" << QDate(1976, 1, 1);
    QTest::newRow("leap day of 2000") << "29.02.00" << QDate(2000, 2, 29);
    QTest::newRow("no such day") << "31.02.06" << QDate();
    QTest::newRow("no such month") << "06.13.06" << QDate();
    QTest::newRow("two parts") << "06.08" << QDate();
    QTest::newRow("four parts") << "06.08.06.01" << QDate();
    QTest::newRow("three-digit year") << "06.08.006" << QDate();
    QTest::newRow("signed number") << "+6.08.06" << QDate();
    QTest::newRow("words") << "Hello" << QDate();
    QTest::newRow("empty") << "" << QDate();
}

void TestUpdateCheck::versionDates() {
    QFETCH(QString, text);
    QFETCH(QDate, date);
    const FixedClock clock(QDateTime(QDate(2026, 12, 10), QTime(12, 0)));
    QCOMPARE(ReadVersionDate(text), date);
}

void TestUpdateCheck::baseAddress_data() {
    QTest::addColumn<QByteArray>("variable");
    QTest::addColumn<QString>("base");
    QTest::newRow("slash added") << QByteArray("http://h:81/up") << "http://h:81/up/";
    QTest::newRow("slash kept") << QByteArray("http://h/up/") << "http://h/up/";
    QTest::newRow("unset") << QByteArray() << QString::fromLatin1(UpdateBaseAddress);
}

void TestUpdateCheck::baseAddress() {
    QFETCH(QByteArray, variable);
    QFETCH(QString, base);
    if (variable.isEmpty())
        qunsetenv("PELLMOOR_UPDATE_URL");
    else
        qputenv("PELLMOOR_UPDATE_URL", variable);
    QCOMPARE(UpdateBaseUrl(), base);
}

void TestUpdateCheck::versionStage_data() {
    QTest::addColumn<bool>("automatic");
    QTest::addColumn<bool>("forced");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QStringList>("prompts");

    const QByteArray newer = ScriptedServer::Ok("01.09.06\r\n");
    const QString offer = Offer(QDate(2006, 9, 1));
    const QString controlSaysServerError = QStringLiteral("Error! Server error!");
    const struct {
        const char *name;
        QByteArray answer;
        QStringList interactive, automatic, forced;
    } cases[] = {
        // The control's own message is kept from an automatic check (its log has it).
        {"missing",
         NotFound,
         {controlSaysServerError, VersionError("not found!")},
         {},
         {controlSaysServerError}},
        {"empty", ScriptedServer::Ok(""), {VersionError("was empty!")}, {}, {}},
        {"only a line break", ScriptedServer::Ok("\r\n"), {VersionError("was empty!")}, {}, {}},
        {"not a date",
         ScriptedServer::Ok("Hello\r\n"),
         {QStringLiteral("Error updating!\nIncorrect Version file (Backup.Ver) format!")},
         {},
         {}},
        {"same version",
         ScriptedServer::Ok("06.08.06\r\n"),
         {QStringLiteral("No updates available!")},
         {},
         {Offer(QDate(2006, 8, 6))}},
        {"older",
         ScriptedServer::Ok("05.08.06"),
         {QStringLiteral("No updates available!")},
         {},
         {Offer(QDate(2006, 8, 5))}},
        // Read with month first this would be the 9th of January, older than ours.
        {"newer", newer, {offer}, {offer}, {offer}},
        {"newer, four-digit year",
         ScriptedServer::Ok("13.08.2006"),
         {Offer(QDate(2006, 8, 13))},
         {Offer(QDate(2006, 8, 13))},
         {Offer(QDate(2006, 8, 13))}},
    };
    for (const auto &c : cases) {
        QTest::addRow("%s, interactive", c.name) << false << false << c.answer << c.interactive;
        QTest::addRow("%s, automatic", c.name) << true << false << c.answer << c.automatic;
        QTest::addRow("%s, forced", c.name) << false << true << c.answer << c.forced;
    }
}

void TestUpdateCheck::versionStage() {
    QFETCH(bool, automatic);
    QFETCH(bool, forced);
    QFETCH(QByteArray, answer);
    QFETCH(QStringList, prompts);
    server->Route(VerPath, answer);
    if (prompts.join(QLatin1Char('\n')).contains(QStringLiteral("Download new version?")))
        prompt->AnswerWhen(QStringLiteral("Download new version?"), MsgAnswer::No);

    Check(automatic, forced);

    QCOMPARE(prompt->Texts(), prompts);
    QCOMPARE(server->RequestedPaths(), QList<QByteArray>{VerPath});
    QVERIFY(!QFile::exists(ProgramFile(QStringLiteral("Backup.Ver"))));
    QCOMPARE(enabledCalls, (QList<bool>{false, true}));
    QCOMPARE(endCalls, 0);
}

void TestUpdateCheck::automaticCheckOffDownloadsNothing() {
    TheModel().Settings.CheckForUpdates = false;
    server->Route(VerPath, ScriptedServer::Ok("01.09.06"));
    checker->StartUpdate(true, false);
    QVERIFY(!checker->IsChecking());
    QVERIFY(!checker->DownloadWindow()->GD()->IsRunning());
    QCOMPARE(checker->UpdateStage(), -1);
    QVERIFY(enabledCalls.isEmpty());
    // Asked for by the user, the same setting does not stop the check.
    prompt->AnswerWhen(QStringLiteral("Download new version?"), MsgAnswer::No);
    Check(false, false);
    QCOMPARE(server->RequestedPaths(), QList<QByteArray>{VerPath});
}

void TestUpdateCheck::failedDownloadsAreLoggedInAutomaticChecks_data() {
    QTest::addColumn<ScriptedServer::Mode>("mode");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QString>("message");
    using Mode = ScriptedServer::Mode;
    QTest::newRow("error page") << Mode::Answer << NotFound << "Error! Server error!";
    QTest::newRow("captive portal") << Mode::Answer << QByteArray("<html>") << "Error! No header!";
    QTest::newRow("silent server") << Mode::Silent << QByteArray() << "Get URL Timed Out!";
    QTest::newRow("endless version file")
        << Mode::AnswerAndStall << ScriptedServer::Ok(QByteArray(5000, '6'))
        << "Error! Document too large!\r\nMore than 4095 bytes were sent.";
}

// A check nobody asked for shows none of the download control's messages: they go to the log,
// and the version file is fetched once.
void TestUpdateCheck::failedDownloadsAreLoggedInAutomaticChecks() {
    QFETCH(ScriptedServer::Mode, mode);
    QFETCH(QByteArray, answer);
    QFETCH(QString, message);
    server->Script(mode, answer);
    checker->DownloadWindow()->GD()->SetTimeOutMs(300);
    StatusLog::Instance().Clear();

    Check(true, false);

    QCOMPARE(prompt->Texts(), QStringList());
    QVERIFY2(StatusLog::Instance().Text().contains(message),
             qPrintable(StatusLog::Instance().Text()));
    QCOMPARE(server->RequestedPaths(), QList<QByteArray>{VerPath});
    QCOMPARE(enabledCalls, (QList<bool>{false, true}));
}

void TestUpdateCheck::staleFilesAreNotTakenForTheServers_data() {
    QTest::addColumn<QString>("staleFile");
    QTest::addColumn<QByteArray>("packageAnswer");
    QTest::addColumn<QString>("lastPrompt");
    // A version file made by /makever holds our own version: taken for the server's it would
    // say there is no update when the server could not be reached.
    QTest::newRow("version file") << "Backup.Ver" << QByteArray() << VersionError("not found!");
    // A package left from an earlier attempt must not be installed when the download fails.
    QTest::newRow("package") << "Backup.Upk" << NotFound << PackageError("not found!");
}

void TestUpdateCheck::staleFilesAreNotTakenForTheServers() {
    QFETCH(QString, staleFile);
    QFETCH(QByteArray, packageAnswer);
    QFETCH(QString, lastPrompt);
    const QByteArray package = "an earlier package";
    tree->Write(QStringLiteral("prog/") + staleFile,
                staleFile == QLatin1String("Backup.Ver") ? QByteArray("06.08.06\r\n") : package);
    MakeRefitter();
    if (packageAnswer.isEmpty()) {
        server->Route(VerPath, NotFound);
    } else {
        ServeVersion("01.09.06", Signature::Good, package);
        server->Route(UpkPath, packageAnswer);
        prompt->AnswerWhen(QStringLiteral("Download new version?"), MsgAnswer::Yes);
    }
    Check(false, false);
    QCOMPARE(prompt->Texts().last(), lastPrompt);
    QCOMPARE(endCalls, 0);
    QVERIFY(!QFile::exists(workDir + QStringLiteral("aofc09n2.bat")));
}

void TestUpdateCheck::packageStage_data() {
    QTest::addColumn<bool>("automatic");
    QTest::addColumn<bool>("forced");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<Signature>("signature");
    QTest::addColumn<bool>("refitter");
    QTest::addColumn<QString>("lastPrompt");
    QTest::addColumn<qint64>("stated");

    const QByteArray package = TempTree::PseudoRandomBytes(5000, QStringLiteral("package"));
    const QByteArray ok = ScriptedServer::Ok(package);
    const QString notSigned = PackageError("is not signed by the publisher!");
    QTest::newRow("missing") << false << false << NotFound << Signature::Good << true
                             << PackageError("not found!") << qint64(-1);
    QTest::newRow("empty") << false << false << ScriptedServer::Ok("") << Signature::Good << true
                           << PackageError("was empty!") << qint64(-1);
    QTest::newRow("empty, automatic") << true << false << ScriptedServer::Ok("") << Signature::Good
                                      << true << PackageError("was empty!") << qint64(-1);
    QTest::newRow("no updater")
        << false << false << ok << Signature::Good << false
        << QStringLiteral("Error updating!\nUpdate Program file (Refitter.exe) not found!")
        << qint64(-1);
    QTest::newRow("unsigned") << false << false << ok << Signature::None << true << notSigned
                              << qint64(-1);
    QTest::newRow("unsigned, automatic")
        << true << false << ok << Signature::None << true << notSigned << qint64(-1);
    QTest::newRow("unsigned, forced")
        << false << true << ok << Signature::None << true << notSigned << qint64(-1);
    QTest::newRow("another key") << false << false << ok << Signature::OtherKey << true << notSigned
                                 << qint64(-1);
    QTest::newRow("other bytes") << false << false << ok << Signature::OtherBytes << true
                                 << notSigned << qint64(-1);
    QTest::newRow("garbled") << false << false << ok << Signature::Garbled << true << notSigned
                             << qint64(-1);
    // A package that is not the publisher's is named as such even when the updater is missing.
    QTest::newRow("unsigned, no updater")
        << false << false << ok << Signature::None << false << notSigned << qint64(-1);
    // Served with one more byte than was signed.
    QTest::newRow("tampered") << false << false << ScriptedServer::Ok(package + QByteArray(1, '\0'))
                              << Signature::Good << true << notSigned << qint64(-1);
    // The version line states the package's length: a package of another length is refused,
    // signed or not, and the download of a longer one ends where the length does.
    QTest::newRow("shorter than stated") << false << false << ok << Signature::Good << true
                                         << PackageError("not found!") << qint64(6000);
    QTest::newRow("longer than stated") << false << false << ok << Signature::Good << true
                                        << PackageError("not found!") << qint64(4000);
}

void TestUpdateCheck::packageStage() {
    QFETCH(bool, automatic);
    QFETCH(bool, forced);
    QFETCH(QByteArray, answer);
    QFETCH(Signature, signature);
    QFETCH(bool, refitter);
    QFETCH(QString, lastPrompt);
    QFETCH(qint64, stated);
    ServeVersion(VersionLineText(QStringLiteral("01.09.06"), stated), signature,
                 TempTree::PseudoRandomBytes(5000, QStringLiteral("package")));
    server->Route(UpkPath, answer);
    if (refitter)
        MakeRefitter();
    prompt->AnswerWhen(QStringLiteral("Download new version?"), MsgAnswer::Yes);

    Check(automatic, forced);

    QCOMPARE(prompt->Texts().first(), Offer(QDate(2006, 9, 1)));
    QCOMPARE(prompt->Texts().last(), lastPrompt);
    QCOMPARE(server->RequestedPaths(), (QList<QByteArray>{VerPath, UpkPath}));
    QVERIFY(!QFile::exists(ProgramFile(QStringLiteral("Backup.Upk"))));
    QVERIFY(!QFile::exists(ProgramFile(QStringLiteral("Backup.Ver"))));
    QVERIFY(!QFile::exists(workDir + QStringLiteral("aofc09n2.bat")));
    QCOMPARE(enabledCalls, (QList<bool>{false, true}));
    QCOMPARE(endCalls, 0);
}

void TestUpdateCheck::signedPackageIsHandedOff_data() {
    QTest::addColumn<QString>("programFolder");
    QTest::addColumn<bool>("forced");
    QTest::newRow("plain") << "prog/" << false;
    QTest::newRow("blanks, quote and dollar") << "my prog's $HOME/" << false;
    QTest::newRow("forced") << "prog/" << true;
}

void TestUpdateCheck::signedPackageIsHandedOff() {
    QFETCH(QString, programFolder);
    QFETCH(bool, forced);
    tree->Add({programFolder});
    programDir = tree->PathOf(programFolder);
    platform::SetProgramDirectory(programDir);
    const QString record = workDir + QStringLiteral("refitter.record");
    MakeRefitter();
    // A package that itself ends in a line break keeps it.
    const QByteArray package = TempTree::PseudoRandomBytes(70000, QStringLiteral("good")) + "\n";
    ServeVersion("01.09.06", Signature::Good, package);
    server->Route(UpkPath, ScriptedServer::Ok(package));
    prompt->AnswerWhen(QStringLiteral("Download new version?"), MsgAnswer::Yes);

    Check(false, forced);

    QCOMPARE(prompt->Texts(), QStringList{Offer(QDate(2006, 9, 1))});
    QCOMPARE(endCalls, 1);
    QCOMPARE(enabledCalls, QList<bool>{false});
    // The updater checks the package against the version file again.
    QVERIFY(QFile::exists(ProgramFile(QStringLiteral("Backup.Ver"))));
    // The updater gets exactly the bytes the publisher signed.

    QCOMPARE(ReadAll(ProgramFile(QStringLiteral("Backup.Upk"))), package);

    // The stand-in updater ran in the program directory with the package's name, and the
    // script in the working directory emptied itself.
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 20000);
    QCOMPARE(ReadAll(record),
             (programDir.chopped(1) + (forced ? QStringLiteral("\n-force") : QString()) +
              QStringLiteral("\nBackup.Upk\n"))
                 .toUtf8());
    QTRY_COMPARE_WITH_TIMEOUT(ReadAll(workDir + QStringLiteral("aofc09n2.bat")), QByteArray("*\n"),
                              20000);
}

// Ending the program without an updater on its way would leave the user with neither version.
void TestUpdateCheck::handOffThatCannotBeWrittenKeepsTheProgram() {
    tree->Add({QStringLiteral("work/aofc09n2.bat/")});
    MakeRefitter();
    const QByteArray package = "signed package";
    ServeVersion("01.09.06", Signature::Good, package);
    server->Route(UpkPath, ScriptedServer::Ok(package));
    prompt->AnswerWhen(QStringLiteral("Download new version?"), MsgAnswer::Yes);

    Check(false, false);

    QCOMPARE(prompt->Texts().last(),
             QStringLiteral("Error updating!\nThe update program could not be started (") +
                 workDir + QStringLiteral("aofc09n2.bat)!"));
    QCOMPARE(endCalls, 0);
    QCOMPARE(enabledCalls, (QList<bool>{false, true}));
    QVERIFY(!QFile::exists(ProgramFile(QStringLiteral("Backup.Upk"))));
}

void TestUpdateCheck::secondCheckWhileOneRunsIsIgnored() {
    server->Route(VerPath, ScriptedServer::Ok("06.08.06"));
    server->HoldBack(300);
    checker->StartUpdate(false, false);
    QTRY_COMPARE_WITH_TIMEOUT(server->RequestedPaths().size(), 1, 20000);
    // Force Update pressed while the Update button's check is still downloading.
    checker->StartUpdate(false, true);
    QTRY_VERIFY_WITH_TIMEOUT(!checker->IsChecking(), 20000);
    QCOMPARE(prompt->Texts(), QStringList{QStringLiteral("No updates available!")});
    QCOMPARE(server->RequestedPaths(), QList<QByteArray>{VerPath});
    QCOMPARE(enabledCalls, (QList<bool>{false, true}));
}

void TestUpdateCheck::commandsStartTheCheck_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("version");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Update button")
        << "cmdUpdate" << QByteArray("01.09.06") << Offer(QDate(2006, 9, 1));
    QTest::newRow("Update button, nothing new")
        << "cmdUpdate" << QByteArray("06.08.06") << QStringLiteral("No updates available!");
    QTest::newRow("tray menu Update")
        << "mnuPopup" << QByteArray("01.09.06") << Offer(QDate(2006, 9, 1));
    // Forced: the same version is offered all the same.
    QTest::newRow("Force Update") << "cmdForce" << QByteArray("06.08.06")
                                  << Offer(QDate(2006, 8, 6));
}

// The control centre's Update button and tray entry and the diagnostics window's Force Update
// start the check; Update stays disabled while it runs and comes back after a No.
void TestUpdateCheck::commandsStartTheCheck() {
    QFETCH(QString, command);
    QFETCH(QByteArray, version);
    QFETCH(QString, expected);
    SetUpdateStarter(
        [this](bool automatic, bool forced) { checker->StartUpdate(automatic, forced); });
    frmControl control(false);
    frmQuoxel diagnostics;
    diagnostics.SetForceUpdateAction([] { StartUpdate(false, true); });
    checker->SetUpdateEnabledAction(
        [&control](bool enabled) { control.SetUpdateEnabled(enabled); });
    auto *cmdUpdate = control.findChild<QPushButton *>(QStringLiteral("cmdUpdate"));
    QVERIFY(cmdUpdate && cmdUpdate->isEnabled());
    server->Route(VerPath, ScriptedServer::Ok(version + "\r\n"));
    server->HoldBack(100);
    if (expected.contains(QStringLiteral("Download new version?")))
        prompt->AnswerWhen(QStringLiteral("Download new version?"), MsgAnswer::No);

    if (command == QLatin1String("cmdUpdate"))
        cmdUpdate->click();
    else if (command == QLatin1String("mnuPopup"))
        control.findChild<QAction *>(QStringLiteral("mnuPopup1"))->trigger();
    else
        diagnostics.findChild<QPushButton *>(command)->click();
    QVERIFY(checker->IsChecking());
    QVERIFY(!cmdUpdate->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(!checker->IsChecking(), 20000);

    QCOMPARE(prompt->Texts(), QStringList{expected});
    QVERIFY(cmdUpdate->isEnabled());
    QVERIFY(!QFile::exists(ProgramFile(QStringLiteral("Backup.Ver"))));
    QCOMPARE(server->RequestedPaths(), QList<QByteArray>{VerPath});
    SetUpdateStarter({});
}

void TestUpdateCheck::downloadWindowFits_data() {
    QTest::addColumn<double>("scale");
    QTest::newRow("default font") << 1.0;
    QTest::newRow("font half as large again") << 1.5;
}

// Whole on a 1024 x 768 screen, the Cancel button inside the window.
void TestUpdateCheck::downloadWindowFits() {
    QFETCH(double, scale);
    auto font = std::make_unique<ScaledApplicationFont>(scale);
    frmDownload window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    SaveShot(window, QStringLiteral("frmDownload-x%1").arg(scale));
    font.reset();
    QVERIFY(window.width() <= 1024 && window.height() <= 768);
    auto *cmdCancel = window.GD()->findChild<QPushButton *>(QStringLiteral("cmdCancel"));
    const QRect button(cmdCancel->mapTo(&window, QPoint(0, 0)), cmdCancel->size());
    QVERIFY(window.rect().contains(button));
    QVERIFY(cmdCancel->height() >= cmdCancel->minimumSizeHint().height());
}

void TestUpdateCheck::downloadWindowOnlyForSlowDownloads_data() {
    QTest::addColumn<int>("holdBackMs");
    QTest::addColumn<bool>("shown");
    QTest::newRow("fast") << 0 << false;
    QTest::newRow("slow") << 600 << true;
}

void TestUpdateCheck::downloadWindowOnlyForSlowDownloads() {
    QFETCH(int, holdBackMs);
    QFETCH(bool, shown);
    frmDownload *window = checker->DownloadWindow();
    QCOMPARE(window->windowTitle(), QStringLiteral("Download ..."));
    QVERIFY(!window->isVisible());
    ShowCounter counter;
    window->installEventFilter(&counter);
    server->Route(VerPath, ScriptedServer::Ok("06.08.06"));
    server->HoldBack(holdBackMs);
    checker->StartUpdate(false, false);
    if (shown) {
        QTRY_VERIFY_WITH_TIMEOUT(window->isVisible(), 20000);
        QVERIFY(window->GD()->isVisible());
        // Fitted to the label's width once shown, not to the width it had while hidden.
        auto *lblURL = window->GD()->findChild<QLabel *>(QStringLiteral("lblURL"));
        QTRY_COMPARE_WITH_TIMEOUT(
            lblURL->text(), QStringLiteral("http://127.0.0.1:%1/Backup.Ver").arg(server->Port()),
            5000);
        QVERIFY(checker->IsChecking());
    }
    QTRY_VERIFY_WITH_TIMEOUT(!checker->IsChecking(), 20000);
    QVERIFY(!window->isVisible());
    QCOMPARE(counter.shows > 0, shown);
    QCOMPARE(prompt->Texts(), QStringList{QStringLiteral("No updates available!")});
}

QTEST_MAIN(TestUpdateCheck)
#include "tst_updatecheck.moc"
