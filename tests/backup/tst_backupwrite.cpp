// What lands on the media: the layout of a medium, files laid out first-fit and spanned over
// media, substitute names, zipped copies, and files that change or vanish under the run.

#include "backupfixture.h"
#include "cancelflag.h"
#include "faultinjector.h"
#include "model.h"
#include "platform.h"
#include "programfiles.h"
#include "scriptedprompt.h"
#include "sizerules.h"
#include "smallfilesystem.h"
#include "statuslog.h"
#include "stopquestions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMap>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTest>
#include <atomic>

namespace {

const QString FileErrors =
    QStringLiteral("One or more file errors occured during the backup operation!");

QByteArray ReadAll(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The same length, new bytes and a later time. Also called on a copying thread: no QVERIFY.
void RewriteLater(const QString &path) {
    QFile file(path);
    if (file.open(QIODevice::ReadWrite) && file.write("abcdefghij") == 10)
        file.setFileTime(QDateTime::currentDateTime().addSecs(60),
                         QFileDevice::FileModificationTime);
}

} // namespace

class TestBackupWrite : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void mediumLayout() {
        BackupFixture fx;
        fx.tree.Add({"data/a.txt=alpha", "data/sub/b.bin:5000"});
        fx.AddDirectory(fx.Data());
        ScriptedPrompt prompt;
        const BackupResult result = fx.Run();
        QVERIFY(result.finished);
        QVERIFY(!result.fileErrors);
        const QString medium = fx.MediumDir(1, 1);
        const QString in = medium + "!IN_HERE!/";
        QCOMPARE(ReadAll(in + "Media.ID"), QByteArray("1\r\n"));
        QVERIFY(ReadAll(in + "!ReadMe.txt")
                    .startsWith("Please insert the last media in the backup set to restore "
                                "files!\r\n\r\n"));
        QVERIFY(QFile::exists(in + "Backup.Ini"));
        for (const ProgramFile &file : ProgramFiles())
            QCOMPARE(ReadAll(in + file.name), ReadAll(file.source));
        const QString rel = medium + platform::RelativeForm(fx.Data());
        QCOMPARE(ReadAll(rel + "a.txt"), QByteArray("alpha"));
        QCOMPARE(ReadAll(rel + "sub/b.bin"), fx.tree.Read("data/sub/b.bin"));
        const FileRecord *a = fx.Record(fx.Data("a.txt"));
        QVERIFY(a);
        QCOMPARE(a->VersionsLast(), 0);
        QCOMPARE(a->Versions[0].MediumIndex, 0);
        QCOMPARE(a->Versions[0].Size, 5.0 / 1024);
        // Saving keeps a default stored name empty.
        QVERIFY(a->Versions[0].StoredName.isEmpty() ||
                a->Versions[0].StoredName == a->DefaultStoredName());
        QCOMPARE(TheModel().MediaLast(), 0);
        QVERIFY(fx.view.stages.contains("Setting File Attributes"));
        QCOMPARE(fx.view.stages.last(), QStringLiteral("Finished"));
    }

    void firstFitOverSeveralMedia() {
        BackupFixture fx;
        // Kilobyte clusters: on disk the files take 196, 147, 118, 88, 59, 30 and 10 KB, and a
        // 330 KB medium keeps some 24 KB for the program files.
        fx.tree.Add({"data/f1.bin:200000", "data/f2.bin:150000", "data/f3.bin:120000",
                     "data/f4.bin:90000", "data/f5.bin:60000", "data/f6.bin:30000",
                     "data/f7.bin:10000"});
        fx.SetMedia(330, 1024, true);
        fx.AddDirectory(fx.Data());
        ScriptedPrompt prompt;
        QVERIFY(fx.Run().finished);
        const QList<int> expected = {0, 1, 1, 0, 2, 1, 0};
        for (int i = 0; i < 7; ++i) {
            const QString name = QStringLiteral("f%1.bin").arg(i + 1);
            const FileRecord *file = fx.Record(fx.Data(name));
            QVERIFY(file);
            QCOMPARE(file->VersionsLast(), 0);
            QCOMPARE(file->Versions[0].MediumIndex, expected[i]);
            QCOMPARE(ReadAll(fx.MediumDir(1, expected[i] + 1) + platform::RelativeForm(fx.Data()) +
                             name),
                     fx.tree.Read("data/" + name));
        }
        QCOMPARE(TheModel().MediaLast(), 2);
        QCOMPARE(ReadAll(fx.MediumDir(1, 3) + "!IN_HERE!/Media.ID"), QByteArray("3\r\n"));
    }

