// Whole runs through the wizard's real controls: media on disk, Stop, Pause, Cancel at a
// medium prompt, the list of files during a run, the zip statistics, and the ways in from the
// control centre.
#include "SysTray.h"
#include "appwindows.h"
#include "backupfixture.h"
#include "cancelflag.h"
#include "customcheck.h"
#include "datetext.h"
#include "fixedclock.h"
#include "frmAlert.h"
#include "frmControl.h"
#include "frmDetails.h"
#include "infofile.h"
#include "model.h"
#include "packagesignature.h"
#include "platform.h"
#include "programini.h"
#include "runinprogress.h"
#include "scriptedserver.h"
#include "statuslog.h"
#include "textutil.h"
#include "updatechecker.h"
#include "updategate.h"
#include "versionline.h"
#include "windowlook.h"
#include "wizarddriver.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

Q_DECLARE_METATYPE(MsgAnswer)

namespace {

constexpr qint64 MB = 1024 * 1024;

// A compressible text of about the given size.
QByteArray Words(int bytes) {
    QByteArray text;
    while (text.size() < bytes)
        text +=
            "the quick brown fox jumps over the lazy dog " + QByteArray::number(text.size()) + "\n";
    return text;
}

// A person answering a real box: the program's events run while the question waits, so anything
// may arrive then. The hook runs inside the first question of the given name.
class PatientPrompt : public GuardedPrompt {
public:
    Question at = Question::Unnamed;
    std::function<void()> meanwhile;

    MsgAnswer AskQuestion(Question name, const QString &text, MsgButtons buttons,
                          const QString &title, MsgIcon icon) override {
        if (name == at && meanwhile)
            std::exchange(meanwhile, {})();
        return GuardedPrompt::AskQuestion(name, text, buttons, title, icon);
    }
};

} // namespace

// Waits for the run to end in step 6 or with the window hidden.
// A key pressed where the focus is, as a person at the keyboard presses it.
#define PRESS(key)                                                                                 \
    do {                                                                                           \
        QWidget *focused = QApplication::focusWidget();                                            \
        QVERIFY(focused && focused->window() == window.get());                                     \
        QTest::keyClick(focused, key);                                                             \
    } while (false)

#define WAIT_FOR_RUN()                                                                             \
    QTRY_VERIFY_WITH_TIMEOUT(                                                                      \
        window->CurrentStep() == frmBackup::FinishedStep || !window->isVisible(), RunTimeoutMs)

class TestBackupWizardRun : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void wholeBackupOnMedia();
    void sameResultAsTheEngineAlone();
    void stopWhileALargeFileIsCopied_data();
    void stopWhileALargeFileIsCopied();
    void lastStepSaysWhatTheRunDid_data();
    void lastStepSaysWhatTheRunDid();
    void pauseThenCancel();
    void cancelAtAMediumPrompt();
    void missingBackupFolderIsAskedFor_data();
    void missingBackupFolderIsAskedFor();
    void viewListDuringARun();
    void zipStatistics();
    void openedFromTheControlCentre();
    void controlCentreSaysWhenTheLastBackupWas();
    void detailsGoesWhenARunStarts_data();
    void detailsGoesWhenARunStarts();
    void updateArrivingDuringARunWaits();
    void programEndingEndsTheRun();
    void keyboardOnlyJourney();
    void escapeAsksAsCancelDoes_data();
    void escapeAsksAsCancelDoes();

private:
    // Step 1 with the 10 MB trial medium written one by one, then on to the run; the warning
    // about the trial medium is answered by the given prompt (the test's own when none).
    void StartTrialRun(ScriptedPrompt *answering = nullptr);
    QString Stored(int mediumNumber, const QString &relative) const;
    // Each data file's medium number and stored name, by its path below the data folder.
    QMap<QString, QString> Layout() const;

    std::unique_ptr<BackupFixture> fixture;
    std::unique_ptr<GuardedPrompt> prompt;
    std::unique_ptr<frmBackup> window;
};

void TestBackupWizardRun::init() {
    fixture = std::make_unique<BackupFixture>();
    prompt = std::make_unique<GuardedPrompt>();
    window = std::make_unique<frmBackup>();
}

void TestBackupWizardRun::cleanup() {
    SetProgramEnding(false);
    window.reset();
    prompt.reset();
    fixture.reset();
    TheModel() = Model();
}

void TestBackupWizardRun::StartTrialRun(ScriptedPrompt *answering) {
    window->ShowForm();
    (answering ? answering : prompt.get())
        ->AnswerWhen(QStringLiteral("You must be careful"), MsgAnswer::OK);
    Click(*window, "optMedium4");
    Type(*window, "txtSize", QString::fromLatin1(TrialWord));
    Click(*window, "optType0");
    Click(*window, "cmdNext");
    while (window->CurrentStep() < frmBackup::OptionsStep)
        Click(*window, "cmdNext");
    Click(*window, "cmdNext");
}

