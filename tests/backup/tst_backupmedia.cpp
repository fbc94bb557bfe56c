// The questions between media and the user's Stop, Pause and Cancel during a run: every answer
// path of the medium question, a stop that drops the medium that failed, a stop or cancel
// pressed while a file is written, and the directory check of the XP way.

#include "backupfixture.h"
#include "cancelflag.h"
#include "filestobackup.h"
#include "model.h"
#include "platform.h"
#include "scriptedprompt.h"
#include "stopquestions.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

const QString MustCancel = QStringLiteral("The backup must now be cancelled.");
const QString MustStop = QStringLiteral("The backup must now be stopped");
const QString StopNow = QStringLiteral("Stop the backup now?");

// Five files of 196 KB on disk, one per 330 KB medium.
void FiveMedia(BackupFixture &fx, bool xpWay = false) {
    for (int i = 1; i <= 5; ++i)
        fx.tree.Add({QStringLiteral("data/f%1.bin:%2").arg(i).arg(200000 + i)});
    fx.SetMedia(330, 1024, false, xpWay);
    fx.AddDirectory(fx.Data());
}

// The medium index of the file's latest version, -1 without one.
int MediumOf(const BackupFixture &fx, int file) {
    const FileRecord *record = fx.Record(fx.Data(QStringLiteral("f%1.bin").arg(file)));
    return record && !record->Versions.isEmpty() ? record->Versions.last().MediumIndex : -1;
}

// A user who writes each medium of the XP way and then empties the directory.
class BurningPrompt : public ScriptedPrompt {
public:
    QString dir;
    int cleared = 0;
    MsgAnswer AskQuestion(Question name, const QString &text, MsgButtons buttons,
                          const QString &title, MsgIcon icon) override {
        if (name == Question::DirectoryNotCleared && cleared < 10) {
            ++cleared;
            QDir(dir).removeRecursively();
            return MsgAnswer::OK;
        }
        return ScriptedPrompt::AskQuestion(name, text, buttons, title, icon);
    }
};

} // namespace

