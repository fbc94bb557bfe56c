// What a person sets up in the window is what a backup holds: directories with their patterns,
// an include-all pattern, an excluded directory and an excluded name, chosen through the window and
// saved by OK, then a real pellmoor backup run over them.

#include "clirun.h"
#include "setupfixture.h"

#include "infofile.h"
#include "model.h"
#include "platform.h"

#include <QTest>

class TestSetupRound : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void backupHoldsExactlyTheChosenFiles() {
        BackupSetup files(QStringLiteral("1|0|-1|-1|-1|16384|5|HDD"),
                          {QStringLiteral("data/sub/c.txt=kept"),
                           QStringLiteral("data/sub/skip/d.txt=excluded"),
                           QStringLiteral("data/sub/skip/e.jpg=excluded picture"),
                           QStringLiteral("other/photo.jpg=picture"),
                           QStringLiteral("data/cache/f.txt=left out by name"),
                           QStringLiteral("other/cache/g.jpg=left out by name"),
                           QStringLiteral("other/notes.txt=not chosen")});
        SetupFixture setup;
        platform::SetProgramDirectory(files.tree.PathOf(QStringLiteral("prog/")));
        QVERIFY(LoadIniFile(files.Ini(), false));
        setup.Show();
        QCOMPARE(setup.Rows("lstDirectories").size(), 1);

        const QString root = files.tree.Root();
        setup.prompt.AnswerWhen(QStringLiteral("Really clear directories?"), MsgAnswer::Yes);
        setup.Click("cmdClearDirs");
        setup.selector.answers = {root + QStringLiteral("data/|*.txt|1")};
        setup.Click("cmdAdd");
        setup.selector.answers = {QStringLiteral("*.jpg")};
        setup.Click("cmdAddPatt");
        setup.selector.answers = {root + QStringLiteral("data/sub/skip/")};
        setup.Click("cmdAddEx");
        setup.selector.answers = {QStringLiteral("cache")};
        setup.Click("cmdAddPattEx");
        setup.selector.answers = {root + QStringLiteral("backups/")};
        setup.Click("cmdSetBackupDirectory");
        setup.Click("cmdOk");

        // Include-all patterns look at every fixed drive: here, the test's own folder.
        qputenv("PELLMOOR_DRIVES", (root + QStringLiteral("=fixed")).toUtf8());
        const Run run = files.Backup();
        qunsetenv("PELLMOOR_DRIVES");
        QVERIFY2(run.status == 0, qPrintable(run.err));

        QVERIFY(LoadIniFile(files.Ini(), false));
        QStringList stored;
        for (const FileRecord &file : TheModel().Files)
            stored.append(file.Path.mid(root.size()) + file.Name);
        stored.sort();
        QCOMPARE(stored,
                 QStringList({QStringLiteral("data/a.txt"), QStringLiteral("data/sub/c.txt"),
                              QStringLiteral("other/photo.jpg")}));
    }
};

QTEST_MAIN(TestSetupRound)
#include "tst_setupround.moc"