QString TestBackupWizardRun::Stored(int mediumNumber, const QString &relative) const {
    return fixture->MediumDir(1, mediumNumber) + platform::RelativeForm(fixture->Data(relative));
}

QMap<QString, QString> TestBackupWizardRun::Layout() const {
    QMap<QString, QString> layout;
    const QString data = fixture->Data();
    for (const FileRecord &file : TheModel().Files) {
        const QString path = file.Path + file.Name;
        if (!path.startsWith(data) || file.Versions.isEmpty())
            continue;
        const VersionRecord &v = file.Versions.last();
        layout[path.mid(data.size())] = QString::number(v.MediumIndex) + QLatin1Char('|') +
                                        v.StoredName + QLatin1Char('|') +
                                        QString::number(v.Spanned);
    }
    return layout;
}

void TestBackupWizardRun::wholeBackupOnMedia() {
    fixture->tree.Add({"data/big.bin:6291456", "data/a.bin:3145728", "data/sub/b.bin:3145728",
                       "data/sub/c.bin:3145728", "data/sub/d.txt=small"});
    fixture->AddDirectory(fixture->Data());
    prompt->AnswerTo(Question::MediumWritten, MsgAnswer::Yes)
        .AnswerTo(Question::MediumWritten, MsgAnswer::Yes);
    StartTrialRun();
    WAIT_FOR_RUN();
    QCOMPARE(window->CurrentStep(), int(frmBackup::FinishedStep));
    QCOMPARE(window->windowTitle(), QStringLiteral("Backup - Finished"));
    QCOMPARE(Control<QPushButton>(*window, "cmdNext")->text(), QStringLiteral("Finish"));
    QVERIFY(!Control(*window, "cmdCancel")->isEnabled());
    QVERIFY(!Control(*window, "cmdBack")->isEnabled());

    const Model &m = TheModel();
    QCOMPARE(m.MediaLast(), 1);
    QCOMPARE(m.Settings.MediaName, QStringLiteral("Trial"));
    for (const char *name : {"big.bin", "a.bin", "sub/b.bin", "sub/c.bin", "sub/d.txt"}) {
        const QString relative = QString::fromLatin1(name);
        const FileRecord *file = fixture->Record(fixture->Data(relative));
        QVERIFY2(file && file->Versions.size() == 1, name);
        const QString stored = Stored(file->Versions[0].MediumIndex + 1, relative);
        QFile copy(stored);
        QVERIFY2(copy.open(QIODevice::ReadOnly), qPrintable(stored));
        QVERIFY2(copy.readAll() == fixture->tree.Read("data/" + relative), name);
    }
    for (int medium = 1; medium <= 2; ++medium)
        QVERIFY(QFile::exists(fixture->MediumDir(1, medium) + "!IN_HERE!/Backup.Ini"));
    QVERIFY(QFile::exists(ProgramIniPath()));
    QCOMPARE(Control<QLabel>(*window, "lblZipStat1")->text(), QStringLiteral("5"));
    QCOMPARE(Control<QLabel>(*window, "lblZipStat0")->text(), QStringLiteral("0"));
    QCOMPARE(Control<QLabel>(*window, "lblDone")->text(), QStringLiteral("---"));
    QCOMPARE(Control<QLabel>(*window, "lblSummary")->text(),
             QStringLiteral("5 files backed up to ") +
                 QDir::cleanPath(fixture->BackupDir() + "Backup001") +
                 QStringLiteral(" (2 media)"));

    Click(*window, "cmdNext");
    QVERIFY(!window->isVisible());
}

// The wizard adds nothing of its own to a run: the engine driven as the command line drives it
// lays the same tree out on the same media.
void TestBackupWizardRun::sameResultAsTheEngineAlone() {
    const QStringList tree{"data/big.bin:6291456", "data/a.bin:3145728", "data/b/c.bin:2097152",
                           "data/b/d.txt=small", "data/e.txt=words"};
    fixture->tree.Add(tree);
    fixture->AddDirectory(fixture->Data());
    prompt->AnswerTo(Question::MediumWritten, MsgAnswer::Yes, 2);
    StartTrialRun();
    WAIT_FOR_RUN();
    const QMap<QString, QString> wizard = Layout();
    const int wizardMedia = TheModel().MediaLast();
    QCOMPARE(wizard.size(), 5);
    QCOMPARE(wizardMedia, 1);

    cleanup();
    init();
    fixture->tree.Add(tree);
    fixture->AddDirectory(fixture->Data());
    SettingsRecord &s = TheModel().Settings;
    s.MediaKind = 4;
    s.MediaName = QStringLiteral("Trial");
    s.MediaSize = 10240;
    s.ClusterSize = 2048;
    s.WriteAllAtOnce = false;
    s.WriteXpWay = false;
    prompt->AnswerTo(Question::MediumWritten, MsgAnswer::Yes, 2);
    QVERIFY(fixture->Run().finished);
    QCOMPARE(TheModel().MediaLast(), wizardMedia);
    QCOMPARE(Layout(), wizard);
}

