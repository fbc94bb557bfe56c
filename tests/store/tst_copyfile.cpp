// The byte-range copier: blocks, positions, progress, cancel and file errors.

#include "cancelflag.h"
#include "copyfile.h"
#include "scriptedprompt.h"
#include "temptree.h"
#include "textutil.h"

#include <QDateTime>
#include <QFileInfo>
#include <QTest>

#include <atomic>
#include <functional>
#include <optional>
#include <thread>

namespace {

constexpr qint64 MiB = 1048576;

// Records what a copy shows, and can act on the first label the way a Cancel button would.
class RecordingView : public CopyProgressView {
public:
    QStringList labels;
    QList<double> fractions;
    std::function<void()> onLabel;

    void SetCopyLabel(const QString &text) override {
        labels.append(text);
        if (onLabel)
            onLabel();
    }
    void SetCopyFraction(double fraction) override { fractions.append(fraction); }
};

QString CopyError(const QString &from, const QString &to, const QString &errorWas) {
    return QStringLiteral("A file error occured whilst copying a file.\nCopy failed.\nFrom : ") +
           from + QStringLiteral("\nTo : ") + to + QStringLiteral("\nError was : ") + errorWas +
           QStringLiteral("\nAbort current operation?");
}

} // namespace

class TestCopyFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { SetCancelFlag(false); }
    void cleanup() { SetCancelFlag(false); }

    void zeroLengthWritesNothing() {
        TempTree tree({"src.bin:100", "dst.bin=keep"});
        RecordingView view;
        QVERIFY(CopyFileRange(tree.PathOf("src.bin"), tree.PathOf("dst.bin"), 1, 0, 1, &view));
        QCOMPARE(tree.Read("dst.bin"), QByteArray("keep"));
        QCOMPARE(view.labels, QStringList{"---"});
        QCOMPARE(view.fractions, QList<double>{1.0});
    }

    // The copy of an empty file is the empty file itself, not a missing one.
    void zeroLengthCreatesTheDestination() {
        TempTree tree({"empty.txt"});
        QVERIFY(CopyFileRange(tree.PathOf("empty.txt"), tree.PathOf("copy.txt"), 1, 0, 1, nullptr));
        const QFileInfo copy(tree.PathOf("copy.txt"));
        QVERIFY(copy.isFile());
        QCOMPARE(copy.size(), 0);
    }

    // Progress after each block: the first is one block, later ones may grow while the system
    // copies them quickly, and the last report is the end.
    void wholeFile_data() {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<QString>("first");
        QTest::newRow("a few bytes") << qint64(10) << "---";
        QTest::newRow("exactly one block") << MiB << "---";
        QTest::newRow("one byte over a block") << MiB + 1 << "1024 KB Of 1 MB (file)";
        QTest::newRow("several blocks") << 3 * MiB + 100 << "1024 KB Of 3 MB (file)";
    }
    void wholeFile() {
        QFETCH(qint64, size);
        QFETCH(QString, first);
        TempTree tree({"src.bin:" + QString::number(size)});
        RecordingView view;
        QVERIFY(CopyFileRange(tree.PathOf("src.bin"), tree.PathOf("new.bin"), 1, double(size), 1,
                              &view, " (file)"));
        QCOMPARE(tree.Read("new.bin"), tree.Read("src.bin"));
        QCOMPARE(view.labels.first(), first);
        QCOMPARE(view.labels.last(), QStringLiteral("---"));
        QCOMPARE(view.fractions.size(), view.labels.size());
        QCOMPARE(view.fractions.last(), 1.0);
        for (qsizetype i = 0; i + 1 < view.fractions.size(); ++i) {
            QVERIFY(view.fractions[i] > (i ? view.fractions[i - 1] : 0.0));
            QVERIFY(view.fractions[i] < 1.0);
            QCOMPARE(view.labels[i], FormatSize(view.fractions[i] * double(size) / 1024) +
                                         QStringLiteral(" Of ") + FormatSize(double(size) / 1024) +
                                         QStringLiteral(" (file)"));
        }
    }

    void writesIntoPlaceWithoutTruncating() {
        TempTree tree({"src.bin:5000"});
        tree.Write("dst.bin", QByteArray(10000, 'x'));
        QVERIFY(CopyFileRange(tree.PathOf("src.bin"), tree.PathOf("dst.bin"), 101, 3000, 5001,
                              nullptr));
        const QByteArray result = tree.Read("dst.bin");
        QCOMPARE(result.size(), 10000);
        QCOMPARE(result.left(5000), QByteArray(5000, 'x'));
        QCOMPARE(result.mid(5000, 3000), tree.Read("src.bin").mid(100, 3000));
        QCOMPARE(result.mid(8000), QByteArray(2000, 'x'));
    }

    void piecesJoinIntoTheWhole() {
        const qint64 size = 2 * MiB + 777;
        const qint64 first = MiB + 5;
        TempTree tree({"src.bin:" + QString::number(size)});
        QVERIFY(CopyFileRange(tree.PathOf("src.bin"), tree.PathOf("piece1"), 1, first, 1, nullptr));
        QVERIFY(CopyFileRange(tree.PathOf("src.bin"), tree.PathOf("piece2"), first + 1,
                              size - first, 1, nullptr));
        QVERIFY(CopyFileRange(tree.PathOf("piece1"), tree.PathOf("joined"), 1, first, 1, nullptr));
        QVERIFY(CopyFileRange(tree.PathOf("piece2"), tree.PathOf("joined"), 1, size - first,
                              first + 1, nullptr));
        QCOMPARE(tree.Read("joined"), tree.Read("src.bin"));
    }

    void fileErrors_data() {
        QTest::addColumn<qint64>("sourceSize");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("destination");
        QTest::addColumn<qint64>("length");
        QTest::addColumn<QString>("errorWas");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("cancelled");
        QTest::newRow("source shorter than the range")
            << qint64(1000) << "%1src.bin"
            << "%1dst.bin" << qint64(1500) << "62. Input past end of file" << int(MsgAnswer::Yes)
            << true;
        QTest::newRow("source shrank after the first block")
            << MiB + 10 << "%1src.bin"
            << "%1dst.bin" << 2 * MiB << "62. Input past end of file" << int(MsgAnswer::No)
            << false;
        QTest::newRow("source missing")
            << qint64(0) << "%1none.bin"
            << "%1dst.bin" << qint64(10) << "53. File not found" << int(MsgAnswer::No) << false;
        QTest::newRow("disk full")
            << qint64(5000) << "%1src.bin"
            << "/dev/full" << qint64(5000) << "61. Disk full" << int(MsgAnswer::Yes) << true;
    }
    void fileErrors() {
        QFETCH(qint64, sourceSize);
        QFETCH(QString, source);
        QFETCH(QString, destination);
        QFETCH(qint64, length);
        QFETCH(QString, errorWas);
        QFETCH(int, answer);
        QFETCH(bool, cancelled);
        if (destination.startsWith("/dev/") && !QFileInfo::exists(destination))
            QSKIP("no such device here");
        TempTree tree({"src.bin:" + QString::number(sourceSize)});
        source = source.arg(tree.Root());
        destination = destination.arg(tree.Root());
        ScriptedPrompt prompt;
        prompt.AnswerTo(Question::AbortOperation, MsgAnswer(answer));
        RecordingView view;
        QVERIFY(!CopyFileRange(source, destination, 1, double(length), 1, &view));
        QCOMPARE(prompt.Texts(), QStringList{CopyError(source, destination, errorWas)});
        QCOMPARE(prompt.Prompts().first().buttons, MsgButtons::YesNo);
        QCOMPARE(CancelFlag(), cancelled);
        QVERIFY(!view.labels.contains("---"));
    }

    void cancelledBeforeTheFirstBlock() {
        TempTree tree({"src.bin:5000"});
        ScriptedPrompt prompt;
        SetCancelFlag(true);
        QVERIFY(
            !CopyFileRange(tree.PathOf("src.bin"), tree.PathOf("dst.bin"), 1, 5000, 1, nullptr));
        QCOMPARE(QFileInfo(tree.PathOf("dst.bin")).size(), 0);
        QVERIFY(prompt.Prompts().isEmpty());
    }

    void cancelledBetweenBlocks() {
        TempTree tree({"src.bin:" + QString::number(3 * MiB)});
        RecordingView view;
        view.onLabel = [] { SetCancelFlag(true); };
        QVERIFY(
            !CopyFileRange(tree.PathOf("src.bin"), tree.PathOf("dst.bin"), 1, 3 * MiB, 1, &view));
        QCOMPARE(view.labels.size(), 1);
        QCOMPARE(tree.Read("dst.bin"), tree.Read("src.bin").left(MiB));
    }

    // A pause holds copies made on another thread before their next block; going on lets the
    // copy end whole, a cancel ends it there.
    void heldCopyWaitsForTheRun_data() {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("continued") << false;
        QTest::newRow("cancelled") << true;
    }
    void heldCopyWaitsForTheRun() {
        QFETCH(bool, cancel);
        TempTree tree({"src.bin:" + QString::number(3 * MiB)});
        const QString source = tree.PathOf("src.bin");
        const platform::FileState measured = platform::StateOf(source);
        CopyHold hold;
        hold.Set(true);
        std::atomic<bool> ended = false;
        MeasuredCopy result = MeasuredCopy::Failed;
        std::optional<int> failure;
        std::thread aside([&] {
            int keepError = 0;
            result = CopyMeasuredFileQuietly(source, tree.PathOf("dst.bin"), 3 * MiB, measured,
                                             false, &keepError, &failure, &hold);
            ended = true;
        });
        QTest::qWait(100);
        const bool endedWhileHeld = ended;
        const qint64 writtenWhileHeld = QFileInfo(tree.PathOf("dst.bin")).size();
        if (cancel)
            SetCancelFlag(true);
        else
            hold.Set(false);
        aside.join();
        QVERIFY(!endedWhileHeld);
        QCOMPARE(writtenWhileHeld, 0);
        QVERIFY(!failure);
        QCOMPARE(result, cancel ? MeasuredCopy::Failed : MeasuredCopy::Copied);
        if (!cancel)
            QCOMPARE(tree.Read("dst.bin"), tree.Read("src.bin"));
    }

    // A backup's copy: a source that differs from its measure, before or during the copy, is
    // refused; an old longer file at the destination does not keep its tail; the copy takes the
    // measured mode and time, and a zip's copy (nothing measured) takes neither.
    void measuredCopy_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("measure");
        QTest::addColumn<int>("result");
        QTest::newRow("unchanged") << "" << true << int(MeasuredCopy::Copied);
        QTest::newRow("nothing measured") << "" << false << int(MeasuredCopy::Copied);
        QTest::newRow("changed before") << "before" << true << int(MeasuredCopy::ChangedBefore);
        QTest::newRow("changed during") << "during" << true << int(MeasuredCopy::ChangedDuring);
    }
    void measuredCopy() {
        QFETCH(QString, change);
        QFETCH(bool, measure);
        QFETCH(int, result);
        const qint64 size = 2 * MiB + 10;
        TempTree tree({"src.bin:" + QString::number(size)});
        tree.Write("dst.bin", QByteArray(3 * MiB, 'x'));
        const QString source = tree.PathOf("src.bin");
        QFile(source).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        QFile stamp(source);
        QVERIFY(stamp.open(QIODevice::ReadWrite));
        QVERIFY(stamp.setFileTime(QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6)),
                                  QFileDevice::FileModificationTime));
        stamp.close();
        const platform::FileState measured = platform::StateOf(source);
        const auto grow = [&] {
            QFile file(source);
            QVERIFY(file.open(QIODevice::Append));
            file.write("more");
        };
        if (change == "before")
            grow();
        RecordingView view;
        if (change == "during")
            view.onLabel = grow;
        int keepError = -1;
        QCOMPARE(int(CopyMeasuredRange(source, tree.PathOf("dst.bin"), 1, double(size),
                                       measure ? &measured : nullptr, &keepError, &view)),
                 result);
        if (result != int(MeasuredCopy::Copied))
            return;
        QCOMPARE(keepError, int(platform::ErrNone));
        QCOMPARE(tree.Read("dst.bin"), tree.Read("src.bin"));
        const platform::FileState copy = platform::StateOf(tree.PathOf("dst.bin"));
        QCOMPARE(copy == measured, measure);
        QCOMPARE(copy.mode == 0640u, measure);
    }
};

QTEST_GUILESS_MAIN(TestCopyFile)
#include "tst_copyfile.moc"
