// The directory tree: sorted children, lookups, merging of re-added directories, the texts it
// produces and what it hands a tree view.

#include "clsNode.h"
#include "scriptedprompt.h"
#include "treesink.h"

#include <QTest>

namespace {
clsDirectory Dir(const QString &name, const QString &patterns = "*.*", bool subdirs = false) {
    clsDirectory d;
    d.SetNiceDirName(name);
    d.Patterns = patterns;
    d.IncludeSubdirs = subdirs;
    return d;
}

QStringList ChildNames(const clsNode *node) {
    QStringList names;
    for (int i = 0; i <= node->GetNumNodes(); ++i)
        names << node->GetNode(i)->NodeVal().NiceDirName();
    return names;
}

class RecordingSink : public TreeSink {
public:
    QStringList items;
    void AddItem(const QString &parentKey, const QString &key, const QString &text) override {
        items << parentKey + '>' + key + '>' + text;
    }
};

// Reads the "|len|text" frames back, failing on a frame that does not fit.
QStringList Frames(const QString &text) {
    QStringList frames;
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype bar = text.indexOf('|', at + 1);
        if (text.at(at) != '|' || bar < 0)
            return frames << "!malformed";
        const qsizetype length = text.mid(at + 1, bar - at - 1).toLongLong();
        frames << text.mid(bar + 1, length);
        at = bar + 1 + length;
    }
    return frames;
}
} // namespace

