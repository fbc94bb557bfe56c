// packsmith as the publisher uses it: a key pair, a signed package whose bytes the updater
// installs unchanged, and clear refusals that publish nothing.

#include "packagesignature.h"
#include "packsmithcommand.h"
#include "programdir.h"
#include "refitter.h"
#include "scriptedprompt.h"

#include <QFile>
#include <QTest>

namespace {

struct Result {
    int status = -1;
    QString out, err;
};

Result Packsmith(const QStringList &arguments) {
    Result result;
    QTextStream out(&result.out);
    QTextStream err(&result.err);
    result.status = RunPacksmith(arguments, out, err);
    out.flush();
    err.flush();
    return result;
}

} // namespace

class tst_packsmith : public QObject {
    Q_OBJECT
private slots:
    void roundTrip();
    void keyIsNeverReplaced();
    void refusals_data();
    void refusals();
};

void tst_packsmith::roundTrip() {
    TempTree work({QStringLiteral("keys/"), QStringLiteral("site/")});
    const QByteArray program = TempTree::PseudoRandomBytes(300000, QStringLiteral("program"));
    const QByteArray control("\0|Files|\r\n\r\n", 13);
    work.Write(QStringLiteral("src/Backup"), program);
    work.Write(QStringLiteral("src/control.so"), control);

    const Result keys =
        Packsmith({QStringLiteral("--keygen"), work.PathOf(QStringLiteral("keys"))});
    QCOMPARE(keys.status, 0);
    const QByteArray publicKey = keys.out.trimmed().toLatin1();
    QVERIFY(QFile(work.PathOf(QStringLiteral("keys/packsmith.key"))).permissions() ==
            (QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
             QFileDevice::WriteUser));

    const Result packed = Packsmith(
        {QStringLiteral("--version"), QStringLiteral("07.08.06"), QStringLiteral("--key"),
         work.PathOf(QStringLiteral("keys/packsmith.key")), QStringLiteral("--out"),
         work.PathOf(QStringLiteral("site")), work.PathOf(QStringLiteral("src/Backup")),
         work.PathOf(QStringLiteral("src/control.so")) + QStringLiteral("=%Backup%libUrlpull.so")});
    QCOMPARE(packed.status, 0);
    QVERIFY2(packed.err.isEmpty(), qPrintable(packed.err));

    const QByteArray package = work.Read(QStringLiteral("site/Backup.Upk"));
    const QList<QByteArray> version = work.Read(QStringLiteral("site/Backup.Ver")).split('\n');
    QCOMPARE(version.size(), 3);
    QCOMPARE(version.at(0), "07.08.06 " + QByteArray::number(package.size()) + '\r');
    QVERIFY(version.at(1).endsWith('\r'));
    QCOMPARE(version.at(2), QByteArray());
    const QByteArray signature = version.at(1).chopped(1);
    const QByteArray versionLine = version.at(0).chopped(1);
    QVERIFY(VerifyUpdateSignature(versionLine, package, signature, publicKey));
    QByteArray changed = package;
    changed[changed.size() / 2] = char(changed.at(changed.size() / 2) ^ 1);
    QVERIFY(!VerifyUpdateSignature(versionLine, changed, signature, publicKey));
    // An old package served under another version line does not pass either.
    QVERIFY(!VerifyUpdateSignature("08.08.06 " + QByteArray::number(package.size()), package,
                                   signature, publicKey));

    ProgramDir prog;
    qputenv("PELLMOOR_UPDATE_KEY", publicKey);
    prog.Put(QStringLiteral("Backup"), "old program");
    prog.Put(QStringLiteral("Backup.Upk"), package);
    prog.Put(QStringLiteral("Backup.Ver"), work.Read(QStringLiteral("site/Backup.Ver")));
    ScriptedPrompt prompt;
    // The package holds no real program to start.
    prompt.Expect(QStringLiteral("Update Done!")).Expect(QStringLiteral("could not be started!"));
    QVERIFY(RunRefitter(QStringLiteral("Backup.Upk"), [](int) {}).succeeded);
    QCOMPARE(prog.Read(QStringLiteral("Backup")), program);
    QCOMPARE(prog.Read(QStringLiteral("libUrlpull.so")), control);
}

void tst_packsmith::keyIsNeverReplaced() {
    TempTree work;
    const QString keys = work.PathOf(QStringLiteral("keys"));
    QCOMPARE(Packsmith({QStringLiteral("--keygen"), keys}).status, 0);
    const QByteArray secret = work.Read(QStringLiteral("keys/packsmith.key"));

    const Result again = Packsmith({QStringLiteral("--keygen"), keys});

    QCOMPARE(again.status, 1);
    QVERIFY(again.err.contains(QStringLiteral("already exists")));
    QVERIFY(again.out.isEmpty());
    QCOMPARE(work.Read(QStringLiteral("keys/packsmith.key")), secret);
}

