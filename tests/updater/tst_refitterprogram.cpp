// The built programs end to end, unattended: packsmith publishes a signed package, Refitter run
// from a program directory of copies installs it and restarts Backup, and the build's
// RollBack.bat undoes it.

#include "packagesignature.h"
#include "programrun.h"
#include "temptree.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTest>

namespace {

class Programs {
public:
    Programs()
        : tree({QStringLiteral("prog/"), QStringLiteral("home/"), QStringLiteral("site/")}) {}

    QString Bin(const QString &name) const {
        return qEnvironmentVariable("PELLMOOR_BIN_DIR") + QLatin1Char('/') + name;
    }
    QString Prog(const QString &name) const { return tree.PathOf(QStringLiteral("prog/") + name); }

    Run Start(const QString &program, const QStringList &arguments) const {
        // The updater's flags land in a settings store of the test's own; nothing is asked.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("PELLMOOR_UNATTENDED"), QStringLiteral("1"));
        environment.insert(QStringLiteral("PELLMOOR_UPDATE_KEY"), publicKey);
        environment.insert(QStringLiteral("HOME"), tree.PathOf(QStringLiteral("home")));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           tree.PathOf(QStringLiteral("home/.config")));
        return RunProgram(program, arguments, environment, tree.PathOf(QStringLiteral("home")));
    }

    QString Flag(const QString &key) const {
        QSettings store(tree.PathOf(QStringLiteral("home/.config/Quillon/Quillon.conf")),
                        QSettings::IniFormat);
        return store.value(QStringLiteral("Pellmoor/") + key).toString();
    }

    TempTree tree;
    QString publicKey; // the publisher's, which the updater checks the package against
};

QByteArray BackupScript(const QByteArray &mark) {
    return "#!/bin/sh\necho " + mark + " >> \"$(dirname \"$0\")/started.txt\"\n";
}

} // namespace

class tst_refitterprogram : public QObject {
    Q_OBJECT
private slots:
    void publishInstallRollBack();
};

void tst_refitterprogram::publishInstallRollBack() {
    Programs programs;
    TempTree &tree = programs.tree;
    for (const char *name : {"Refitter", "RollBack.bat"}) {
        const QString copy = programs.Prog(QString::fromLatin1(name));
        QVERIFY(QFile::copy(programs.Bin(QString::fromLatin1(name)), copy));
    }
    tree.Write(QStringLiteral("prog/Backup"), BackupScript("old"));
    tree.Write(QStringLiteral("prog/libUrlpull.so"), "old control");
    QFile::setPermissions(programs.Prog(QStringLiteral("Backup")),
                          QFile::permissions(programs.Prog(QStringLiteral("Refitter"))));
    const QByteArray control = TempTree::PseudoRandomBytes(100000, QStringLiteral("control"));
    tree.Write(QStringLiteral("new/Backup"), BackupScript("new"));
    tree.Write(QStringLiteral("new/libUrlpull.so"), control);

    const Run keys =
        programs.Start(programs.Bin(QStringLiteral("packsmith")),
                       {QStringLiteral("--keygen"), tree.PathOf(QStringLiteral("keys"))});
    QCOMPARE(keys.status, 0);
    programs.publicKey = keys.out.trimmed();
    const Run packed = programs.Start(
        programs.Bin(QStringLiteral("packsmith")),
        {QStringLiteral("--version"), QStringLiteral("07.08.06"), QStringLiteral("--key"),
         tree.PathOf(QStringLiteral("keys/packsmith.key")), QStringLiteral("--out"),
         programs.Prog(QString()), tree.PathOf(QStringLiteral("new/Backup")),
         tree.PathOf(QStringLiteral("new/libUrlpull.so"))});
    QVERIFY2(packed.status == 0, qPrintable(packed.err));
    const QList<QByteArray> version = tree.Read(QStringLiteral("prog/Backup.Ver")).split('\n');
    QVERIFY(VerifyUpdateSignature(version.value(0).trimmed(),
                                  tree.Read(QStringLiteral("prog/Backup.Upk")),
                                  version.value(1).trimmed(), keys.out.trimmed().toLatin1()));

    const Run update =
        programs.Start(programs.Prog(QStringLiteral("Refitter")), {QStringLiteral("Backup.Upk")});
    QCOMPARE(update.status, 0);
    QVERIFY2(update.err.contains(
                 QStringLiteral("Refitter - V01.08.06: Update Done!\nUpdated version : 07.08.06")),
             qPrintable(update.err));
    QCOMPARE(tree.Read(QStringLiteral("prog/Backup")), BackupScript("new"));
    QCOMPARE(tree.Read(QStringLiteral("prog/libUrlpull.so")), control);
    QCOMPARE(tree.Read(QStringLiteral("prog/Backup.Old")), BackupScript("old"));
    QVERIFY(!QFile::exists(programs.Prog(QStringLiteral("Backup.Upk"))));
    QVERIFY(!QFile::exists(programs.Prog(QStringLiteral("Backup.Ver"))));
    QCOMPARE(programs.Flag(QStringLiteral("FirstRunAfterUpdate")), QStringLiteral("True"));
    QTRY_COMPARE(tree.Read(QStringLiteral("prog/started.txt")), QByteArray("new\n"));

    const Run rollback = programs.Start(programs.Prog(QStringLiteral("RollBack.bat")), {});
    QCOMPARE(rollback.status, 0);
    QVERIFY2(rollback.err.contains(QStringLiteral("Y \"") +
                                   programs.Prog(QStringLiteral("Backup")) +
                                   QStringLiteral("\" rolled back!")),
             qPrintable(rollback.err));
    QCOMPARE(tree.Read(QStringLiteral("prog/Backup")), BackupScript("old"));
    QCOMPARE(tree.Read(QStringLiteral("prog/libUrlpull.so")), QByteArray("old control"));
    QCOMPARE(programs.Flag(QStringLiteral("RolledBack")), QStringLiteral("True"));
    QCOMPARE(programs.Flag(QStringLiteral("FirstRunAfterUpdate")), QStringLiteral("False"));
    QTRY_COMPARE(tree.Read(QStringLiteral("prog/started.txt")), QByteArray("new\nold\n"));
}

QTEST_GUILESS_MAIN(tst_refitterprogram)
#include "tst_refitterprogram.moc"