class TestTree : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sortedChildren_data() {
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("b, A, c") << QStringList{"/c/b/", "/c/A/", "/c/c/"}
                                 << QStringList{"/c/A/", "/c/b/", "/c/c/"};
        QTest::newRow("exact, not upper-cased")
            << QStringList{"/c/b/", "/c/B/", "/c/a/"} << QStringList{"/c/B/", "/c/a/", "/c/b/"};
        QTest::newRow("added twice")
            << QStringList{"/c/m/", "/c/d/", "/c/m/"} << QStringList{"/c/d/", "/c/m/"};
        QTest::newRow("deeper paths") << QStringList{"/c/z/y/", "/c/k/", "/c/a/b/c/", "/c/q/"}
                                      << QStringList{"/c/a/", "/c/k/", "/c/q/", "/c/z/"};
    }
    void sortedChildren() {
        QFETCH(QStringList, added);
        QFETCH(QStringList, order);
        clsNode root;
        root.InitRoot();
        for (const QString &path : added)
            QVERIFY(root.AddFullNode(Dir(path)));
        QCOMPARE(ChildNames(root.FindFullNode(Dir("/c/"))), order);
    }

    void manyChildrenStaySorted() {
        clsNode root;
        root.InitRoot();
        QStringList expected;
        for (int i = 3000; i >= 1; --i)
            root.AddFullNode(Dir(QStringLiteral("/d/%1/").arg(i * 7919 % 3001, 4, 10, QChar('0'))));
        for (int i = 1; i <= 3000; ++i)
            expected << QStringLiteral("/d/%1/").arg(i, 4, 10, QChar('0'));
        QCOMPARE(ChildNames(root.FindFullNode(Dir("/d/"))), expected);
        QCOMPARE(root.FindFullNode(Dir("/d/1234/"))->NodeVal().NiceDirName(), "/d/1234/");
    }

    void getNode_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("prompts");
        QTest::newRow("first") << 0 << "/a/" << QStringList();
        QTest::newRow("last") << 2 << "/c/" << QStringList();
        QTest::newRow("one past") << 3 << "" << QStringList{"The given node index is too high!"};
        QTest::newRow("negative") << -1 << "" << QStringList();
    }
    void getNode() {
        QFETCH(int, index);
        QFETCH(QString, name);
        QFETCH(QStringList, prompts);
        clsNode root;
        root.InitRoot();
        for (const char *path : {"/c/", "/a/", "/b/"})
            root.AddFullNode(Dir(path));
        const clsNode *slash = root.GetNode(0);
        ScriptedPrompt prompt;
        const clsNode *node = slash->GetNode(index);
        QCOMPARE(node ? node->NodeVal().NiceDirName() : QString(), name);
        QCOMPARE(prompt.Texts(), prompts);
    }

    void find_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("found");
        QTest::addColumn<bool>("selected");
        QTest::newRow("added") << "/home/u/Docs/Old/" << true << true;
        QTest::newRow("component only") << "/home/u/Docs/" << true << false;
        QTest::newRow("file-system root") << "/" << true << false;
        QTest::newRow("other letter case") << "/home/u/docs/" << false << false;
        QTest::newRow("sibling") << "/home/u/Other/" << false << false;
        QTest::newRow("no trailing separator") << "/home/u/Docs" << false << false;
    }
    void find() {
        QFETCH(QString, path);
        QFETCH(bool, found);
        QFETCH(bool, selected);
        clsNode root;
        root.InitRoot();
        root.AddFullNode(Dir("/home/u/Docs/Old/", "*.doc", true));
        const clsNode *node = root.FindFullNode(Dir(path));
        QCOMPARE(node != nullptr, found);
        if (node) {
            QCOMPARE(node->NodeVal().NiceDirName(), path);
            QCOMPARE(node->NodeVal().Selected, selected);
            QCOMPARE(node->NodeVal().Patterns, QString(selected ? "*.doc" : ""));
        }
    }

    void addWithoutSeparator_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("created");
        QTest::newRow("no trailing separator") << "/home" << QStringList{"/"};
        QTest::newRow("relative name") << "Data" << QStringList();
        QTest::newRow("empty") << "" << QStringList();
    }
    void addWithoutSeparator() {
        QFETCH(QString, path);
        QFETCH(QStringList, created);
        clsNode root;
        root.InitRoot();
        ScriptedPrompt prompt;
        QCOMPARE(root.AddFullNode(Dir(path)), nullptr);
        QCOMPARE(prompt.Texts(), QStringList{"AddFullNode error!\nAddNodeVal.NiceDirName does not "
                                             "include /!\nAttempting abort!"});
        QCOMPARE(ChildNames(&root), created);
    }

    void addAgain_data() {
        QTest::addColumn<QString>("firstPath");
        QTest::addColumn<QString>("firstPatterns");
        QTest::addColumn<bool>("firstSubdirs");
        QTest::addColumn<QString>("patterns");
        QTest::addColumn<bool>("subdirs");
        QTest::addColumn<QString>("merged");
        QTest::addColumn<bool>("mergedSubdirs");
        QTest::newRow("patterns merged")
            << "/a/"
            << "*.doc" << false << "*.txt" << false << "*.doc;*.txt" << false;
        QTest::newRow("subdirs from second")
            << "/a/"
            << "*.doc" << false << "*.doc" << true << "*.doc" << true;
        QTest::newRow("subdirs kept")
            << "/a/"
            << "*.doc" << true << "*.txt;*.doc" << false << "*.doc;*.txt" << true;
        QTest::newRow("component takes nothing from below")
            << "/a/b/"
            << "*.doc" << true << "*.txt" << false << "*.txt" << false;
    }
    void addAgain() {
        QFETCH(QString, firstPath);
        QFETCH(QString, firstPatterns);
        QFETCH(bool, firstSubdirs);
        QFETCH(QString, patterns);
        QFETCH(bool, subdirs);
        QFETCH(QString, merged);
        QFETCH(bool, mergedSubdirs);
        clsNode root;
        root.InitRoot();
        root.AddFullNode(Dir(firstPath, firstPatterns, firstSubdirs));
        const clsNode *node = root.AddFullNode(Dir("/a/", patterns, subdirs));
        QCOMPARE(root.FindFullNode(Dir("/a/")), node);
        QCOMPARE(ChildNames(root.GetNode(0)), QStringList{"/a/"});
        QCOMPARE(node->NodeVal().Patterns, merged);
        QCOMPARE(node->NodeVal().IncludeSubdirs, mergedSubdirs);
        QVERIFY(node->NodeVal().Selected);
    }

    void caseSensitivePaths() {
        clsNode root;
        root.InitRoot();
        const clsNode *upper = root.AddFullNode(Dir("/a/X/", "*.u"));
        const clsNode *lower = root.AddFullNode(Dir("/a/x/", "*.l"));
        QVERIFY(upper != lower);
        QCOMPARE(root.FindFullNode(Dir("/a/X/"))->NodeVal().Patterns, "*.u");
        QCOMPARE(root.FindFullNode(Dir("/a/x/"))->NodeVal().Patterns, "*.l");
    }

    void initOnce() {
        clsNode parent;
        clsNode node;
        ScriptedPrompt prompt;
        QVERIFY(!node.Initialised());
        node.InitNode(Dir("/first/"), nullptr, 4);
        QVERIFY(node.Initialised());
        node.InitNode(Dir("/second/"), &parent, 7);
        QCOMPARE(prompt.Texts(), (QStringList{"The node has not been initialised!",
                                              "A node can only be initialised once!"}));
        QCOMPARE(node.NodeVal().NiceDirName(), "/first/");
        QCOMPARE(node.Parent(), nullptr);
        QCOMPARE(node.Index(), 4);
    }

    void printNice() {
        clsNode root;
        root.InitRoot();
        root.AddFullNode(Dir("/b/"));
        root.AddFullNode(Dir("/a/c/"));
        QCOMPARE(root.PrintNice(), "+\n-+/\n--+/a/\n---+/a/c/\n--+/b/\n");
    }

    void toStringFrames() {
        clsNode root;
        root.InitRoot();
        root.AddFullNode(Dir("/a/", "*.txt", true));
        QStringList expected{"||False|False|False", "/||False|False|False",
                             "a/|*.txt|True|True|False"};
        // Enough text to pass through the second buffer several times.
        for (int i = 0; i < 300; ++i) {
            const QString name =
                QStringLiteral("sub%1-%2/").arg(i, 3, 10, QChar('0')).arg(QString(40, 'x'));
            root.AddFullNode(Dir("/a/" + name, "*.d"));
            expected << name + "|*.d|False|True|False";
        }
        QCOMPARE(Frames(root.toString()), expected);
    }

    void popTreeView() {
        clsNode root;
        root.InitRoot();
        for (const char *path : {"/home/u/Docs/", "/home/u/Apps/", "/etc/"})
            root.AddFullNode(Dir(path));
        RecordingSink sink;
        root.PopTreeView(sink);
        QCOMPARE(sink.items,
                 (QStringList{">/>/", "/>/etc/>etc", "/>/home/>home", "/home/>/home/u/>u",
                              "/home/u/>/home/u/Apps/>Apps", "/home/u/>/home/u/Docs/>Docs"}));
    }
};

QTEST_GUILESS_MAIN(TestTree)
#include "tst_tree.moc"