void tst_packsmith::refusals_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("says");

    const QStringList pack{QStringLiteral("--version"), QStringLiteral("07.08.06"),
                           QStringLiteral("--key"),     QStringLiteral("{key}"),
                           QStringLiteral("--out"),     QStringLiteral("{site}")};
    QTest::newRow("nothing") << QStringList() << 2 << QStringLiteral("Usage:");
    QTest::newRow("version not a date")
        << QStringList{QStringLiteral("--version"), QStringLiteral("31.02.06"),
                       QStringLiteral("--key"), QStringLiteral("{key}"), QStringLiteral("{file}")}
        << 2 << QStringLiteral("a version is DD.MM.YY");
    QTest::newRow("version with one-digit day")
        << QStringList{QStringLiteral("--version"), QStringLiteral("7.08.06"),
                       QStringLiteral("--key"), QStringLiteral("{key}"), QStringLiteral("{file}")}
        << 2 << QStringLiteral("a version is DD.MM.YY");
    QTest::newRow("no files") << pack << 2 << QStringLiteral("at least one file");
    QTest::newRow("option without value")
        << QStringList{QStringLiteral("--key")} << 2 << QStringLiteral("--key needs a value");
    QTest::newRow("unknown option")
        << pack + QStringList{QStringLiteral("--sign"), QStringLiteral("{file}")} << 2
        << QStringLiteral("--sign: unknown option");
    QTest::newRow("missing file") << pack + QStringList{QStringLiteral("{site}none")} << 1
                                  << QStringLiteral("none: cannot be read");
    QTest::newRow("target climbs out")
        << pack + QStringList{QStringLiteral("{file}=%Backup%../evil")} << 1
        << QStringLiteral("must stay inside the program directory");
    QTest::newRow("absolute target")
        << pack + QStringList{QStringLiteral("{file}=/usr/bin/evil")} << 1
        << QStringLiteral("must stay inside the program directory");
    QTest::newRow("target with a field separator")
        << pack + QStringList{QStringLiteral("{file}=%Backup%a|b")} << 1
        << QStringLiteral("must stay inside the program directory");
    const QString reserved = QStringLiteral("may not name a kept copy");
    QTest::newRow("target is a kept copy")
        << pack + QStringList{QStringLiteral("{file}=%Backup%Backup.Old")} << 1 << reserved;
    QTest::newRow("target is a kept copy in a folder, other case")
        << pack + QStringList{QStringLiteral("{file}=sub\\lib.so.OLD")} << 1 << reserved;
    QTest::newRow("target is the waiting updater")
        << pack + QStringList{QStringLiteral("{file}=%Backup%Refitter.this")} << 1 << reserved;
    QTest::newRow("target is the rollback list")
        << pack + QStringList{QStringLiteral("{file}=%Backup%ROLLBACK.lst")} << 1 << reserved;
    QTest::newRow("target with a line break")
        << pack + QStringList{QStringLiteral("{file}=%Backup%a\nb")} << 1 << reserved;
    QTest::newRow("key file missing")
        << QStringList{QStringLiteral("--version"), QStringLiteral("07.08.06"),
                       QStringLiteral("--key"),     QStringLiteral("{site}none.key"),
                       QStringLiteral("--out"),     QStringLiteral("{site}"),
                       QStringLiteral("{file}")}
        << 1 << QStringLiteral("none.key: cannot be read");
    QTest::newRow("key file holds no key")
        << QStringList{QStringLiteral("--version"), QStringLiteral("07.08.06"),
                       QStringLiteral("--key"),     QStringLiteral("{file}"),
                       QStringLiteral("--out"),     QStringLiteral("{site}"),
                       QStringLiteral("{file}")}
        << 1 << QStringLiteral("does not hold a secret signing key");
}

void tst_packsmith::refusals() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, says);
    TempTree work({QStringLiteral("site/"), QStringLiteral("data.bin=some bytes")});
    QCOMPARE(Packsmith({QStringLiteral("--keygen"), work.PathOf(QStringLiteral("keys"))}).status,
             0);
    for (QString &argument : arguments)
        argument.replace(QStringLiteral("{key}"), work.PathOf(QStringLiteral("keys/packsmith.key")))
            .replace(QStringLiteral("{site}"), work.PathOf(QStringLiteral("site/")))
            .replace(QStringLiteral("{file}"), work.PathOf(QStringLiteral("data.bin")));

    const Result result = Packsmith(arguments);

    QCOMPARE(result.status, status);
    QVERIFY2(result.err.contains(says), qPrintable(result.err));
    QVERIFY(result.out.isEmpty());
    QVERIFY(QDir(work.PathOf(QStringLiteral("site"))).isEmpty());
}

QTEST_GUILESS_MAIN(tst_packsmith)
#include "tst_packsmith.moc"
