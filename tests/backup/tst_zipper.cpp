// Zipping single files with the real zip library: the archive holds the file under its bare
// name, another program reads it back, the estimate is logged and an abort stops the zip.

#include "programini.h"
#include "smallfilesystem.h"
#include "statuslog.h"
#include "temptree.h"
#include "zipper.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

namespace {

QByteArray Run(const QString &program, const QStringList &arguments, int *exitCode = nullptr) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    if (exitCode)
        *exitCode = process.exitCode();
    return process.readAllStandardOutput();
}

} // namespace

class TestZipper : public QObject {
    Q_OBJECT

    QString previousDir;
    TempTree work;

private Q_SLOTS:
    void init() {
        previousDir = QDir::currentPath();
        QDir::setCurrent(work.Root());
        // The estimates are logged beside the information file in use.
        SetProgramIniPath(work.PathOf("Backup.Ini"));
        QFile::remove(work.PathOf("ZipEstimates.txt"));
    }
    void cleanup() {
        SetProgramIniPath(QString());
        QDir::setCurrent(previousDir);
    }

    void zipHoldsTheFileUnderItsBareName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("size");
        QTest::newRow("text") << "notes.txt" << 0;
        QTest::newRow("random megabyte") << "data.bin" << 1048576;
        QTest::newRow("name with spaces") << "my file.doc" << 5000;
    }
    void zipHoldsTheFileUnderItsBareName() {
        QFETCH(QString, name);
        QFETCH(int, size);
        TempTree tree;
        const QByteArray content =
            size ? TempTree::PseudoRandomBytes(size, name) : QByteArray("hello hello hello\n", 18);
        tree.Write("deep/dir/" + name, content);
        const QString zip = tree.PathOf("out/00000003.zip");
        QDir().mkpath(tree.PathOf("out"));

        QCOMPARE(ZipFiles(zip, tree.PathOf("deep/dir/"), {name}, 1, false), 0);
        QVERIFY(QFile::exists(zip));

        const QString unzip = QStandardPaths::findExecutable("unzip");
        if (unzip.isEmpty())
            QSKIP("no unzip program to read the archive with");
        int code = -1;
        const QByteArray listing = Run(unzip, {"-Z1", zip}, &code);
        QCOMPARE(code, 0);
        QCOMPARE(QString::fromUtf8(listing).trimmed(), name);
        QCOMPARE(Run(unzip, {"-p", zip, name}), content);
    }

    void textShrinks() {
        TempTree tree;
        tree.Write("a.txt", QByteArray("the same line again\n").repeated(5000));
        const QString zip = tree.PathOf("a.zip");
        QCOMPARE(ZipFiles(zip, tree.Root(), {"a.txt"}, 1, false), 0);
        QVERIFY(QFileInfo(zip).size() < QFileInfo(tree.PathOf("a.txt")).size() / 10);
    }

    // The local header tells the deflate level in bits 1 and 2 of its flags: 0 for the normal
    // level a zip tool uses, 1 for the best and slowest.
    void textIsDeflatedAtTheUsualLevel() {
        TempTree tree;
        tree.Write("a.txt", QByteArray("the same line again\n").repeated(5000));
        const QString zip = tree.PathOf("a.zip");
        QCOMPARE(ZipFiles(zip, tree.Root(), {"a.txt"}, 1, false), 0);
        QFile file(zip);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray header = file.read(10);
        QCOMPARE(header.left(4), QByteArray("PK\x03\x04"));
        QCOMPARE(quint8(header[8]), quint8(8)); // deflate
        QCOMPARE((quint8(header[6]) >> 1) & 3, 0);
    }

    void estimateLineIsAppended() {
        TempTree tree({"big.bin:1048576"});
        Zipper zipper; // the zips of one run
        QCOMPARE(zipper.Files(tree.PathOf("a.zip"), tree.Root(), {"big.bin"}, 1, false), 0);
        QCOMPARE(zipper.Files(tree.PathOf("b.zip"), tree.Root(), {"big.bin"}, 1, false), 0);
        QFile log(work.PathOf("ZipEstimates.txt"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = log.readAll().split('\n');
        QCOMPARE(lines.size(), 3); // two lines, each ending in CR LF
        const QList<QByteArray> fields = lines[0].trimmed().split(',');
        QCOMPARE(fields.size(), 5);
        QCOMPARE(fields[0], QByteArray("1"));
        const qint64 total = fields[1].toLongLong();
        QVERIFY(total >= 1048576); // the root directory's length counts as well
        QCOMPARE(fields[2].toLongLong(), ZipEstimateUnits(double(total)));
        QCOMPARE(fields[4].toLongLong(), fields[2].toLongLong() - fields[3].toLongLong());
        QVERIFY(lines[0].endsWith('\r'));
        // The second zip logs how the first one's estimate went.
        QVERIFY(StatusLog::Instance().Text().contains(QStringLiteral("Todo:")));
    }

    void progressIsReportedInPercent() {
        TempTree tree({"big.bin:2097152"});
        QList<double> seen;
        Zipper zipper;
        zipper.SetProgressListener([&seen](double percent) { seen.append(percent); });
        QCOMPARE(zipper.Files(tree.PathOf("a.zip"), tree.Root(), {"big.bin"}, 1, false), 0);
        QVERIFY(!seen.isEmpty());
        for (int i = 1; i < seen.size(); ++i)
            QVERIFY(seen[i] >= seen[i - 1]);
        QVERIFY(seen.last() > 50);
        QVERIFY(zipper.PercentDone() > 50);
    }

    void abortStopsTheZip() {
        TempTree tree({"big.bin:4194304"});
        const QString zip = tree.PathOf("a.zip");
        Zipper zipper;
        zipper.SetProgressListener([&zipper](double) { zipper.Abort(); });
        QVERIFY(zipper.Files(zip, tree.Root(), {"big.bin"}, 1, false) != 0);
        QVERIFY(!QFile::exists(zip));
        // The next zip starts with the flag cleared.
        zipper.SetProgressListener(nullptr);
        QCOMPARE(zipper.Files(zip, tree.Root(), {"big.bin"}, 1, false), 0);
    }

    // A zip made for the run on another thread is deflated in chunks of 256 KiB on every core;
    // the pieces must join into one stream that another program reads back with the right CRC,
    // across chunk edges and for text that repeats across them.
    void chunkedZipReadsBack_data() {
        QTest::addColumn<QByteArray>("content");
        const QByteArray words("backup medium restore version history zip ");
        QByteArray varied;
        for (int i = 0; varied.size() < 900000; ++i)
            varied += words.mid(i % 37, 5 + i % 11) + QByteArray::number(i % 997) + ' ';
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("one byte") << QByteArray("x");
        QTest::newRow("exactly one chunk") << QByteArray(words).repeated(6242).left(262144);
        QTest::newRow("one chunk and a byte") << QByteArray(words).repeated(6242).left(262145);
        QTest::newRow("text over four chunks") << varied;
        QTest::newRow("random over two chunks") << TempTree::PseudoRandomBytes(600000, "r");
    }
    void chunkedZipReadsBack() {
        QFETCH(QByteArray, content);
        const QString unzip = QStandardPaths::findExecutable("unzip");
        if (unzip.isEmpty())
            QSKIP("no unzip program to read the archive with");
        TempTree tree;
        tree.Write("in/file.txt", content);
        const QString source = tree.PathOf("in/file.txt");
        const QString zip = tree.PathOf("file.zip");
        Zipper zipper;
        ZipProgress progress;
        progress.epoch = zipper.Epoch();
        QCOMPARE(zipper.Elsewhere(zip, source, platform::StateOf(source), progress), 0);
        QCOMPARE(progress.fraction.load(), 1.0);
        int code = -1;
        Run(unzip, {"-tq", zip}, &code);
        QCOMPARE(code, 0);
        QCOMPARE(Run(unzip, {"-p", zip, "file.txt"}), content);
    }

    // The archive is written straight into its file: a disk that fills up mid-way must end in a
    // failure and leave no half archive behind, on the run's thread and on another.
    void aFullDiskLeavesNoZip_data() {
        QTest::addColumn<bool>("elsewhere");
        QTest::newRow("on the run's thread") << false;
        QTest::newRow("on another thread") << true;
    }
    void aFullDiskLeavesNoZip() {
        QFETCH(bool, elsewhere);
        SmallFileSystem small(256);
        if (!small.IsMounted())
            QSKIP("cannot mount a small file system here");
        TempTree tree;
        tree.Write("big.bin", TempTree::PseudoRandomBytes(600000, "full"));
        const QString source = tree.PathOf("big.bin");
        const QString zip = small.Root() + "big.zip";
        Zipper zipper;
        ZipProgress progress;
        progress.epoch = zipper.Epoch();
        const int result = elsewhere
                               ? zipper.Elsewhere(zip, source, platform::StateOf(source), progress)
                               : ZipFiles(zip, tree.Root(), {"big.bin"}, 1, false);
        QVERIFY(result != 0);
        QVERIFY(!QFile::exists(zip));
    }

    void failures_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("count");
        QTest::newRow("missing file") << "gone.txt" << 1;
        QTest::newRow("more than a hundred names") << "a.txt" << 101;
    }
    void failures() {
        QFETCH(QString, name);
        QFETCH(int, count);
        TempTree tree({"a.txt=x"});
        const QString zip = tree.PathOf("a.zip");
        QVERIFY(ZipFiles(zip, tree.Root(), QStringList(count, name), count, false) != 0);
        QVERIFY(!QFile::exists(zip));
    }
};

QTEST_GUILESS_MAIN(TestZipper)
#include "tst_zipper.moc"