    void spannedOverMedia() {
        BackupFixture fx;
        fx.tree.Add({"data/big.bin:700000", "data/small.bin:5000"});
        fx.SetMedia(330, 1024, true);
        fx.AddDirectory(fx.Data());
        ScriptedPrompt prompt;
        QVERIFY(fx.Run().finished);
        QCOMPARE(TheModel().MediaLast(), 2);
        QByteArray joined;
        for (int medium = 1; medium <= 3; ++medium) {
            const QString piece = fx.MediumDir(1, medium) + "Spanned/00000000/big.bin";
            QVERIFY2(QFile::exists(piece), qPrintable(piece));
            // A piece leaves at least one cluster of its medium free.
            QVERIFY(ClusterBytes(QFile(piece).size(), 1024) <= (330 - 14) * 1024);
            joined += ReadAll(piece);
        }
        QCOMPARE(joined, fx.tree.Read("data/big.bin"));
        const VersionRecord &big = fx.Record(fx.Data("big.bin"))->Versions[0];
        QVERIFY(big.Spanned);
        QCOMPARE(big.MediumIndex, 0);
        QCOMPARE(big.SpanLength, 2);
        QCOMPARE(big.StoredName, QStringLiteral("Spanned/00000000/big.bin"));
        // The first two media are full, so the small file waits for the third.
        QCOMPARE(fx.Record(fx.Data("small.bin"))->Versions[0].MediumIndex, 2);
    }

    void substituteNames() {
        BackupFixture fx;
        const QString longC = QString(70, QLatin1Char('n')) + ".c";
        const QString longPlain = QString(70, QLatin1Char('p'));
        fx.tree.Add({"data/" + longC + "=first", "data/" + longPlain + "=second second"});
        fx.AddDirectory(fx.Data());
        ScriptedPrompt prompt;
        QVERIFY(fx.Run().finished);
        // Larger files come first, so the plain name gets the first number.
        const QString errDir = fx.MediumDir(1, 1) + "ErrDir/";
        QCOMPARE(ReadAll(errDir + "00000000.txt"), QByteArray("second second"));
        QCOMPARE(ReadAll(errDir + "00000001.cxx"), QByteArray("first"));
        QCOMPARE(ReadAll(errDir + "!ErrFile.txt"),
                 ("\"00000000.txt\" <<<<< \"" + fx.Data(longPlain) + "\"\r\n\"00000001.cxx\" " +
                  "<<<<< \"" + fx.Data(longC) + "\"\r\n")
                     .toUtf8());
        QCOMPARE(fx.Record(fx.Data(longC))->Versions[0].StoredName,
                 QStringLiteral("ErrDir/00000001.cxx"));
    }

