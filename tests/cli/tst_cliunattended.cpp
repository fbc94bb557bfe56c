// The questions an unattended backup can only meet when something else answered first (a
// person at a window, or a medium the engine could not confirm), answered by pellmoor's own
// answers: each run must end or go on, never ask the same question forever.

#include "backupfixture.h"
#include "cancelflag.h"
#include "cliprompt.h"
#include "model.h"
#include "stopquestions.h"
#include "unattendedanswers.h"

#include <QDir>
#include <QTest>

namespace {

struct Scripted {
    Question name;
    MsgAnswer answer;
};
using Script = QList<Scripted>;

// More questions than any run here needs: beyond this the run is looping.
constexpr int LoopLimit = 200;

} // namespace

Q_DECLARE_METATYPE(Script)

class TestCliUnattended : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyQuestionEndsOrAdvancesTheRun_data() {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<Script>("first");
        QTest::addColumn<QString>("pressed");
        QTest::addColumn<Question>("question");
        QTest::addColumn<bool>("finished");
        QTest::addColumn<int>("media");
        QTest::addColumn<bool>("fileErrors");
        QTest::newRow("first medium refused")
            << "" << Script{{Question::MediumWritten, MsgAnswer::No}} << "" << Question::MustCancel
            << false << 0 << false;
        QTest::newRow("later medium refused") << ""
                                              << Script{{Question::MediumWritten, MsgAnswer::Yes},
                                                        {Question::MediumWritten, MsgAnswer::No}}
                                              << "" << Question::MustStop << true << 1 << false;
        QTest::newRow("Cancel between media")
            << "" << Script{{Question::MediumWritten, MsgAnswer::Cancel}} << ""
            << Question::ReallyCancel << false << 0 << false;
        QTest::newRow("Stop pressed")
            << "" << Script{} << "stop" << Question::StopBackup << true << 1 << false;
        QTest::newRow("Pause pressed")
            << "" << Script{} << "pause" << Question::Paused << true << 2 << false;
        QTest::newRow("folder left by a killed run")
            << "leftover" << Script{} << "" << Question::DirectoryNotCleared << false << 0 << false;
        QTest::newRow("no usable path on the medium")
            << "long" << Script{} << "" << Question::PathTooLong << true << 1 << true;
    }
    void everyQuestionEndsOrAdvancesTheRun() {
        QFETCH(QString, situation);
        QFETCH(Script, first);
        QFETCH(QString, pressed);
        QFETCH(Question, question);
        QFETCH(bool, finished);
        QFETCH(int, media);
        QFETCH(bool, fileErrors);

        BackupFixture fx;
        // 196 KB each on disk: one file per 330 KB medium.
        fx.tree.Add({"data/f1.bin:200001", "data/f2.bin:200000"});
        fx.SetMedia(330, 1024, false);
        fx.AddDirectory(fx.Data());
        if (situation == "leftover")
            fx.tree.Write("backups/Backup001/old.txt", "from a killed run");
        if (situation == "long") {
            fx.SetMedia(-1, 1024, true);
            TheModel().Settings.BackupDirectory =
                fx.BackupDir() + QString(120, 'x') + '/' + QString(100, 'y') + '/';
            QVERIFY(QDir().mkpath(TheModel().Settings.BackupDirectory));
        }

        QList<Question> asked;
        CliPrompt prompt;
        prompt.SetDecider([&, answers = UnattendedAnswers()](Question name, MsgButtons buttons) {
            asked.append(name);
            if (asked.size() > LoopLimit) {
                SetCancelFlag(true);
                return CautiousAnswer(buttons);
            }
            for (qsizetype i = 0; i < first.size(); ++i) {
                if (first[i].name == name)
                    return first.takeAt(i).answer;
            }
            return answers(name, buttons);
        });
        fx.view.onFile = [&](const QString &path) {
            if (!path.endsWith("f1.bin"))
                return;
            if (pressed == "stop")
                AskStop(fx.control, fx.view);
            if (pressed == "pause")
                AskPause(fx.control);
        };

        const BackupResult result = fx.Run();
        QVERIFY2(asked.size() <= LoopLimit, "the run asked the same questions over and over");
        QVERIFY(first.isEmpty());
        QVERIFY(asked.contains(question));
        QCOMPARE(result.finished, finished);
        QCOMPARE(result.fileErrors, fileErrors);
        QCOMPARE(TheModel().MediaLast() + 1, finished ? media : 0);
        if (situation == "leftover")
            QCOMPARE(fx.tree.Read("backups/Backup001/old.txt"), QByteArray("from a killed run"));
    }
};

QTEST_GUILESS_MAIN(TestCliUnattended)
#include "tst_cliunattended.moc"