void TestBackupWizardRun::stopWhileALargeFileIsCopied_data() {
    QTest::addColumn<MsgAnswer>("answer");
    QTest::addColumn<bool>("smallFileStored");
    QTest::addColumn<QString>("summary"); // %1: the backup's folder
    // Yes: the medium ends after the file being copied. No: it is filled first (the small file
    // still fits beside the large one), and it is the last all the same.
    QTest::newRow("Yes, stop now")
        << MsgAnswer::Yes << false
        << "1 file backed up to %1\nStopped early: 4 of 5 files not backed up";
    QTest::newRow("No, at the end of the medium")
        << MsgAnswer::No << true
        << "2 files backed up to %1\nStopped early: 3 of 5 files not backed up";
}

void TestBackupWizardRun::stopWhileALargeFileIsCopied() {
    QFETCH(MsgAnswer, answer);
    QFETCH(bool, smallFileStored);
    QFETCH(QString, summary);
    fixture->tree.Add({"data/big.bin:8388608", "data/a.bin:3145728", "data/b.bin:3145728",
                       "data/c.bin:3145728", "data/d.bin:1048576"});
    fixture->AddDirectory(fixture->Data());
    const QString bigCopy = Stored(1, "big.bin");
    bool stopShownDuringCopy = false;
    WhenReady stop(
        [&] {
            const qint64 size = QFileInfo(bigCopy).size();
            return size > 0 && size < 8 * MB;
        },
        [&] {
            prompt->AnswerTo(Question::StopBackup, answer);
            Click(*window, "cmdStp");
            QPushButton *stopButton = Control<QPushButton>(*window, "cmdStp");
            stopShownDuringCopy =
                stopButton->text() == QStringLiteral("Stopping...") && !stopButton->isEnabled();
        });
    prompt->AnswerTo(Question::MediumWritten, MsgAnswer::Yes);
    StartTrialRun();
    WAIT_FOR_RUN();
    QVERIFY(stop.Done());
    QVERIFY(stopShownDuringCopy);
    QCOMPARE(window->CurrentStep(), int(frmBackup::FinishedStep));

    const QList<RecordedPrompt> &asked = prompt->Prompts();
    const auto stopQuestion = std::find_if(asked.begin(), asked.end(), [](const RecordedPrompt &p) {
        return p.question == Question::StopBackup;
    });
    QVERIFY(stopQuestion != asked.end());
    QCOMPARE(stopQuestion->buttons, MsgButtons::YesNoCancel);
    QCOMPARE(stopQuestion->text,
             QStringLiteral("This will make the backup stop now as if the files currently\n"
                            "backed up were the only ones to be backed up.\n"
                            "Would you like to stop the backup?\n\n"
                            "Press Yes to stop the backup now,\n"
                            "No to stop the backup at the end of the next full media\n"
                            "or Cancel to not stop the backup."));
    // The medium being written was the last: no next medium is asked for.
    const QStringList texts = prompt->Texts();
    QCOMPARE(texts.filter("Was this media written").size(), 1);
    QVERIFY(texts.filter("insert the next media").isEmpty());
    QCOMPARE(TheModel().MediaLast(), 0);
    QCOMPARE(fixture->Record(fixture->Data("big.bin"))->Versions.size(), 1);
    QCOMPARE(QFile(bigCopy).size(), 8 * MB);
    for (const char *name : {"a.bin", "b.bin", "c.bin"}) {
        const FileRecord *file = fixture->Record(fixture->Data(QString::fromLatin1(name)));
        QVERIFY2(!file || file->Versions.isEmpty(), name);
    }
    const FileRecord *small = fixture->Record(fixture->Data("d.bin"));
    QCOMPARE(small && !small->Versions.isEmpty(), smallFileStored);
    QCOMPARE(QFile::exists(Stored(1, "d.bin")), smallFileStored);
    // The last step says what the stop left out, beside words that alone would claim a whole run.
    QCOMPARE(Control<QLabel>(*window, "lblSummary")->text(),
             summary.arg(QDir::cleanPath(fixture->BackupDir() + "Backup001")));
    SaveShot(*window, QStringLiteral("frmBackup-finished-stop"));
}

void TestBackupWizardRun::lastStepSaysWhatTheRunDid_data() {
    QTest::addColumn<QString>("ending");
    QTest::addColumn<QString>("summary"); // %1: the backup's folder
    QTest::newRow("whole run") << "whole"
                               << "5 files backed up to %1";
    QTest::newRow("a file vanished before its copy")
        << "vanish"
        << "4 files backed up to %1\nFile errors: 1 of 5 files not backed up";
}