    void zippedCopies_data() {
        QTest::addColumn<bool>("force");
        QTest::newRow("small files end zipping") << false;
        QTest::newRow("forced zipping keeps on") << true;
    }
    void zippedCopies() {
        QFETCH(bool, force);
        BackupFixture fx;
        fx.tree.Write("data/text.txt", QByteArray("line of text\n").repeated(4000));
        fx.tree.Write("data/photo.JPG", QByteArray("not really a picture\n").repeated(2000));
        fx.tree.Write("data/tiny.txt", QByteArray(900, 'a'));
        fx.AddDirectory(fx.Data());
        ScriptedPrompt prompt;
        BackupOptions options;
        options.chkZip = true;
        options.chkDontZip = true;
        options.chkForceZip = force;
        QVERIFY(fx.Run(options).finished);
        const QString rel = fx.MediumDir(1, 1) + platform::RelativeForm(fx.Data());
        const FileRecord *text = fx.Record(fx.Data("text.txt"));
        QVERIFY(text->Versions[0].Zipped);
        QVERIFY(text->Versions[0].ZippedSize < text->Versions[0].Size);
        QCOMPARE(text->Versions[0].StoredName, text->DefaultStoredName() + ".zip");
        QVERIFY(QFile::exists(rel + "text.txt.zip"));
        QVERIFY(!QFile::exists(rel + "text.txt"));
        const QString unzip = QStandardPaths::findExecutable("unzip");
        if (!unzip.isEmpty()) {
            QProcess process;
            process.start(unzip, {"-p", rel + "text.txt.zip", "text.txt"});
            QVERIFY(process.waitForFinished(60000));
            QCOMPARE(process.readAllStandardOutput(), fx.tree.Read("data/text.txt"));
        }
        QVERIFY(!fx.Record(fx.Data("photo.JPG"))->Versions[0].Zipped);
        QCOMPARE(ReadAll(rel + "photo.JPG"), fx.tree.Read("data/photo.JPG"));
        QCOMPARE(fx.Record(fx.Data("tiny.txt"))->Versions[0].Zipped, force);
        QCOMPARE(fx.view.zipStates.first(), force ? "Zipping On - Forced" : "Zipping On");
        QCOMPARE(fx.view.zipStates.contains("Zipping Off - Files less than 1kb now"), !force);
        QCOMPARE(fx.view.totals.count, force ? 2 : 1);
        QVERIFY(prompt.Texts().join("\n").contains("Zipping all files turned :\n"));
        QVERIFY(QDir(TheModel().Settings.TempDirectory).entryList(QDir::Files).isEmpty());
    }

    // Each medium is filled by its own pass over the list, so small files go onto the first
    // medium before the larger text files that only fit a later one.
    void zippingIsDecidedPerFileOverSeveralMedia_data() {
        QTest::addColumn<bool>("force");
        QTest::newRow("files under 1 KB stay plain") << false;
        QTest::newRow("forced zipping zips them too") << true;
    }
    void zippingIsDecidedPerFileOverSeveralMedia() {
        QFETCH(bool, force);
        BackupFixture fx;
        // Kilobyte clusters on a 330 KB medium: big1 leaves about 20 KB of the first medium,
        // where only the smaller text files fit; the larger ones wait for the second.
        fx.tree.Add({"data/big1.bin:290000", "data/big2.bin:250000"});
        const QByteArray line("a line of text that repeats\n");
        const QMap<QString, int> texts = {
            {"t40.txt", 40000}, {"t30.txt", 30000}, {"t12.txt", 12000}, {"t2.txt", 2000},
            {"s1.txt", 700},    {"s2.txt", 600},    {"s3.txt", 500}};
        for (auto it = texts.begin(); it != texts.end(); ++it)
            fx.tree.Write("data/" + it.key(),
                          line.repeated(it.value() / line.size() + 1).left(it.value()));
        fx.SetMedia(330, 1024, true);
        fx.AddDirectory(fx.Data());
        QHash<QString, QString> shownFor; // the zipping label as each file is written
        fx.view.onFile = [&](const QString &path) {
            shownFor.insert(QFileInfo(path).fileName(), fx.view.zipStates.last());
        };
        ScriptedPrompt prompt;
        prompt.Expect("Zipping all files turned :");
        BackupOptions options;
        options.chkZip = true;
        options.chkForceZip = force;
        QVERIFY(fx.Run(options).finished);
        QSet<int> textMedia;
        for (auto it = texts.begin(); it != texts.end(); ++it) {
            const VersionRecord &version = fx.Record(fx.Data(it.key()))->Versions.at(0);
            const bool zipped = force || it.value() >= 1024;
            QVERIFY2(version.Zipped == zipped, qPrintable(it.key()));
            QCOMPARE(shownFor.value(it.key()), force    ? "Zipping On - Forced"
                                               : zipped ? "Zipping On"
                                                        : "Zipping Off - Files less than 1kb now");
            if (it.value() >= 1024)
                textMedia.insert(version.MediumIndex);
        }
        QVERIFY(textMedia.size() > 1);
        QCOMPARE(fx.view.totals.count, force ? 7 : 4);
        QVERIFY(QDir(TheModel().Settings.TempDirectory).entryList(QDir::Files).isEmpty());
    }

