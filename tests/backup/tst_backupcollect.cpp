// Which files a run takes: patterns, subdirectories, excludes, the warnings about directories
// it cannot take, links and odd names passed over, and the decision whether a
// file known from an earlier run needs a new copy.

#include "backupfixture.h"
#include "cancelflag.h"
#include "faultinjector.h"
#include "model.h"
#include "platform.h"
#include "scriptedprompt.h"
#include "statuslog.h"
#include "storabletext.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Names (relative to the data folder) of the files that got a version in the latest backup.
QStringList CopiedInLastBackup(const BackupFixture &fx) {
    QStringList names;
    const Model &m = TheModel();
    for (const FileRecord &file : m.Files) {
        if (!file.Versions.isEmpty() && file.Versions.last().BackupIndex == m.BackupsLast())
            names.append((file.Path + file.Name).mid(fx.Data().size()));
    }
    names.sort();
    return names;
}

// subX, with a space at the end of its name where the system allows one: such a folder is
// collected like any other.
QString Spaced(const QString &path) {
    QString spaced = path;
    return platform::NamesMayEndInSpace()
               ? spaced.replace(QStringLiteral("subX/"), QStringLiteral("subX /"))
               : spaced;
}

} // namespace

class TestBackupCollect : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void whatIsCollected_data() {
        QTest::addColumn<QString>("patterns");
        QTest::addColumn<bool>("subdirs");
        QTest::addColumn<QStringList>("excludes"); // directories, relative to the data folder
        QTest::addColumn<QStringList>("names");    // name patterns, left out wherever they are
        QTest::addColumn<QStringList>("copied");
        const QStringList all = {".hidden",   "a.txt",     "b.bin",
                                 "empty.txt", "sub/c.TXT", Spaced("subX/d.txt")};
        QTest::newRow("everything") << "*.*" << true << QStringList() << QStringList() << all;
        QTest::newRow("pattern without regard to case")
            << "*.txt" << true << QStringList() << QStringList()
            << QStringList({"a.txt", "empty.txt", "sub/c.TXT", Spaced("subX/d.txt")});
        QTest::newRow("no subdirectories")
            << "*.*" << false << QStringList() << QStringList()
            << QStringList({".hidden", "a.txt", "b.bin", "empty.txt"});
        QTest::newRow("exclude is a prefix")
            << "*.*" << true << QStringList({"sub"}) << QStringList()
            << QStringList({".hidden", "a.txt", "b.bin", "empty.txt"});
        QTest::newRow("exclude with separator")
            << "*.*" << true << QStringList({"sub/"}) << QStringList()
            << QStringList({".hidden", "a.txt", "b.bin", "empty.txt", Spaced("subX/d.txt")});
        QTest::newRow("file pattern everywhere, any case")
            << "*.*" << true << QStringList() << QStringList({"*.TXT"})
            << QStringList({".hidden", "b.bin"});
        QTest::newRow("pattern list in one entry")
            << "*.*" << true << QStringList() << QStringList({"*.bin;.h*"})
            << QStringList({"a.txt", "empty.txt", "sub/c.TXT", Spaced("subX/d.txt")});
        QTest::newRow("plain folder name, not a prefix")
            << "*.*" << true << QStringList() << QStringList({"sub"})
            << QStringList({".hidden", "a.txt", "b.bin", "empty.txt", Spaced("subX/d.txt")});
        QTest::newRow("folder pattern")
            << "*.*" << true << QStringList() << QStringList({"sub?*"})
            << QStringList({".hidden", "a.txt", "b.bin", "empty.txt", "sub/c.TXT"});
    }
    void whatIsCollected() {
        QFETCH(QString, patterns);
        QFETCH(bool, subdirs);
        QFETCH(QStringList, excludes);
        QFETCH(QStringList, names);
        QFETCH(QStringList, copied);
        BackupFixture fx;
        fx.tree.Add({"data/a.txt=aaa", "data/b.bin:3000", "data/.hidden=h", "data/empty.txt",
                     "data/sub/c.TXT=ccc", "data/" + Spaced("subX/d.txt") + "=ddd"});
        fx.AddDirectory(fx.Data(), patterns, subdirs);
        for (const QString &e : excludes)
            TheModel().Excludes.append(fx.Data(e));
        TheModel().Excludes += names;
        ScriptedPrompt prompt;
        QVERIFY(fx.Run().finished);
        QCOMPARE(CopiedInLastBackup(fx), copied);
        for (const QString &name : copied) {
            const QString stored = fx.MediumDir(1, 1) + platform::RelativeForm(fx.Data()) + name;
            QCOMPARE(QFile(stored).size(), QFileInfo(fx.Data(name)).size());
        }
        // A file known from this run and left out by a pattern added later gets no new copy.
        QStringList rest;
        for (const QString &name : copied) {
            if (!name.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive))
                rest.append(name);
        }
        if (!names.isEmpty() || rest.isEmpty())
            return;
        TheModel().Excludes.append(QStringLiteral("*.txt"));
        BackupOptions fresh;
        fresh.chkFresh = true;
        QVERIFY(fx.Run(fresh).finished);
        QCOMPARE(CopiedInLastBackup(fx), rest);
    }

    void directoryWarnings_data() {
        QTest::addColumn<QString>("dir");
        QTest::addColumn<QString>("message");
        // Whether files were left out, which the run's status reports: those of a directory that
        // cannot be taken, or of one not there (a disk not mounted).
        QTest::addColumn<bool>("leftOut");
        QTest::newRow("missing") << "data/gone/"
                                 << "A directory selected for backup does not exist!\n(" << true;
        if (!platform::NamesMayEndInSpace())
            QTest::newRow("trailing space") << "data/space /"
                                            << "\"(and all subdirectories) cannot be added as this "
                                               "directory has trailing spaces!"
                                            << true;
        QTest::newRow("backup destination") << "backups/"
                                            << "\"(and all subdirectories) cannot be added as "
                                               "this is where backups are placed!"
                                            << false;
        QTest::newRow("bar in name") << "data/a|b/"
                                     << "\"(and all subdirectories) cannot be added as its name "
                                        "holds a '|' or a line break!"
                                     << true;
    }
    void directoryWarnings() {
        QFETCH(QString, dir);
        QFETCH(QString, message);
        QFETCH(bool, leftOut);
        BackupFixture fx;
        fx.tree.Add({"data/keep.txt=k", "backups/old.txt=o"});
        if (leftOut && !message.contains("does not exist"))
            fx.tree.Add({dir + "inside.txt=i"});
        fx.AddDirectory(fx.Data());
        fx.AddDirectory(fx.tree.PathOf(dir));
        fx.AddDirectory(fx.tree.PathOf(dir)); // the same key warns once
        ScriptedPrompt prompt;
        const BackupResult result = fx.Run();
        QVERIFY(result.finished);
        QCOMPARE(result.filesLeftOut, leftOut);
        int shown = 0;
        for (const QString &text : prompt.Texts())
            shown += text.contains(message) && text.contains(fx.tree.PathOf(dir));
        QCOMPARE(shown, 1);
        // Nothing below the refused directory is taken, and the record holds no name the
        // information file cannot.
        for (const FileRecord &file : TheModel().Files)
            QVERIFY2(!file.Path.startsWith(fx.tree.PathOf(dir)), qPrintable(file.Path));
        QVERIFY(StorableText(TheModel().Backups.last().Dirs.join(QString())));
        QVERIFY(fx.Record(fx.Data("keep.txt")));
    }

    // Also where the tests run as root, whom permissions do not bind: the listing is made to
    // fail. The directory's files are left out with a warning, and the run says so.
    void unlistableDirectoryIsLeftOut() {
        BackupFixture fx;
        fx.tree.Add({"data/ok.txt=o", "data/locked/x.txt=x"});
        fx.AddDirectory(fx.Data());
        ScriptedPrompt prompt;
        FaultInjector faults;
        faults.FailAt(FaultInjector::Point::List, 2, EACCES);
        const BackupResult result = fx.Run();
        QVERIFY(faults.Fired(FaultInjector::Point::List));
        QVERIFY(result.finished);
        QVERIFY(result.filesLeftOut);
        QVERIFY(prompt.Texts().join("\n").contains(fx.Data("locked/") +
                                                   "\"(and all "
                                                   "subdirectories) cannot be added as you do "
                                                   "not have permission to acess the directory!"));
        QVERIFY(fx.Record(fx.Data("ok.txt")));
        QVERIFY(!fx.Record(fx.Data("locked/x.txt")));
    }

    void unreadableDirectoryWarns() {
        if (::geteuid() == 0)
            QSKIP("permissions do not bind the superuser");
        BackupFixture fx;
        fx.tree.Add({"data/ok.txt=o", "data/locked/x.txt=x"});
        ::chmod(QFile::encodeName(fx.Data("locked")).constData(), 0);
        fx.AddDirectory(fx.Data("locked/"));
        fx.AddDirectory(fx.Data());
        ScriptedPrompt prompt;
        fx.Run();
        ::chmod(QFile::encodeName(fx.Data("locked")).constData(), 0755);
        QVERIFY(prompt.Texts().join("\n").contains("do not have permission to acess"));
    }

    void oddEntriesArePassedOver() {
        BackupFixture fx;
        fx.tree.Add({"data/real.txt=r", "data/bad|name.txt=b", "data/line\nbreak.txt=l",
                     "outside/target.txt=t", "outside/dir/in.txt=i"});
        QVERIFY(QFile::link(fx.tree.PathOf("outside/target.txt"), fx.Data("link.txt")));
        QVERIFY(QFile::link(fx.tree.PathOf("outside/dir"), fx.Data("linkdir")));
        QCOMPARE(::mkfifo(QFile::encodeName(fx.Data("pipe")).constData(), 0600), 0);
        fx.AddDirectory(fx.Data());
        ScriptedPrompt prompt;
        QVERIFY(fx.Run().finished);
        QCOMPARE(CopiedInLastBackup(fx), QStringList({"real.txt"}));
        const QString texts = prompt.Texts().join("\n");
        QVERIFY(texts.contains(fx.Data("bad|name.txt")));
        QVERIFY(texts.contains(fx.Data("line\nbreak.txt")));
        const QString log = StatusLog::Instance().Text();
        QVERIFY(log.contains(fx.Data("link.txt")));
        QVERIFY(log.contains(fx.Data("linkdir")));
        QVERIFY(log.contains(fx.Data("pipe")));
    }

    void nothingToBackUpCancels_data() {
        QTest::addColumn<bool>("modelUnused");
        QTest::newRow("the window goes on with the model") << false;
        // The command line ends with the run: the model is left as the run made it.
        QTest::newRow("nobody looks at the model again") << true;
    }
    void nothingToBackUpCancels() {
        QFETCH(bool, modelUnused);
        BackupFixture fx;
        fx.tree.Add({"data/sub/"});
        fx.AddDirectory(fx.Data());
        ScriptedPrompt prompt;
        BackupOptions options;
        options.modelUnusedAfterCancel = modelUnused;
        const BackupResult result = fx.Run(options);
        QVERIFY(!result.finished);
        QVERIFY(prompt.Texts().contains("No files to backup!"));
        QVERIFY(fx.view.hidden);
        QCOMPARE(TheModel().BackupsLast(), modelUnused ? 0 : -1); // forgotten for the window
        QVERIFY(!CancelFlag());
        QVERIFY(QDir(fx.BackupDir()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    }

    void changeDecision_data() {
        QTest::addColumn<bool>("fresh");
        QTest::addColumn<bool>("touch");
        QTest::addColumn<bool>("unavailable");
        QTest::addColumn<QStringList>("copied");
        QTest::newRow("unchanged files stay") << false << false << false << QStringList();
        QTest::newRow("changed file is copied") << false << true << false << QStringList({"a.txt"});
        QTest::newRow("fresh point copies all")
            << true << false << false << QStringList({"a.txt", "b.txt"});
        QTest::newRow("unavailable medium copies again")
            << false << false << true << QStringList({"a.txt", "b.txt"});
    }
    void changeDecision() {
        QFETCH(bool, fresh);
        QFETCH(bool, touch);
        QFETCH(bool, unavailable);
        QFETCH(QStringList, copied);
        BackupFixture fx;
        fx.tree.Add({"data/a.txt=first", "data/b.txt=second"});
        fx.AddDirectory(fx.Data());
        ScriptedPrompt prompt;
        QVERIFY(fx.Run().finished);
        QCOMPARE(CopiedInLastBackup(fx), QStringList({"a.txt", "b.txt"}));
        QVERIFY(!platform::ArchiveAttributeSet(fx.Data("a.txt")));

        if (touch)
            fx.tree.Write("data/a.txt", "first, and more");
        if (unavailable)
            TheModel().Media[0].Available = false;
        BackupOptions options;
        options.chkFresh = fresh;
        const BackupResult second = fx.Run(options);
        if (copied.isEmpty()) {
            QVERIFY(!second.finished);
            QVERIFY(prompt.Texts().contains("No files to backup!"));
            QCOMPARE(TheModel().BackupsLast(), 0);
            return;
        }
        QVERIFY(second.finished);
        QCOMPARE(TheModel().BackupsLast(), 1);
        QCOMPARE(CopiedInLastBackup(fx), copied);
        QCOMPARE(TheModel().Backups[1].FreshPoint, fresh);
    }

    // A spanned copy is whole only while every medium it lies on can be read.
    void spannedCopyOnAnUnavailableMediumIsCopiedAgain() {
        BackupFixture fx;
        fx.tree.Add({"data/a.txt=first", "data/big.bin:800000"});
        fx.SetMedia(330, 1024, true);
        fx.AddDirectory(fx.Data());
        ScriptedPrompt prompt;
        QVERIFY(fx.Run().finished);
        VersionRecord spanned = fx.Record(fx.Data("big.bin"))->Versions.at(0);
        spanned.ComputeLastMedium();
        // A medium in the middle of the copy is lost; the small file lies after it.
        const int lost = spanned.LastMedium - 1;
        QVERIFY(lost > spanned.MediumIndex);
        TheModel().Media[lost].Available = false;
        QVERIFY(fx.Record(fx.Data("a.txt"))->Versions.at(0).MediumIndex > lost);
        QVERIFY(fx.Run().finished);
        QCOMPARE(CopiedInLastBackup(fx), QStringList({"big.bin"}));
    }

    void fileReplacedByDirectory() {
        BackupFixture fx;
        fx.tree.Add({"data/x=was a file"});
        fx.AddDirectory(fx.Data());
        ScriptedPrompt prompt;
        QVERIFY(fx.Run().finished);
        QVERIFY(QFile::remove(fx.Data("x")));
        fx.tree.Add({"data/x/inside.txt=now a directory"});
        const BackupResult second = fx.Run();
        QVERIFY(second.finished);
        QVERIFY(!second.fileErrors);
        QCOMPARE(CopiedInLastBackup(fx), QStringList({"x/inside.txt"}));
    }

    void includeAllSearchesFixedDrivesOnly() {
        BackupFixture fx;
        fx.tree.Add(
            {"drive/top.doc=t", "drive/deep/er/x.doc=x", "drive/deep/no.txt=n", "usb/stick.doc=s"});
        qputenv("PELLMOOR_DRIVES",
                (fx.tree.PathOf("drive/") + "=fixed;" + fx.tree.PathOf("usb/") + "=removable")
                    .toUtf8());
        TheModel().IncludeAll = QStringList({"*.doc", "*.xls", "*.pdf"});
        BackupOptions options;
        options.SelectedPatterns = {0, 2};
        ScriptedPrompt prompt;
        QVERIFY(fx.Run(options).finished);
        QCOMPARE(TheModel().Backups[0].PatternsUsed, QStringLiteral("*.doc;*.pdf"));
        QVERIFY(fx.Record(fx.tree.PathOf("drive/top.doc")));
        QVERIFY(fx.Record(fx.tree.PathOf("drive/deep/er/x.doc")));
        QVERIFY(!fx.Record(fx.tree.PathOf("drive/deep/no.txt")));
        QVERIFY(!fx.Record(fx.tree.PathOf("usb/stick.doc")));
    }

    void recordDescribesTheRun() {
        BackupFixture fx;
        fx.tree.Add({"data/a.txt=a", "other/b.txt=b"});
        fx.AddDirectory(fx.Data());
        fx.AddDirectory(fx.tree.PathOf("other/"));
        TheModel().Directories[1].Selected = false;
        ScriptedPrompt prompt;
        QVERIFY(fx.Run().finished);
        const BackupRecord &record = TheModel().Backups[0];
        QCOMPARE(record.Dirs, QStringList({fx.Data()}));
        QCOMPARE(record.FirstMedium, 0);
        QCOMPARE(record.MediaSize, -1.0);
        QVERIFY(!fx.Record(fx.tree.PathOf("other/b.txt")));
        QVERIFY(QFile::exists(fx.tree.PathOf("prog/Backup.Ini")));
    }
};

QTEST_GUILESS_MAIN(TestBackupCollect)
#include "tst_backupcollect.moc"