class TestBackupMedia : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyMediumIsConfirmed() {
        BackupFixture fx;
        FiveMedia(fx);
        ScriptedPrompt prompt;
        prompt.AnswerTo(Question::MediumWritten, MsgAnswer::Yes, 5);
        QVERIFY(fx.Run().finished);
        QCOMPARE(TheModel().MediaLast(), 4);
        const QStringList texts = prompt.Texts();
        QCOMPARE(texts[0], QStringLiteral("Please write the files to the media now.\n"
                                          "Then, remove the current media and label it "
                                          "\"Media1\".\nThen, insert the next media into the "
                                          "drive.\nWas this media written sucessfully?\n"));
        QCOMPARE(texts[4], QStringLiteral("Please write the files to the media now.\n"
                                          "Then, remove the current media and label it "
                                          "\"Media5\".\n\nWas this media written "
                                          "sucessfully?\n"));
        for (int i = 1; i <= 5; ++i)
            QCOMPARE(MediumOf(fx, 6 - i), i - 1); // largest first
    }

    void firstMediumCanOnlyBeCancelled_data() {
        QTest::addColumn<bool>("thenCancel");
        QTest::newRow("cancel it") << true;
        QTest::newRow("think again and accept") << false;
    }
    void firstMediumCanOnlyBeCancelled() {
        QFETCH(bool, thenCancel);
        BackupFixture fx;
        FiveMedia(fx);
        ScriptedPrompt prompt;
        prompt.AnswerTo(Question::MediumWritten, MsgAnswer::No);
        prompt.AnswerTo(Question::MustCancel, thenCancel ? MsgAnswer::Yes : MsgAnswer::No);
        // Asked again after thinking again, then for each of the five media.
        if (!thenCancel)
            prompt.AnswerTo(Question::MediumWritten, MsgAnswer::Yes, 5);
        const BackupResult result = fx.Run();
        QCOMPARE(result.finished, !thenCancel);
        QVERIFY(prompt.Texts().contains(MustCancel + "\nCancel the backup now?"));
        if (thenCancel) {
            QCOMPARE(TheModel().BackupsLast(), -1);
            QVERIFY(!QDir(fx.BackupDir() + "Backup001").exists());
            QVERIFY(fx.view.hidden);
            QVERIFY(!CancelFlag());
        } else {
            QCOMPARE(TheModel().MediaLast(), 4);
        }
    }

    void refusedMediumStopsTheRunThere() {
        BackupFixture fx;
        FiveMedia(fx);
        ScriptedPrompt prompt;
        prompt.AnswerTo(Question::MediumWritten, MsgAnswer::Yes, 2);
        prompt.AnswerTo(Question::MediumWritten, MsgAnswer::No);
        prompt.AnswerTo(Question::MustStop, MsgAnswer::Yes);
        prompt.AnswerTo(Question::StopBackup, MsgAnswer::Yes);
        const BackupResult result = fx.Run();
        QVERIFY(result.finished);
        QCOMPARE(TheModel().MediaLast(), 1);
        QVERIFY(QDir(fx.MediumDir(1, 2)).exists());
        QVERIFY(!QDir(fx.MediumDir(1, 3)).exists());
        QCOMPARE(MediumOf(fx, 5), 0);
        QCOMPARE(MediumOf(fx, 4), 1);
        QCOMPARE(MediumOf(fx, 3), -1);
        QVERIFY(platform::ArchiveAttributeSet(fx.Data("f3.bin")));
        QVERIFY(!platform::ArchiveAttributeSet(fx.Data("f4.bin")));
        // The stop question asked from between media offers only Yes and No.
        const QStringList texts = prompt.Texts();
        QVERIFY(texts.contains("This will make the backup stop now as if the files currently\n"
                               "backed up were the only ones to be backed up.\n" +
                               StopNow));
        QVERIFY(QFile::exists(fx.tree.PathOf("prog/Backup.Ini")));
    }

    void stopQuestionAnswersBetweenMedia_data() {
        QTest::addColumn<MsgAnswer>("first");
        QTest::newRow("No goes back to the medium question") << MsgAnswer::No;
        QTest::newRow("Cancel then No asks again") << MsgAnswer::Cancel;
    }
    void stopQuestionAnswersBetweenMedia() {
        QFETCH(MsgAnswer, first);
        BackupFixture fx;
        FiveMedia(fx);
        ScriptedPrompt prompt;
        prompt.AnswerTo(Question::MediumWritten, MsgAnswer::Yes);
        prompt.AnswerTo(Question::MediumWritten, MsgAnswer::No);
        prompt.AnswerTo(Question::MustStop, first);
        if (first == MsgAnswer::Cancel) {
            prompt.AnswerTo(Question::ReallyCancel, MsgAnswer::No);
            prompt.AnswerTo(Question::MustStop, MsgAnswer::No);
        }
        prompt.AnswerTo(Question::MediumWritten, MsgAnswer::Yes, 4);
        QVERIFY(fx.Run().finished);
        QCOMPARE(TheModel().MediaLast(), 4);
    }

    void cancelInTheMediumQuestion_data() {
        QTest::addColumn<bool>("really");
        QTest::newRow("really cancel") << true;
        QTest::newRow("changed mind") << false;
    }
    void cancelInTheMediumQuestion() {
        QFETCH(bool, really);
        BackupFixture fx;
        FiveMedia(fx);
        ScriptedPrompt prompt;
        prompt.AnswerTo(Question::MediumWritten, MsgAnswer::Yes);
        prompt.AnswerTo(Question::MediumWritten, MsgAnswer::Cancel);
        prompt.AnswerTo(Question::ReallyCancel, really ? MsgAnswer::Yes : MsgAnswer::No);
        // Asked again for the second medium, then for the three after it.
        if (!really)
            prompt.AnswerTo(Question::MediumWritten, MsgAnswer::Yes, 4);
        const BackupResult result = fx.Run();
        QCOMPARE(result.finished, !really);
        QCOMPARE(QDir(fx.BackupDir() + "Backup001").exists(), !really);
        QCOMPARE(TheModel().BackupsLast(), really ? -1 : 0);
    }

    void stopPressedWhileWriting_data() {
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<int>("media");
        QTest::newRow("Yes closes the medium after this file") << MsgAnswer::Yes << 2;
        QTest::newRow("No ends after the medium being filled") << MsgAnswer::No << 2;
        QTest::newRow("Cancel goes on") << MsgAnswer::Cancel << 3;
    }
    void stopPressedWhileWriting() {
        QFETCH(MsgAnswer, answer);
        QFETCH(int, media);
        BackupFixture fx;
        // On disk 284, 196, 196, 69 and 30 KB: a alone on the first 330 KB medium, c with both
        // small files on the second, b on the third.
        fx.tree.Add({"data/a.bin:290000", "data/c.bin:200001", "data/b.bin:200000",
                     "data/s1.bin:70000", "data/s2.bin:30000"});
        fx.SetMedia(330, 1024, false);
        fx.AddDirectory(fx.Data());
        ScriptedPrompt prompt;
        prompt.AnswerTo(Question::StopBackup, answer);
        prompt.AnswerTo(Question::MediumWritten, MsgAnswer::Yes, media);
        fx.view.onFile = [&](const QString &path) {
            if (path.endsWith("c.bin"))
                AskStop(fx.control, fx.view);
        };
        QVERIFY(fx.Run().finished);
        QCOMPARE(TheModel().MediaLast(), media - 1);
        const auto medium = [&](const QString &name) {
            const FileRecord *f = fx.Record(fx.Data(name));
            return f && !f->Versions.isEmpty() ? f->Versions.last().MediumIndex : -1;
        };
        QCOMPARE(medium("a.bin"), 0);
        QCOMPARE(medium("c.bin"), 1);
        QCOMPARE(medium("s1.bin"), answer == MsgAnswer::Yes ? -1 : 1);
        QCOMPARE(medium("s2.bin"), answer == MsgAnswer::Yes ? -1 : 1);
        QCOMPARE(medium("b.bin"), answer == MsgAnswer::Cancel ? 2 : -1);
        // What was not written keeps its mark for the next backup.
        QCOMPARE(platform::ArchiveAttributeSet(fx.Data("b.bin")), answer != MsgAnswer::Cancel);
        QCOMPARE(fx.control.stopButtonEnabled, answer == MsgAnswer::Cancel);
    }

    void stopPressedWhileCollectingHolds() {
        BackupFixture fx;
        FiveMedia(fx);
        ScriptedPrompt prompt;
        prompt.AnswerTo(Question::StopBackup, MsgAnswer::Yes);
        prompt.AnswerTo(Question::MediumWritten, MsgAnswer::Yes);
        struct StopWhileSorting : RecordingView {
            BackupControl *control = nullptr;
            void SetStage(const QString &caption, const QString & /*counter*/) override {
                if (caption == "Sorting")
                    AskStop(*control, *this);
            }
        } view;
        view.control = &fx.control;
        QVERIFY(DoBackup(TheModel(), {}, view, fx.control).finished);
        // Only the first file: the stop ends the run after it, on the first medium.
        QCOMPARE(TheModel().MediaLast(), 0);
        QCOMPARE(MediumOf(fx, 5), 0);
        QCOMPARE(MediumOf(fx, 4), -1);
    }

    void cancelPressedWhileWriting() {
        BackupFixture fx;
        FiveMedia(fx);
        ScriptedPrompt prompt;
        prompt.AnswerTo(Question::MediumWritten, MsgAnswer::Yes);
        prompt.AnswerTo(Question::ReallyCancel, MsgAnswer::Yes);
        fx.view.onFile = [&](const QString &path) {
            if (path.endsWith("f4.bin"))
                AskCancel(fx.control);
        };
        const BackupResult result = fx.Run();
        QVERIFY(!result.finished);
        QVERIFY(fx.view.hidden);
        QVERIFY(fx.view.stages.contains("Cancelling"));
        QVERIFY(!QDir(fx.BackupDir() + "Backup001").exists());
        QCOMPARE(TheModel().BackupsLast(), -1);
        QVERIFY(!CancelFlag());
    }

    void pressedDuringALargeCopy_data() {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("Stop, Yes: the file is finished, nothing after it") << false;
        QTest::newRow("Cancel, Yes: the copy ends at once") << true;
    }
    void pressedDuringALargeCopy() {
        QFETCH(bool, cancel);
        BackupFixture fx;
        fx.tree.Add({"data/large.bin:3500000", "data/small.txt=s"});
        fx.AddDirectory(fx.Data());
        ScriptedPrompt prompt;
        prompt.AnswerTo(cancel ? Question::ReallyCancel : Question::StopBackup, MsgAnswer::Yes);
        int pressed = 0;
        fx.view.onCopyLabel = [&](const QString &text) {
            // The first progress text of the large file's copy; the user presses once.
            if (text.contains(" Of ") && pressed++ == 0) {
                if (cancel)
                    AskCancel(fx.control);
                else
                    AskStop(fx.control, fx.view);
            }
        };
        const BackupResult result = fx.Run();
        QCOMPARE(result.finished, !cancel);
        const QString stored = fx.MediumDir(1, 1) + platform::RelativeForm(fx.Data("large.bin"));
        if (cancel) {
            QVERIFY(!QFile::exists(stored));
            QCOMPARE(TheModel().BackupsLast(), -1);
            return;
        }
        QCOMPARE(QFile(stored).size(), qint64(3500000));
        QCOMPARE(fx.Record(fx.Data("large.bin"))->VersionsLast(), 0);
        QVERIFY(fx.Record(fx.Data("small.txt"))->Versions.isEmpty());
        // Nor its copy, though one may have been made beside the large file's.
        QVERIFY(!QFile::exists(fx.MediumDir(1, 1) + platform::RelativeForm(fx.Data("small.txt"))));
    }

    void cancelledRunReloadsTheSavedModel() {
        BackupFixture fx;
        fx.tree.Add({"data/a.txt=a"});
        fx.AddDirectory(fx.Data());
        ScriptedPrompt prompt;
        QVERIFY(fx.Run().finished);
        fx.tree.Write("data/a.txt", "changed");
        fx.view.onFile = [&](const QString &) { AskCancel(fx.control); };
        prompt.AnswerTo(Question::ReallyCancel, MsgAnswer::Yes);
        QVERIFY(!fx.Run().finished);
        QCOMPARE(TheModel().BackupsLast(), 0);
        QCOMPARE(fx.Record(fx.Data("a.txt"))->VersionsLast(), 0);
        QVERIFY(QDir(fx.BackupDir() + "Backup001").exists());
        QVERIFY(!QDir(fx.BackupDir() + "Backup002").exists());
    }

    void listShowsWrittenAndWaitingFiles() {
        BackupFixture fx;
        FiveMedia(fx);
        ScriptedPrompt prompt;
        prompt.AnswerTo(Question::MediumWritten, MsgAnswer::Yes, 2);
        prompt.AnswerTo(Question::MediumWritten, MsgAnswer::Cancel)
            .AnswerTo(Question::ReallyCancel, MsgAnswer::Yes);
        QStringList list;
        BackupResult nested;
        nested.finished = true;
        fx.view.onFile = [&](const QString &path) {
            if (!path.endsWith("f3.bin"))
                return;
            list = FilesToBackupList(TheModel(), fx.control);
            nested = fx.Run(); // a second run is refused while one runs
        };
        fx.Run();
        const QString indent(12, QLatin1Char(' '));
        QCOMPARE(list, QStringList({"Files already backed up :", indent + fx.Data("f5.bin"),
                                    indent + fx.Data("f4.bin"), "",
                                    "Files to be backed up :", indent + fx.Data("f3.bin"),
                                    indent + fx.Data("f2.bin"), indent + fx.Data("f1.bin")}));
        QVERIFY(!nested.finished);
    }

    void pauseHoldsTheRun_data() {
        QTest::addColumn<QList<MsgAnswer>>("answers");
        QTest::addColumn<bool>("cancelled");
        QTest::newRow("continue") << QList<MsgAnswer>{MsgAnswer::OK} << false;
        QTest::newRow("cancel") << QList<MsgAnswer>{MsgAnswer::Cancel, MsgAnswer::Yes} << true;
        QTest::newRow("cancel, no, continue")
            << QList<MsgAnswer>{MsgAnswer::Cancel, MsgAnswer::No, MsgAnswer::OK} << false;
    }
    void pauseHoldsTheRun() {
        QFETCH(QList<MsgAnswer>, answers);
        QFETCH(bool, cancelled);
        ScriptedPrompt prompt;
        // Paused, then "Really cancel?" after each Cancel.
        for (qsizetype i = 0; i < answers.size(); ++i)
            prompt.AnswerTo(i % 2 ? Question::ReallyCancel : Question::Paused, answers[i]);
        AskPause(BackupControl());
        QCOMPARE(CancelFlag(), cancelled);
        QCOMPARE(prompt.Texts().first(),
                 QStringLiteral("Paused!\nPress OK to continue.\nPress Cancel to cancel."));
        SetCancelFlag(false);
    }

    // "No Limit" writes one directory beside the earlier backups, without a question, whatever
    // method was saved before it.
    void noLimitWritesAllAtOnce_data() {
        QTest::addColumn<bool>("xpWay");
        QTest::newRow("after one by one") << false;
        QTest::newRow("after the XP way") << true;
    }
    void noLimitWritesAllAtOnce() {
        QFETCH(bool, xpWay);
        BackupFixture fx;
        fx.tree.Add({"data/a.txt=a", "backups/earlier.txt=kept"});
        fx.AddDirectory(fx.Data());
        fx.SetMedia(-1, 16384, false, xpWay);
        ScriptedPrompt prompt; // fails on any question only a disc needs
        QVERIFY(fx.Run().finished);
        QCOMPARE(prompt.Texts(), QStringList());
        QVERIFY(QDir(fx.MediumDir(1, 1)).exists());
        QVERIFY(TheModel().Backups.last().WriteAllAtOnce);
        QVERIFY(!TheModel().Backups.last().WriteXpWay);
        QCOMPARE(fx.tree.Read("backups/earlier.txt"), QByteArray("kept"));
    }

    void xpWayWaitsForAnEmptyDirectory() {
        BackupFixture fx;
        FiveMedia(fx, true);
        fx.tree.Add({"backups/not burned yet.txt=precious"});
        ScriptedPrompt prompt;
        prompt.AnswerTo(Question::DirectoryNotCleared, MsgAnswer::Cancel);
        prompt.AnswerTo(Question::ReallyCancel, MsgAnswer::Yes);
        QVERIFY(!fx.Run().finished);
        QVERIFY(prompt.Texts().contains(
            "The directory for this backup(\"" + fx.BackupDir() +
            "\") has not been cleared!\nTo continue, the directory must be cleared.\n"
            "Please clear the directory now.\nPress Ok when the directory has been cleared or "
            "Cancel to cancel this backup."));
        // What the user left there is not the run's to remove.
        QVERIFY(QFile::exists(fx.tree.PathOf("backups/not burned yet.txt")));
    }

    void xpWayWritesEachMediumIntoTheBackupDirectory() {
        BackupFixture fx;
        FiveMedia(fx, true);
        BurningPrompt prompt;
        prompt.dir = fx.BackupDir();
        prompt.AnswerTo(Question::MediumWritten, MsgAnswer::Yes, 5);
        QVERIFY(fx.Run().finished);
        QCOMPARE(TheModel().MediaLast(), 4);
        QCOMPARE(prompt.cleared, 5);
        for (int i = 1; i <= 5; ++i)
            QCOMPARE(MediumOf(fx, 6 - i), i - 1);
    }
};

QTEST_GUILESS_MAIN(TestBackupMedia)
#include "tst_backupmedia.moc"