    // Files are zipped ahead while others are written: a button pressed during a zip still acts
    // at once, and no zip made ahead outlives the run.
    void pressedWhileZipping_data() {
        QTest::addColumn<QString>("press");
        QTest::newRow("Cancel, Yes: nothing kept") << "cancel";
        QTest::newRow("Stop, Yes: the file at hand is the last") << "stop";
        QTest::newRow("Pause, OK: the run goes on") << "pause";
    }
    void pressedWhileZipping() {
        QFETCH(QString, press);
        BackupFixture fx;
        const QByteArray line("words of a text file that repeat\n");
        for (int i = 0; i < 5; ++i)
            fx.tree.Write(QStringLiteral("data/t%1.txt").arg(i), line.repeated(100000 - i * 1000));
        fx.AddDirectory(fx.Data());
        ScriptedPrompt prompt;
        if (press == "cancel") {
            prompt.AnswerTo(Question::ReallyCancel, MsgAnswer::Yes);
        } else {
            prompt.AnswerTo(press == "stop" ? Question::StopBackup : Question::Paused,
                            press == "stop" ? MsgAnswer::Yes : MsgAnswer::OK);
            prompt.Expect("Zipping all files turned :");
        }
        int pressed = 0;
        fx.view.onCopyLabel = [&](const QString &text) {
            if (!text.startsWith("Zipping Approx") || pressed++ > 0)
                return;
            if (press == "cancel")
                AskCancel(fx.control);
            else if (press == "stop")
                AskStop(fx.control, fx.view);
            else
                AskPause(fx.control);
        };
        // Gone by the time the run saves its history or cancels, not only when it ends.
        QStringList leftWhenWritten = {"not looked at"};
        fx.view.onStage = [&](const QString &caption) {
            if (caption == "Saving Files" || caption == "Cancelling")
                leftWhenWritten =
                    QDir(TheModel().Settings.TempDirectory).entryList(QDir::Files | QDir::Hidden);
        };
        BackupOptions options;
        options.chkZip = true;
        const BackupResult result = fx.Run(options);
        QCOMPARE(result.finished, press != "cancel");
        QCOMPARE(leftWhenWritten, QStringList());
        QCOMPARE(QDir(TheModel().Settings.TempDirectory).entryList(QDir::Files | QDir::Hidden),
                 QStringList());
        if (press == "cancel") {
            QCOMPARE(TheModel().BackupsLast(), -1);
            return;
        }
        for (int i = 0; i < 5; ++i) {
            const FileRecord *file = fx.Record(fx.Data(QStringLiteral("t%1.txt").arg(i)));
            const bool kept = press == "pause" || i == 0;
            QCOMPARE(file->Versions.size(), kept ? 1 : 0);
            if (kept)
                QVERIFY(file->Versions[0].Zipped);
        }
    }