// After the run the last step says how many files went where and what a file error left out
// (what a stop leaves out: stopWhileALargeFileIsCopied).
void TestBackupWizardRun::lastStepSaysWhatTheRunDid() {
    QFETCH(QString, ending);
    QFETCH(QString, summary);
    fixture->tree.Add({"data/big.bin:8388608", "data/a.bin:65536", "data/b.bin:65536",
                       "data/c.bin:65536", "data/victim.txt=gone before its copy"});
    fixture->AddDirectory(fixture->Data());
    // Measured and listed, then gone while the medium gets its program files.
    WhenReady vanish(
        [&] {
            return ending == "vanish" &&
                   window->windowTitle() == QStringLiteral("Backup - Backing Up Files");
        },
        [&] { QVERIFY(QFile::remove(fixture->Data("victim.txt"))); });
    prompt->AnswerTo(Question::MediumWritten, MsgAnswer::Yes);
    if (ending == "vanish")
        prompt->Expect(QStringLiteral("One or more file errors occured during the backup "
                                      "operation!"));
    StartTrialRun();
    WAIT_FOR_RUN();
    QCOMPARE(window->CurrentStep(), int(frmBackup::FinishedStep));
    QCOMPARE(vanish.Done(), ending == "vanish");
    const QString folder = QDir::cleanPath(fixture->BackupDir() + "Backup001");
    QCOMPARE(Control<QLabel>(*window, "lblSummary")->text(), summary.arg(folder));
    QVERIFY(Control<QLabel>(*window, "lblSummary")->isVisible());
    QCOMPARE(Control<QLabel>(*window, "lblFinished")->text(),
             QStringLiteral("Backup has finished!"));
    SaveShot(*window, QStringLiteral("frmBackup-finished-") + ending);
}

void TestBackupWizardRun::pauseThenCancel() {
    fixture->tree.Add({"data/big.bin:8388608", "data/a.bin:3145728"});
    fixture->AddDirectory(fixture->Data());
    QVERIFY(SaveIniFile(ProgramIniPath()));
    const QByteArray savedIni = fixture->tree.Read("prog/Backup.Ini");
    WhenReady pause(
        [&] { return window->windowTitle() == QStringLiteral("Backup - Backing Up Files"); },
        [&] {
            prompt->AnswerTo(Question::Paused, MsgAnswer::Cancel)
                .AnswerTo(Question::ReallyCancel, MsgAnswer::No)
                .AnswerTo(Question::Paused, MsgAnswer::Cancel)
                .AnswerTo(Question::ReallyCancel, MsgAnswer::Yes);
            Click(*window, "cmdPause");
        });
    StartTrialRun();
    WAIT_FOR_RUN();
    QVERIFY(pause.Done());
    QVERIFY(!window->isVisible());
    QCOMPARE(prompt->Texts().filter("Paused!").size(), 2);
    QCOMPARE(prompt->Texts().filter("Paused!")[0],
             QStringLiteral("Paused!\nPress OK to continue.\nPress Cancel to cancel."));
    QVERIFY(StatusLog::Instance().Text().contains("Backup - cmdCancel_Click"));
    QVERIFY(!CancelFlag());
    // The run is forgotten: the model is the saved one again and its folder is gone.
    QVERIFY(TheModel().Backups.isEmpty());
    QVERIFY(TheModel().Media.isEmpty());
    QVERIFY(!QFileInfo::exists(fixture->BackupDir() + "Backup001"));
    QCOMPARE(fixture->tree.Read("prog/Backup.Ini"), savedIni);
}

