#include "platform.h"

#include <QTest>

using namespace platform;

class TestPaths : public QObject {
    Q_OBJECT

private slots:
    void RelativeFormDropsLeadingSeparator_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("root") << "/"
                              << "";
        QTest::newRow("directory") << "/home/a/"
                                   << "home/a/";
        QTest::newRow("file") << "/home/a/b.txt"
                              << "home/a/b.txt";
        QTest::newRow("doubled separator") << "//srv/x/"
                                           << "srv/x/";
        QTest::newRow("colon kept") << "/data/c:d/"
                                    << "data/c:d/";
        QTest::newRow("already relative") << "home/a/"
                                          << "home/a/";
    }
    void RelativeFormDropsLeadingSeparator() {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QCOMPARE(RelativeForm(path), expected);
    }

    void ComparisonKeepsCase_data() {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("equal");
        QTest::newRow("same") << "/home/a/"
                              << "/home/a/" << true;
        QTest::newRow("case differs") << "/home/Data/"
                                      << "/home/data/" << false;
        QTest::newRow("trailing separator differs") << "/home/a"
                                                    << "/home/a/" << false;
    }
    void ComparisonKeepsCase() {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, equal);
        QCOMPARE(ComparablePath(a), a);
        QCOMPARE(PathsEqual(a, b), equal);
    }

    void RootRecognised_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("root");
        QTest::addColumn<bool>("absolute");
        QTest::newRow("root") << "/" << true << true;
        QTest::newRow("directory") << "/home/" << false << true;
        QTest::newRow("empty") << "" << false << false;
        QTest::newRow("relative") << "home/" << false << false;
        QTest::newRow("drive letter") << "C:\\" << false << false;
    }
    void RootRecognised() {
        QFETCH(QString, path);
        QFETCH(bool, root);
        QFETCH(bool, absolute);
        QCOMPARE(IsRoot(path), root);
        QCOMPARE(IsAbsolutePath(path), absolute);
        if (absolute)
            QCOMPARE(RootOf(path), QStringLiteral("/"));
    }

    void ProgramDirectoryEndsInSeparator() {
        SetProgramDirectory(QStringLiteral("/opt/pellmoor"));
        QCOMPARE(ProgramDirectory(), QStringLiteral("/opt/pellmoor/"));
        SetProgramDirectory(QString());
        QCOMPARE(ProgramDirectory(), QCoreApplication::applicationDirPath() + Separator());
    }
};

QTEST_GUILESS_MAIN(TestPaths)
#include "tst_paths.moc"
