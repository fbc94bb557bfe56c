// Run at log-on through the XDG autostart entry.
#include "model.h"
#include "platform.h"
#include "runatstartup.h"
#include "temptree.h"

#include <QtTest>

class TestRunAtStartup : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void sync_data();
    void sync();
    void directoryWithSpaces();

private:
    std::unique_ptr<TempTree> tree;
};

void TestRunAtStartup::init() {
    tree = std::make_unique<TempTree>(QStringList{QStringLiteral("prog/")});
    platform::SetProgramDirectory(tree->PathOf(QStringLiteral("prog/")));
    qputenv("XDG_CONFIG_HOME", tree->PathOf(QStringLiteral("cfg")).toUtf8());
}

void TestRunAtStartup::cleanup() {
    platform::SetProgramDirectory(QString());
    qunsetenv("XDG_CONFIG_HOME");
    tree.reset();
}

void TestRunAtStartup::sync_data() {
    QTest::addColumn<bool>("wanted");
    QTest::addColumn<QString>("before"); // "", "same" or "other"
    QTest::addColumn<bool>("registeredAfter");
    QTest::addColumn<bool>("entryUntouched");
    QTest::newRow("wanted, none") << true << "" << true << false;
    QTest::newRow("wanted, already there") << true << "same" << true << true;
    QTest::newRow("wanted, another program's") << true << "other" << true << false;
    QTest::newRow("not wanted, none") << false << "" << false << true;
    QTest::newRow("not wanted, there") << false << "same" << false << false;
    // Another copy of the program elsewhere keeps its own entry.
    QTest::newRow("not wanted, another program's") << false << "other" << false << true;
}

void TestRunAtStartup::sync() {
    QFETCH(bool, wanted);
    QFETCH(QString, before);
    QFETCH(bool, registeredAfter);
    QFETCH(bool, entryUntouched);
    const QString entry = QStringLiteral("cfg/autostart/Backup.desktop");
    QByteArray original;
    if (before == QStringLiteral("same"))
        original = AutostartEntryText().toUtf8() + "# kept\n";
    else if (before == QStringLiteral("other"))
        original = "[Desktop Entry]\nType=Application\nExec=/elsewhere/Backup -min\n";
    if (!original.isEmpty())
        tree->Write(entry, original);
    QCOMPARE(IsInRunKey(), before == QStringLiteral("same"));
    TheModel().Settings.RunAtStartup = wanted;
    SyncRunAtStartup();
    QCOMPARE(IsInRunKey(), registeredAfter);
    const bool exists = QFile::exists(tree->PathOf(entry));
    if (entryUntouched) {
        QCOMPARE(exists, !original.isEmpty());
        if (exists)
            QCOMPARE(tree->Read(entry), original);
    } else if (registeredAfter) {
        QCOMPARE(tree->Read(entry), AutostartEntryText().toUtf8());
    } else {
        QVERIFY(!exists);
    }
}

void TestRunAtStartup::directoryWithSpaces() {
    const QString dir = tree->PathOf(QStringLiteral("my progs/"));
    platform::SetProgramDirectory(dir);
    QCOMPARE(RunValueData(), dir + QStringLiteral("Backup -min"));
    TheModel().Settings.RunAtStartup = true;
    SyncRunAtStartup();
    QVERIFY(IsInRunKey());
    const QString text =
        QString::fromUtf8(tree->Read(QStringLiteral("cfg/autostart/Backup.desktop")));
    QVERIFY2(text.contains(QStringLiteral("\nExec=\"") + dir + QStringLiteral("Backup\" -min\n")),
             qPrintable(text));
    // The same entry does not hold for the directory without its space.
    platform::SetProgramDirectory(tree->PathOf(QStringLiteral("myprogs/")));
    QVERIFY(!IsInRunKey());
}

QTEST_GUILESS_MAIN(TestRunAtStartup)
#include "tst_runatstartup.moc"