void TestBackupWizardRun::cancelAtAMediumPrompt() {
    fixture->tree.Add({"data/big.bin:6291456", "data/a.bin:3145728", "data/b.bin:3145728"});
    fixture->AddDirectory(fixture->Data());
    QVERIFY(SaveIniFile(ProgramIniPath()));
    const QByteArray savedIni = fixture->tree.Read("prog/Backup.Ini");
    prompt->AnswerTo(Question::MediumWritten, MsgAnswer::Cancel)
        .AnswerTo(Question::ReallyCancel, MsgAnswer::Yes);
    StartTrialRun();
    WAIT_FOR_RUN();
    QVERIFY(!window->isVisible());
    QCOMPARE(prompt->Texts().filter("Was this media written").size(), 1);
    QVERIFY(TheModel().Backups.isEmpty());
    QVERIFY(TheModel().Media.isEmpty());
    for (const FileRecord &file : TheModel().Files)
        QVERIFY(file.Versions.isEmpty());
    QVERIFY(
        QDir(fixture->BackupDir()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    QCOMPARE(fixture->tree.Read("prog/Backup.Ini"), savedIni);
    QVERIFY(!CancelFlag());
    // Opened again, the wizard starts afresh.
    window->ShowForm();
    QCOMPARE(window->CurrentStep(), int(frmBackup::MediumStep));
    QCOMPARE(window->windowTitle(), QStringLiteral("Backup"));
}

void TestBackupWizardRun::missingBackupFolderIsAskedFor_data() {
    QTest::addColumn<MsgAnswer>("answer");
    QTest::newRow("not made: nothing written anywhere") << MsgAnswer::No;
    QTest::newRow("made: the run goes on") << MsgAnswer::Yes;
}

// A backup folder on a disk that is not connected is not made again elsewhere without a word.
void TestBackupWizardRun::missingBackupFolderIsAskedFor() {
    QFETCH(MsgAnswer, answer);
    fixture->tree.Add({"data/a.txt=alpha", "data/sub/b.bin:4096"});
    fixture->AddDirectory(fixture->Data());
    const QString folder = fixture->BackupDir() + "usb/Backups/";
    TheModel().Settings.BackupDirectory = folder;
    QVERIFY(SaveIniFile(ProgramIniPath()));
    const QStringList before = fixture->tree.Snapshot();
    prompt->AnswerTo(Question::MakeBackupFolder, answer);
    if (answer == MsgAnswer::Yes)
        prompt->AnswerTo(Question::MediumWritten, MsgAnswer::Yes);
    StartTrialRun();
    WAIT_FOR_RUN();
    QVERIFY(prompt->Prompts().size() > 1);
    const RecordedPrompt &question = prompt->Prompts()[1]; // after the trial medium's warning
    QCOMPARE(question.text, "The backup folder " + folder +
                                " does not exist. It may be on a disk that is not connected. "
                                "Create it?");
    QCOMPARE(question.icon, MsgIcon::Question);
    if (answer == MsgAnswer::No) {
        QVERIFY(!window->isVisible());
        QCOMPARE(fixture->tree.Snapshot(), before);
        QVERIFY(TheModel().Backups.isEmpty());
        QVERIFY(!CancelFlag());
    } else {
        QCOMPARE(window->CurrentStep(), int(frmBackup::FinishedStep));
        QVERIFY(QFile::exists(folder + "Backup001/MEDIA001/!IN_HERE!/Backup.Ini"));
        QCOMPARE(TheModel().Backups.size(), 1);
    }
}

void TestBackupWizardRun::viewListDuringARun() {
    fixture->tree.Add({"data/big.bin:8388608", "data/a.bin:2097152", "data/b.txt=words"});
    fixture->AddDirectory(fixture->Data());
    fixture->SetMedia(-1, 16384, true);
    QStringList shown;
    WhenReady view([&] { return QFileInfo(Stored(1, "big.bin")).size() > 0; },
                   [&] {
                       Click(*window, "cmdViewList");
                       auto *list = window->findChild<QListWidget *>(QStringLiteral("lstFiles"));
                       for (int i = 0; i < list->count(); ++i)
                           shown.append(list->item(i)->text());
                       SaveShot(*window, QStringLiteral("wizard_running"));
                       SaveShot(*list->window(), QStringLiteral("wizard_filelist"));
                   });
    window->ShowForm();
    Click(*window, "optMedium5");
    while (window->CurrentStep() < frmBackup::RunStep)
        Click(*window, "cmdNext");
    WAIT_FOR_RUN();
    QVERIFY(view.Done());
    QCOMPARE(shown.size(), 3 + 3); // the three files to back up, two captions and a blank
    QCOMPARE(shown[0], QStringLiteral("Files already backed up :"));
    const int second = int(shown.indexOf(QStringLiteral("Files to be backed up :")));
    QVERIFY(second >= 2);
    QCOMPARE(shown[second - 1], QString());
    const QString indent(12, QLatin1Char(' '));
    // The large file is being copied: it is still waiting, as the other two.
    QCOMPARE(second, 2);
    for (int i = second + 1; i < shown.size(); ++i)
        QVERIFY2(shown[i].startsWith(indent + fixture->Data()), qPrintable(shown[i]));
    QVERIFY(shown.contains(indent + fixture->Data("big.bin")));
}

void TestBackupWizardRun::zipStatistics() {
    fixture->tree.Write("data/a.txt", Words(300000));
    fixture->tree.Write("data/b.txt", Words(200000));
    fixture->tree.Add({"data/c.bin:100000"});
    fixture->AddDirectory(fixture->Data());
    fixture->SetMedia(-1, 16384, true);
    window->ShowForm();
    Click(*window, "optMedium5");
    while (window->CurrentStep() < frmBackup::OptionsStep)
        Click(*window, "cmdNext");
    Click(*window, "chkZip");
    Click(*window, "cmdNext");
    WAIT_FOR_RUN();
    QCOMPARE(window->CurrentStep(), int(frmBackup::FinishedStep));
    QVERIFY(prompt->Texts().filter("Zipping all files turned").size() == 1);
    QCOMPARE(Control<QLabel>(*window, "lblZipping")->text(), QStringLiteral("Zipping On"));
    const ZipTotals &totals = window->LastResult().totals;
    QVERIFY(totals.count >= 2);
    QCOMPARE(Control<QLabel>(*window, "lblZipStat0")->text(), QString::number(totals.count));
    QCOMPARE(Control<QLabel>(*window, "lblZipStat1")->text(), QStringLiteral("3"));
    const double saved = Control<QLabel>(*window, "lblZipStat6")->text().chopped(1).toDouble();
    QVERIFY2(saved > 50 && saved < 100,
             qPrintable(Control<QLabel>(*window, "lblZipStat6")->text()));
    // All files include the one that does not shrink, so they save less.
    const double allSaved = Control<QLabel>(*window, "lblZipStat7")->text().chopped(1).toDouble();
    QVERIFY(allSaved < saved);
    QCOMPARE(Control<QLabel>(*window, "lblZipStat2")->text(), FormatSize(totals.originalKB));
    QCOMPARE(Control<QLabel>(*window, "lblZipStat5")->text(), FormatSize(totals.allFinalKB));
    SaveShot(*window, QStringLiteral("wizard_finished_zipped"));
}

void TestBackupWizardRun::openedFromTheControlCentre() {
    fixture->AddDirectory(fixture->Data());
    frmBackup *wizard = window.get();
    RegisterAppWindow(AppWindow::Backup, wizard, [wizard] { wizard->ShowForm(); });
    struct Unregister {
        ~Unregister() { RegisterAppWindow(AppWindow::Backup, nullptr); }
    } unregister;
    frmControl control(false);
    control.RefreshAvailability();
    QPushButton *cmdBackup = Control<QPushButton>(control, "cmdBackup");

    const auto cancelWizard = [&] {
        QCOMPARE(window->CurrentStep(), int(frmBackup::MediumStep));
        prompt->AnswerTo(Question::ReallyCancel, MsgAnswer::Yes);
        Click(*window, "cmdCancel");
        QVERIFY(!window->isVisible());
        QTRY_VERIFY(cmdBackup->isEnabled());
        QVERIFY(!CancelFlag());
    };
    QVERIFY(cmdBackup->isEnabled());
    cmdBackup->click();
    QVERIFY(window->isVisible());
    QVERIFY(!cmdBackup->isEnabled());
    QCOMPARE(Control<QListWidget>(*window, "lstDirectories")->count(), 1);
    // Brought up again while open, it stays where the user is.
    Click(*window, "cmdNext");
    QVERIFY(ShowAppWindow(AppWindow::Backup));
    QCOMPARE(window->CurrentStep(), int(frmBackup::DirectoryStep));
    Click(*window, "cmdBack");
    cancelWizard();

    control.MenuCommand(3); // the tray menu's Backup entry
    QVERIFY(window->isVisible());
    cancelWizard();

    control.Alert()->DoAlert(QStringLiteral("Its backup time!"), 720);
    Control<QPushButton>(*control.Alert(), "cmdBackup")->click();
    QVERIFY(window->isVisible());
    cancelWizard();
}

// The control centre's status line follows a backup made from it: when it was made, to the
// second, and when the next one is due.
void TestBackupWizardRun::controlCentreSaysWhenTheLastBackupWas() {
    const QDate monday(2026, 12, 7);
    FixedClock clock(QDateTime(monday, QTime(14, 3, 9)));
    fixture->tree.Add({"data/a.txt=alpha", "data/b.txt=bravo"});
    fixture->AddDirectory(fixture->Data());
    TheModel().Settings.BackupInterval = -1;
    frmBackup *wizard = window.get();
    RegisterAppWindow(AppWindow::Backup, wizard, [wizard] { wizard->ShowForm(); });
    struct Unregister {
        ~Unregister() { RegisterAppWindow(AppWindow::Backup, nullptr); }
    } unregister;
    frmControl control(false);
    control.RefreshAvailability();
    control.show();
    QLabel *lblStatus = Control<QLabel>(control, "lblStatus");
    const QString due =
        QStringLiteral("\nNext backup due: Fri ") + ShortDateText(QDate(2027, 1, 1));
    QCOMPARE(lblStatus->text(), QStringLiteral("Last backup: none yet") + due);

    prompt->AnswerTo(Question::MediumWritten, MsgAnswer::Yes);
    Control<QPushButton>(control, "cmdBackup")->click();
    QVERIFY(window->isVisible());
    prompt->AnswerWhen(QStringLiteral("You must be careful"), MsgAnswer::OK);
    Click(*window, "optMedium4");
    Type(*window, "txtSize", QString::fromLatin1(TrialWord));
    Click(*window, "optType0");
    while (window->CurrentStep() < frmBackup::RunStep)
        Click(*window, "cmdNext");
    WAIT_FOR_RUN();
    QCOMPARE(window->CurrentStep(), int(frmBackup::FinishedStep));
    Click(*window, "cmdNext");
    QVERIFY(!window->isVisible());
    QCOMPARE(lblStatus->text(), QStringLiteral("Last backup: ") + ShortDateText(monday) +
                                    QStringLiteral(" 14:03:09") + due);
}

// The details window keeps positions into the files a run re-sorts: it goes as the run starts,
// whether it was open when the reminder opened the wizard or was opened from the tray over it,
// and the wizard holds the control centre's buttons until it goes too.
void TestBackupWizardRun::detailsGoesWhenARunStarts_data() {
    QTest::addColumn<bool>("fromTray");
    QTest::newRow("open when the reminder starts a backup") << false;
    QTest::newRow("opened from the tray over the wizard") << true;
}

void TestBackupWizardRun::detailsGoesWhenARunStarts() {
    QFETCH(bool, fromTray);
    fixture->tree.Add({"data/a.txt=alpha", "data/sub/b.txt=bravo"});
    fixture->AddDirectory(fixture->Data());
    frmBackup *wizard = window.get();
    frmDetails details;
    RegisterAppWindow(AppWindow::Backup, wizard, [wizard] { wizard->ShowForm(); });
    RegisterAppWindow(AppWindow::Details, &details, [&details] { details.ShowForm(); });
    struct Unregister {
        ~Unregister() {
            RegisterAppWindow(AppWindow::Backup, nullptr);
            RegisterAppWindow(AppWindow::Details, nullptr);
        }
    } unregister;
    frmControl control(false);
    control.RefreshAvailability();
    QPushButton *cmdBackup = Control<QPushButton>(control, "cmdBackup");
    if (fromTray) {
        cmdBackup->click();
        control.MenuCommand(6);
    } else {
        Control<QPushButton>(control, "cmdDetails")->click();
        control.Alert()->DoAlert(QStringLiteral("Its backup time!"), 720);
        Control<QPushButton>(*control.Alert(), "cmdBackup")->click();
    }
    QVERIFY(window->isVisible());
    QVERIFY(details.isVisible());
    prompt->AnswerTo(Question::MediumWritten, MsgAnswer::Yes);
    StartTrialRun();
    WAIT_FOR_RUN();
    QCOMPARE(window->CurrentStep(), int(frmBackup::FinishedStep));
    QVERIFY(!details.isVisible());
    QVERIFY(!cmdBackup->isEnabled());
    Click(*window, "cmdNext");
    QVERIFY(cmdBackup->isEnabled());
}

// An update downloaded while the run waits at "Was this media written" must not end the program
// under it: the hand-off waits for the wizard to close and is offered again then. Exit is
// refused meanwhile.
void TestBackupWizardRun::updateArrivingDuringARunWaits() {
    fixture->tree.Add({"data/big.bin:6291456", "data/a.bin:3145728", "data/b.bin:3145728"});
    fixture->AddDirectory(fixture->Data());
    fixture->tree.Write("prog/Refitter", "#!/bin/sh\n");
    QFile::setPermissions(fixture->tree.PathOf("prog/Refitter"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ScriptedServer server;
    qputenv("PELLMOOR_UPDATE_URL", server.Address().toUtf8());
    const SigningKeyPair keys = MakeSigningKeyPair();
    qputenv("PELLMOOR_UPDATE_KEY", keys.publicKeyBase64);
    const QByteArray package = "a signed package";
    const QByteArray line = VersionLineText(QStringLiteral("01.09.06"), package.size());
    server.Route(
        "/Backup.Ver",
        ScriptedServer::Ok(line + "\r\n" + SignUpdate(line, package, keys.secretKeyBase64)));
    server.Route("/Backup.Upk", ScriptedServer::Ok(package));
    UpdateChecker checker;
    int ends = 0;
    checker.SetEndProgramAction([&] { ++ends; });
    UpdateGate gate({window.get()});
    checker.SetHandOffGate(gate.ForChecker());
    frmControl control(false);

    PatientPrompt patient;
    patient.at = Question::MediumWritten;
    patient.meanwhile = [&] {
        patient.AnswerWhen(QStringLiteral("Download new version?"), MsgAnswer::Yes);
        checker.StartUpdate(false, false);
        QTRY_VERIFY_WITH_TIMEOUT(checker.HandOffWaiting(), 20000);
        QCOMPARE(ends, 0);
        QVERIFY(!control.ExitProgram(true));
        QVERIFY(!control.HasExited());
    };
    patient.AnswerTo(Question::MediumWritten, MsgAnswer::Yes, 2);
    StartTrialRun(&patient);
    WAIT_FOR_RUN();
    QCOMPARE(window->CurrentStep(), int(frmBackup::FinishedStep));
    QCOMPARE(TheModel().MediaLast(), 1);
    QVERIFY(patient.Texts().contains(QStringLiteral(
        "A backup or a restore is running.\nStop it, or let it finish, before you exit.")));
    // Finished but still open: the update still waits.
    QTest::qWait(600);
    QCOMPARE(ends, 0);
    QVERIFY(checker.HandOffWaiting());

    patient.AnswerWhen(QStringLiteral("Install it now?"), MsgAnswer::Yes);
    Click(*window, "cmdNext");
    QVERIFY(!window->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(ends, 1, 5000);
    qunsetenv("PELLMOOR_UPDATE_URL");
    qunsetenv("PELLMOOR_UPDATE_KEY");
}

// Once the program is ending nobody answers: the run gets the answers that end it (the
// unconfirmed first medium cancels it) without a question reaching any box.
void TestBackupWizardRun::programEndingEndsTheRun() {
    fixture->tree.Add({"data/big.bin:6291456", "data/a.bin:3145728", "data/b.bin:3145728"});
    fixture->AddDirectory(fixture->Data());
    PatientPrompt patient;
    patient.at = Question::MediumWritten;
    patient.meanwhile = [&] { SetProgramEnding(true); };
    // The box open when the session ends closes with its cautious answer; what follows is asked
    // of nobody.
    patient.AnswerTo(Question::MediumWritten, MsgAnswer::Cancel);
    StartTrialRun(&patient);
    WAIT_FOR_RUN();
    QVERIFY(!window->isVisible());
    QVERIFY(!AnyRunInProgress());
    // The first question was the only one a box was asked for.
    QCOMPARE(patient.Texts().filter("Was this media written").size(), 1);
    QCOMPARE(patient.Prompts().size(), 2);
    QVERIFY(TheModel().Backups.isEmpty());
}

// The whole job without a mouse: Enter moves on from each step, Space ticks a box; the run ends
// with its backup on the disk and the focus on Finish, and Enter there closes the window.
void TestBackupWizardRun::keyboardOnlyJourney() {
    fixture->tree.Add({"data/a.txt=words", "data/sub/b.txt=small"});
    fixture->AddDirectory(fixture->Data());
    TheModel().Settings.MediaKind = 5;
    window->ShowForm();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QCOMPARE(QApplication::focusWidget(), Control(*window, "optMedium5"));
    PRESS(Qt::Key_Return);
    QCOMPARE(window->CurrentStep(), int(frmBackup::DirectoryStep));
    QCOMPARE(QApplication::focusWidget(), Control(*window, "lstDirectories"));
    PRESS(Qt::Key_Return);
    // No pattern to choose: the options come next, the first of them in focus.
    QCOMPARE(window->CurrentStep(), int(frmBackup::OptionsStep));
    QCOMPARE(QApplication::focusWidget(), Control(*window, "chkZip"));
    PRESS(Qt::Key_Tab);
    PRESS(Qt::Key_Space);
    QVERIFY(Control<QCheckBox>(*window, "chkFresh")->isChecked());
    PRESS(Qt::Key_Return);
    WAIT_FOR_RUN();
    QCOMPARE(window->CurrentStep(), int(frmBackup::FinishedStep));
    QCOMPARE(QApplication::focusWidget(), Control(*window, "cmdNext"));
    for (const char *name : {"a.txt", "sub/b.txt"}) {
        const QString relative = QString::fromLatin1(name);
        QFile copy(Stored(1, relative));
        QVERIFY2(copy.open(QIODevice::ReadOnly), name);
        QCOMPARE(copy.readAll(), fixture->tree.Read("data/" + relative));
    }
    PRESS(Qt::Key_Return);
    QVERIFY(!window->isVisible());
}

void TestBackupWizardRun::escapeAsksAsCancelDoes_data() {
    QTest::addColumn<int>("steps");
    QTest::addColumn<MsgAnswer>("answer");
    QTest::newRow("first step, No") << 0 << MsgAnswer::No;
    QTest::newRow("first step, Yes") << 0 << MsgAnswer::Yes;
    QTest::newRow("options step, Yes") << 2 << MsgAnswer::Yes;
}

void TestBackupWizardRun::escapeAsksAsCancelDoes() {
    QFETCH(int, steps);
    QFETCH(MsgAnswer, answer);
    fixture->tree.Add({"data/a.txt=words"});
    fixture->AddDirectory(fixture->Data());
    TheModel().Settings.MediaKind = 5;
    window->ShowForm();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    for (int i = 0; i < steps; ++i)
        PRESS(Qt::Key_Return);
    const int step = window->CurrentStep();
    prompt->AnswerTo(Question::ReallyCancel, answer);
    PRESS(Qt::Key_Escape);
    QCOMPARE(prompt->Texts(), QStringList{"Really cancel?"});
    QCOMPARE(window->isVisible(), answer == MsgAnswer::No);
    QCOMPARE(window->CurrentStep(), step);
    // Nothing was run and nothing written.
    QCOMPARE(TheModel().BackupsLast(), -1);
}

QTEST_MAIN(TestBackupWizardRun)
#include "tst_backupwizardrun.moc"