    void sourceChangesUnderTheRun_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("recorded");
        QTest::newRow("vanished") << "vanish" << false;
        QTest::newRow("grew") << "grow" << false;
        QTest::newRow("shrank") << "shrink" << false;
        // The same length read whole after the change is a sound copy of the new content.
        QTest::newRow("rewritten at the same length") << "rewrite" << true;
        // Between the first block read and the end: what was copied is half old, half new.
        QTest::newRow("rewritten while copied") << "during" << false;
    }
    void sourceChangesUnderTheRun() {
        QFETCH(QString, change);
        QFETCH(bool, recorded);
        BackupFixture fx;
        fx.tree.Add({"data/first.bin:50000", "data/victim.txt=0123456789", "data/last.txt=x"});
        fx.AddDirectory(fx.Data());
        ScriptedPrompt prompt;
        const QString victim = fx.Data("victim.txt");
        const QString stored = fx.MediumDir(1, 1) + platform::RelativeForm(victim);
        // Reads pass the fault point on the copying thread; once the victim's copy has made its
        // target, the source is rewritten under it.
        struct Rewrite {
            QString source, target;
            std::atomic<bool> done{false};
            static int Hook(platform::FaultPoint point, void *context) {
                auto *rewrite = static_cast<Rewrite *>(context);
                if (point == platform::FaultPoint::Read && QFile::exists(rewrite->target) &&
                    !rewrite->done.exchange(true))
                    RewriteLater(rewrite->source);
                return 0;
            }
        } during{victim, stored};
        if (change == "during")
            platform::SetFaultHook(&Rewrite::Hook, &during);
        fx.view.onFile = [&](const QString &path) {
            if (!path.endsWith("first.bin") || change == "during")
                return;
            if (change == "vanish")
                QFile::remove(victim);
            else if (change == "grow")
                fx.tree.Write("data/victim.txt", "0123456789 and more");
            else if (change == "shrink")
                fx.tree.Write("data/victim.txt", "0123");
            else
                RewriteLater(victim);
        };
        const BackupResult result = fx.Run();
        platform::SetFaultHook(nullptr, nullptr);
        QVERIFY(result.finished);
        QCOMPARE(during.done, change == "during");
        QCOMPARE(result.fileErrors, !recorded);
        QCOMPARE(prompt.Texts().contains(FileErrors), !recorded);
        QCOMPARE(fx.Record(victim)->Versions.isEmpty(), !recorded);
        QCOMPARE(QFile::exists(stored), recorded);
        if (recorded)
            QCOMPARE(ReadAll(stored), QByteArray("abcdefghij"));
        else if (change != "vanish")
            QVERIFY(platform::ArchiveAttributeSet(victim));
        QCOMPARE(fx.Record(fx.Data("last.txt"))->VersionsLast(), 0);
        QCOMPARE(fx.Record(fx.Data("first.bin"))->VersionsLast(), 0);
    }

    void changedAfterItsCopyStaysMarked() {
        BackupFixture fx;
        fx.tree.Add({"data/first.bin:50000", "data/second.txt=abc"});
        fx.AddDirectory(fx.Data());
        ScriptedPrompt prompt;
        // Every copy has ended when the history is saved; the marks are cleared after that.
        fx.view.onStage = [&](const QString &stage) {
            if (stage == QLatin1String("Saving Files"))
                fx.tree.Write("data/first.bin", "rewritten after its copy");
        };
        QVERIFY(fx.Run().finished);
        QCOMPARE(fx.Record(fx.Data("first.bin"))->VersionsLast(), 0);
        QVERIFY(platform::ArchiveAttributeSet(fx.Data("first.bin")));
        QVERIFY(!platform::ArchiveAttributeSet(fx.Data("second.txt")));
    }

    void missingProgramFileIsReportedAtTheEnd() {
        BackupFixture fx;
        fx.tree.Add({"data/a.txt=a"});
        QVERIFY(QFile::remove(fx.tree.PathOf("prog/!Help.Htm")));
        fx.AddDirectory(fx.Data());
        ScriptedPrompt prompt;
        const BackupResult result = fx.Run();
        QVERIFY(result.finished);
        QVERIFY(result.fileErrors);
        QCOMPARE(prompt.Texts().last(), FileErrors);
        QCOMPARE(fx.Record(fx.Data("a.txt"))->VersionsLast(), 0);
    }

    // When the history cannot be saved, no file may lose its mark: the saved history does not
    // hold their new versions, so only the mark brings them into the next backup.
    void failedFinalSaveMarksNothing_data() {
        QTest::addColumn<int>("point");
        QTest::newRow("cannot be created") << int(FaultInjector::Point::Open);
        QTest::newRow("disk full while writing") << int(FaultInjector::Point::Write);
        QTest::newRow("disk full when flushed") << int(FaultInjector::Point::Flush);
    }
    void failedFinalSaveMarksNothing() {
        QFETCH(int, point);
        BackupFixture fx;
        fx.tree.Add({"data/a.txt=alpha", "data/b.bin:3000"});
        fx.AddDirectory(fx.Data());
        const QString ini = fx.tree.PathOf("prog/Backup.Ini");
        QFile::remove(ini);
        ScriptedPrompt prompt;
        FaultInjector faults;
        fx.view.onStage = [&](const QString &stage) {
            if (stage == QLatin1String("Saving Files"))
                faults.FailAt(FaultInjector::Point(point), 1, ENOSPC);
        };
        const BackupResult result = fx.Run();
        QVERIFY(faults.Fired(FaultInjector::Point(point)));
        QVERIFY(result.saveFailed);
        QVERIFY(platform::ArchiveAttributeSet(fx.Data("a.txt")));
        QVERIFY(platform::ArchiveAttributeSet(fx.Data("b.bin")));
        QVERIFY(!QFile::exists(ini));
        QVERIFY(prompt.Texts().join('\n').contains("Error was : 61. Disk full"));
        QVERIFY(!fx.view.stages.contains("Setting File Attributes"));
    }

    // Copies made beside the one at hand fail as any copy does on a full medium: each is asked
    // about, left out and kept marked, nothing of it stays on the medium, and the room it would
    // have taken goes to the next file.
    void fullMediumFailsEachCopyOnItsOwn() {
        SmallFileSystem disk(1024);
        if (!disk.IsMounted())
            QSKIP("mounting a small file system needs the right to mount");
        BackupFixture fx;
        TheModel().Settings.BackupDirectory = disk.Root();
        QStringList names;
        for (int i = 0; i < 12; ++i) {
            names.append(QStringLiteral("f%1.bin").arg(i));
            // Sizes apart, so that the order of the copies is known.
            fx.tree.Add({QStringLiteral("data/%1:%2").arg(names.last()).arg(150000 - i * 1000)});
        }
        fx.AddDirectory(fx.Data());
        ScriptedPrompt prompt;
        // How many copies the disk takes depends on its file system: enough answers for all.
        prompt.AnswerTo(Question::AbortOperation, MsgAnswer::No, int(names.size())).ExpectUnused();
        prompt.Expect(FileErrors);
        const BackupResult result = fx.Run();
        QVERIFY(result.fileErrors);
        int recorded = 0;
        for (const QString &name : names) {
            const QString stored =
                disk.Root() + "Backup001/MEDIA001/" + platform::RelativeForm(fx.Data(name));
            const bool kept = !fx.Record(fx.Data(name))->Versions.isEmpty();
            recorded += kept;
            QCOMPARE(QFile::exists(stored), kept);
            QCOMPARE(platform::ArchiveAttributeSet(fx.Data(name)), !kept);
            if (kept)
                QCOMPARE(ReadAll(stored), ReadAll(fx.Data(name)));
        }
        QVERIFY(recorded > 0 && recorded < names.size());
        const QStringList asked = prompt.Texts().filter(QStringLiteral("Copy failed."));
        QCOMPARE(asked.size(), names.size() - recorded);
        QVERIFY(asked.first().contains(QStringLiteral("Error was : 61. Disk full")));
    }

    void skipCopyRecordsOnly() {
        BackupFixture fx;
        fx.tree.Add({"data/a.txt=a"});
        fx.AddDirectory(fx.Data());
        ScriptedPrompt prompt;
        BackupOptions options;
        options.chkSkip = true;
        QVERIFY(fx.Run(options).finished);
        QCOMPARE(fx.Record(fx.Data("a.txt"))->VersionsLast(), 0);
        QVERIFY(!QFile::exists(fx.MediumDir(1, 1) + platform::RelativeForm(fx.Data("a.txt"))));
        QVERIFY(QFile::exists(fx.MediumDir(1, 1) + "!IN_HERE!/Media.ID"));
        QVERIFY(!platform::ArchiveAttributeSet(fx.Data("a.txt")));
    }
};

QTEST_GUILESS_MAIN(TestBackupWrite)
#include "tst_backupwrite.moc"
