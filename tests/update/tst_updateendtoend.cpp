// The whole update, end to end with the built programs: packsmith publishes a newer signed
// version on a server on 127.0.0.1, the check in this process downloads and verifies it and
// hands off, and the real Refitter, started by the hand-off script, installs it and restarts
// the new Backup.

#include "model.h"
#include "platform.h"
#include "programrun.h"
#include "scriptedprompt.h"
#include "scriptedserver.h"
#include "temptree.h"
#include "updatechecker.h"

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QtTest>

namespace {

QByteArray BackupScript(const QByteArray &mark) {
    return "#!/bin/sh\necho " + mark + " >> \"$(dirname \"$0\")/started.txt\"\n";
}

QString Bin(const QString &name) {
    return qEnvironmentVariable("PELLMOOR_BIN_DIR") + QLatin1Char('/') + name;
}

} // namespace

class TestUpdateEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void newerSignedVersionIsInstalled();
};

void TestUpdateEndToEnd::newerSignedVersionIsInstalled() {
    TempTree tree({QStringLiteral("prog/"), QStringLiteral("home/"), QStringLiteral("site/"),
                   QStringLiteral("new/")});
    const QString prog = tree.PathOf(QStringLiteral("prog/"));
    QVERIFY(QFile::copy(Bin(QStringLiteral("Refitter")), prog + QStringLiteral("Refitter")));
    tree.Write(QStringLiteral("prog/Backup"), BackupScript("old"));
    QVERIFY(QFile::setPermissions(prog + QStringLiteral("Backup"),
                                  QFile::permissions(prog + QStringLiteral("Refitter"))));
    const QByteArray control = TempTree::PseudoRandomBytes(300000, QStringLiteral("control"));
    tree.Write(QStringLiteral("prog/libUrlpull.so"), "old control");
    tree.Write(QStringLiteral("new/Backup"), BackupScript("new"));
    tree.Write(QStringLiteral("new/libUrlpull.so"), control);

    // The publisher's side: a key pair, then the package and its signed version file.
    const Run keygen =
        RunProgram(Bin(QStringLiteral("packsmith")),
                   {QStringLiteral("--keygen"), tree.PathOf(QStringLiteral("keys"))});
    QCOMPARE(keygen.status, 0);
    const Run pack = RunProgram(
        Bin(QStringLiteral("packsmith")),
        {QStringLiteral("--version"), QStringLiteral("07.08.06"), QStringLiteral("--key"),
         tree.PathOf(QStringLiteral("keys/packsmith.key")), QStringLiteral("--out"),
         tree.PathOf(QStringLiteral("site")), tree.PathOf(QStringLiteral("new/Backup")),
         tree.PathOf(QStringLiteral("new/libUrlpull.so"))});
    QVERIFY2(pack.status == 0, qPrintable(pack.err));
    ScriptedServer server;
    server.Route("/Backup.Ver", ScriptedServer::Ok(tree.Read(QStringLiteral("site/Backup.Ver"))));
    server.Route("/Backup.Upk", ScriptedServer::Ok(tree.Read(QStringLiteral("site/Backup.Upk"))));

    // The user's side. Refitter inherits the environment through the hand-off script: it
    // answers its messages unattended and keeps its flags in the test's own settings.
    qputenv("PELLMOOR_UPDATE_URL", server.Address().toUtf8());
    qputenv("PELLMOOR_UPDATE_KEY", keygen.out.trimmed().toLatin1());
    qputenv("PELLMOOR_UNATTENDED", "1");
    qputenv("HOME", tree.PathOf(QStringLiteral("home")).toUtf8());
    qputenv("XDG_CONFIG_HOME", tree.PathOf(QStringLiteral("home/.config")).toUtf8());
    platform::SetProgramDirectory(prog);
    const QString previousDir = QDir::currentPath();
    QDir::setCurrent(tree.PathOf(QStringLiteral("home")));
    ScriptedPrompt prompt;
    prompt.AnswerWhen(QStringLiteral("There is an update available!"), MsgAnswer::Yes);
    TheModel().Settings.CheckForUpdates = true;
    int ended = 0;
    UpdateChecker checker;
    checker.SetEndProgramAction([&ended] { ++ended; });
    checker.StartUpdate(false, false);
    QTRY_VERIFY_WITH_TIMEOUT(!checker.IsChecking(), 30000);
    QDir::setCurrent(previousDir);
    QCOMPARE(ended, 1);

    // Refitter ran on its own: the new files are in place, the old ones kept, the new Backup
    // started, and the hand-off script emptied itself.
    QTRY_COMPARE_WITH_TIMEOUT(tree.Read(QStringLiteral("prog/started.txt")), QByteArray("new\n"),
                              30000);
    QCOMPARE(tree.Read(QStringLiteral("prog/Backup")), BackupScript("new"));
    QCOMPARE(tree.Read(QStringLiteral("prog/libUrlpull.so")), control);
    QCOMPARE(tree.Read(QStringLiteral("prog/Backup.Old")), BackupScript("old"));
    QCOMPARE(tree.Read(QStringLiteral("prog/libUrlpull.so.Old")), QByteArray("old control"));
    QVERIFY(!QFile::exists(prog + QStringLiteral("Backup.Upk")));
    QVERIFY(!QFile::exists(prog + QStringLiteral("Backup.Ver")));
    QCOMPARE(tree.Read(QStringLiteral("home/aofc09n2.bat")).trimmed(), QByteArray("*"));
    const QSettings flags(tree.PathOf(QStringLiteral("home/.config/Quillon/Quillon.conf")),
                          QSettings::IniFormat);
    QCOMPARE(flags.value(QStringLiteral("Pellmoor/FirstRunAfterUpdate")).toString(),
             QStringLiteral("True"));
    for (const char *name :
         {"PELLMOOR_UPDATE_URL", "PELLMOOR_UPDATE_KEY", "PELLMOOR_UNATTENDED", "XDG_CONFIG_HOME"})
        qunsetenv(name);
    platform::SetProgramDirectory(QString());
}

QTEST_MAIN(TestUpdateEndToEnd)
#include "tst_updateendtoend.moc"
