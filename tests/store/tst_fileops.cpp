// The file-system questions, directory creation and removal, and the rename.

#include "cancelflag.h"
#include "fileops.h"
#include "programend.h"
#include "scriptedprompt.h"
#include "servedsync.h"
#include "temptree.h"

#include <QFile>
#include <QTest>
#include <QTimer>

#include <unistd.h>

namespace {

// The two answers to "Abort current operation?" and whether each sets the cancel flag.
void AbortAnswers() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("cancelled");
    QTest::newRow("yes aborts") << int(MsgAnswer::Yes) << true;
    QTest::newRow("no goes on") << int(MsgAnswer::No) << false;
}

} // namespace

class TestFileOps : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { SetCancelFlag(false); }
    void cleanup() {
        SetCancelFlag(false);
        SetProgramEndHandler(nullptr);
    }

    void fileLength_data() {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<double>("length");
        QTest::newRow("file") << "data.bin" << 5000.0;
        QTest::newRow("missing file") << "nothing.bin" << -1.0;
        QTest::newRow("missing path") << "no/such/dir/data.bin" << -1.0;
        QTest::newRow("directory") << "sub" << -1.0;
    }
    void fileLength() {
        QFETCH(QString, relative);
        QFETCH(double, length);
        TempTree tree({"data.bin:5000", "empty.txt", "sub/"});
        QCOMPARE(FileLength(tree.PathOf(relative)), length);
    }

    void fileExists_data() {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<bool>("exists");
        QTest::newRow("plain name") << "dir/Report.txt" << true;
        QTest::newRow("plain name, other case") << "dir/report.txt" << false;
        QTest::newRow("missing name") << "dir/other.txt" << false;
        QTest::newRow("star matches") << "dir/*.txt" << true;
        QTest::newRow("star ignores case") << "dir/*.TXT" << true;
        QTest::newRow("wildcard without match") << "dir/*.doc" << false;
        QTest::newRow("hidden file by name") << "dir/.settings" << true;
        QTest::newRow("wildcard finds hidden file") << "dir/.set*" << true;
        QTest::newRow("subdirectory is no file") << "dir/inner" << false;
        QTest::newRow("wildcard skips subdirectories") << "dir/inn*" << false;
        QTest::newRow("missing directory") << "none/Report.txt" << false;
        QTest::newRow("directory path only") << "dir/" << false;
    }
    void fileExists() {
        QFETCH(QString, relative);
        QFETCH(bool, exists);
        TempTree tree({"dir/Report.txt=r", "dir/.settings=s", "dir/inner/"});
        QCOMPARE(FileExists(tree.PathOf(relative)), exists);
        QVERIFY(!FileExists(QString()));
        QVERIFY(!FileExists("Report.txt")); // no directory part
    }

    void fileExistsIgnoresALinkToAFile() {
        TempTree tree({"real.txt=x"});
        QVERIFY(QFile::link(tree.PathOf("real.txt"), tree.PathOf("link.txt")));
        QVERIFY(FileExists(tree.PathOf("real.txt")));
        QVERIFY(!FileExists(tree.PathOf("link.txt")));
        QVERIFY(!FileExists(tree.PathOf("l*.txt")));
    }

    void isDirEmpty_data() {
        QTest::addColumn<QStringList>("content");
        QTest::addColumn<bool>("empty");
        QTest::newRow("nothing inside") << QStringList{"d/"} << true;
        QTest::newRow("only a hidden file") << QStringList{"d/.hidden"} << false;
        QTest::newRow("an empty subdirectory") << QStringList{"d/sub/"} << false;
        QTest::newRow("a file") << QStringList{"d/a.txt"} << false;
    }
    void isDirEmpty() {
        QFETCH(QStringList, content);
        QFETCH(bool, empty);
        TempTree tree(content);
        QCOMPARE(IsDirEmpty(tree.PathOf("d/")), empty);
    }

    void isDirEmptyCountsALink() {
        TempTree tree({"d/", "target.txt"});
        QVERIFY(QFile::link(tree.PathOf("target.txt"), tree.PathOf("d/link")));
        QVERIFY(!IsDirEmpty(tree.PathOf("d/")));
        QVERIFY(!IsDirEmpty(tree.PathOf("missing/")));
    }

    void createDirectoryMakesEveryLevel() {
        TempTree tree;
        ScriptedPrompt prompt;
        SetCancelFlag(true); // left over from an earlier operation
        CreateDirectory(tree.PathOf("a/b/c"));
        QVERIFY(QFileInfo(tree.PathOf("a/b/c")).isDir());
        QVERIFY(!CancelFlag());
        CreateDirectory(tree.PathOf("a/b/c/")); // all there already
        CreateDirectory(tree.PathOf("a/x/y"));  // only the deeper levels are missing
        QVERIFY(QFileInfo(tree.PathOf("a/x/y")).isDir());
        QVERIFY(prompt.Prompts().isEmpty());
    }

    void createDirectoryError_data() { AbortAnswers(); }
    void createDirectoryError() {
        QFETCH(int, answer);
        QFETCH(bool, cancelled);
        // Root ignores permission bits; a level that is a regular file fails for everybody.
        TempTree tree({"file"});
        ScriptedPrompt prompt;
        prompt.AnswerTo(Question::AbortOperation, MsgAnswer(answer));
        CreateDirectory(tree.PathOf("file/sub/deeper"));
        QCOMPARE(prompt.Texts(),
                 QStringList{"A directory error occured whilst creating a directory.\n"
                             "Create directory failed.\n"
                             "Error was : 75. Path/File access error\n"
                             "Abort current operation?"});
        QCOMPARE(prompt.Prompts().first().buttons, MsgButtons::YesNo);
        QCOMPARE(CancelFlag(), cancelled);
        QVERIFY(QFileInfo(tree.PathOf("file")).isFile());
    }

    void removeDirectoryTreeRemovesEverything() {
        TempTree tree({"top/a.txt", "top/.hidden", "top/sub/b.txt:3000", "top/sub/.cache/c",
                       "top/empty/", "keep.txt"});
        ScriptedPrompt prompt;
        RemoveDirectoryTree(tree.PathOf("top/"));
        QVERIFY(!QFileInfo::exists(tree.PathOf("top")));
        QVERIFY(QFileInfo::exists(tree.PathOf("keep.txt")));
        QVERIFY(prompt.Prompts().isEmpty());
    }

    void removeDirectoryTreeLeavesLinkTargets_data() {
        QTest::addColumn<QString>("linkName");
        QTest::addColumn<QString>("removed");
        QTest::newRow("link inside the tree") << "top/link"
                                              << "top";
        QTest::newRow("the tree itself is a link") << "toplink"
                                                   << "toplink/";
    }
    void removeDirectoryTreeLeavesLinkTargets() {
        QFETCH(QString, linkName);
        QFETCH(QString, removed);
        TempTree tree({"top/a.txt", "outside/precious.txt=keep", "outside/sub/x"});
        QVERIFY(QFile::link(tree.PathOf("outside"), tree.PathOf(linkName)));
        RemoveDirectoryTree(tree.PathOf(removed));
        QVERIFY(!QFileInfo(tree.PathOf(linkName)).isSymLink());
        QVERIFY(!QFileInfo::exists(tree.PathOf(removed)));
        QCOMPARE(tree.Read("outside/precious.txt"), QByteArray("keep"));
        QVERIFY(QFileInfo::exists(tree.PathOf("outside/sub/x")));
    }

    void removeDirectoryTreeStopsWhenCancelled() {
        TempTree tree({"top/a.txt"});
        SetCancelFlag(true);
        RemoveDirectoryTree(tree.PathOf("top/"));
        QVERIFY(QFileInfo::exists(tree.PathOf("top/a.txt")));
    }

    void removeDirectoryTreeError_data() { AbortAnswers(); }
    void removeDirectoryTreeError() {
        QFETCH(int, answer);
        QFETCH(bool, cancelled);
        // Nothing in /proc can be deleted, not even by root; the first file refuses.
        const QString dir = QStringLiteral("/proc/self/fdinfo/");
        if (!QFileInfo(dir).isDir())
            QSKIP("no /proc on this system");
        ScriptedPrompt prompt;
        prompt.AnswerTo(Question::AbortOperation, MsgAnswer(answer));
        RemoveDirectoryTree(dir);
        QCOMPARE(prompt.Texts(),
                 QStringList{"A directory error occured whilst removing a directory.\n"
                             "Remove directory failed.\n"
                             "Error was : 70. Permission denied\n"
                             "Abort current operation?"});
        QCOMPARE(CancelFlag(), cancelled);
    }

    void renameFile_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<bool>("done");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("endCode");
        const QString notSame = QStringLiteral("Rename failed!\nDirectories are not the same!");
        QTest::newRow("same directory") << "d/old.txt"
                                        << "d/new.txt" << true << "" << -1;
        QTest::newRow("target replaced") << "d/old.txt"
                                         << "d/taken.txt" << true << "" << -1;
        QTest::newRow("other directory") << "d/old.txt"
                                         << "e/new.txt" << false << notSame << 1;
        QTest::newRow("other directory, same name") << "d/old.txt"
                                                    << "e/old.txt" << false << notSame << 1;
        QTest::newRow("directory differs in case") << "d/old.txt"
                                                   << "D/new.txt" << false << notSame << 1;
        QTest::newRow("old file missing") << "d/none.txt"
                                          << "d/new.txt" << false << "" << -1;
        QTest::newRow("onto a directory")
            << "d/old.txt"
            << "d/sub" << false << "Couldnt rename old file!\n%1d/old.txt" << 1;
    }
    void renameFile() {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(bool, done);
        QFETCH(QString, message);
        QFETCH(int, endCode);
        TempTree tree({"d/old.txt=old content", "d/taken.txt=other", "d/sub/x", "e/", "D/"});
        ScriptedPrompt prompt;
        int ended = -1;
        SetProgramEndHandler([&](int code) { ended = code; });
        QCOMPARE(RenameFile(tree.PathOf(from), tree.PathOf(to)), done);
        QCOMPARE(prompt.Texts().join('|'),
                 message.contains("%1") ? message.arg(tree.Root()) : message);
        QCOMPARE(ended, endCode);
        if (done) {
            QCOMPARE(tree.Read(to), QByteArray("old content"));
            QVERIFY(!QFileInfo::exists(tree.PathOf(from)));
        } else if (from == "d/old.txt") {
            QCOMPARE(tree.Read(from), QByteArray("old content"));
        }
    }

    void renameFileKeepsAFileWithTwoNames() {
        TempTree tree({"d/old.txt=content"});
        QCOMPARE(::link(QFile::encodeName(tree.PathOf("d/old.txt")).constData(),
                        QFile::encodeName(tree.PathOf("d/new.txt")).constData()),
                 0);
        ScriptedPrompt prompt;
        int ended = -1;
        SetProgramEndHandler([&](int code) { ended = code; });
        QVERIFY(RenameFile(tree.PathOf("d/old.txt"), tree.PathOf("d/new.txt")));
        QCOMPARE(tree.Read("d/new.txt"), QByteArray("content"));
        QVERIFY(RenameFile(tree.PathOf("d/new.txt"), tree.PathOf("d/new.txt")));
        QCOMPARE(tree.Read("d/new.txt"), QByteArray("content"));
        QCOMPARE(ended, -1);
        QVERIFY(prompt.Prompts().isEmpty());
    }

    // A sync that waits for the disk lets events run meanwhile, and reports its failure as the
    // system gave it.
    void syncServesEvents_data() {
        QTest::addColumn<bool>("open");
        QTest::newRow("a file") << true;
        QTest::newRow("a closed descriptor") << false;
    }
    void syncServesEvents() {
        QFETCH(bool, open);
        TempTree tree({"data.txt=some text"});
        QFile file(tree.PathOf("data.txt"));
        QVERIFY(file.open(QIODevice::ReadWrite));
        bool served = false;
        QTimer::singleShot(0, [&served] { served = true; });
        errno = 0;
        QCOMPARE(SyncToDiskServingEvents(open ? file.handle() : -1), open);
        QVERIFY(served);
        QCOMPARE(errno, open ? 0 : EBADF);
    }
};

QTEST_GUILESS_MAIN(TestFileOps)
#include "tst_fileops.moc"
