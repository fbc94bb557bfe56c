// The restore window through its real controls, on media the backup engine wrote: each restore
// type end to end, the way back through skipped steps, the filters and tree buttons, an older
// version, the refusals, missing media, Pause and Cancel, and restore-only mode from a copy of a
// medium.

#include "modalsteps.h"
#include "restorewizardfixture.h"
#include "windowlook.h"

#include "PathLabel.h"
#include "WindowSelectors.h"
#include "appwindows.h"
#include "cancelflag.h"
#include "datetext.h"
#include "fixedclock.h"
#include "frmControl.h"
#include "frmDirectory.h"
#include "infofile.h"
#include "model.h"
#include "platform.h"
#include "programfiles.h"
#include "programini.h"
#include "startup.h"
#include "statuslog.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

Q_DECLARE_METATYPE(MsgAnswer)

namespace {

const QStringList SomeFiles = {"a.txt=alpha", "docs/b.doc=bravo bravo", "docs/deep/c.bin:70000",
                               "README=read me"};

QTreeWidgetItem *NodeEndingIn(QTreeWidget *tree, const QString &text) {
    const QList<QTreeWidgetItem *> found =
        tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

QStringList Texts(QListWidget *list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

} // namespace

class TestRestoreWizard : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyStepFits_data() {
        QTest::addColumn<double>("scale");
        QTest::newRow("default font") << 1.0;
        QTest::newRow("font times 1.5") << 1.5;
    }
    void everyStepFits() {
        QFETCH(double, scale);
        const ScaledApplicationFont font(scale);
        RestoreMachine m;
        QStringList files;
        for (int i = 0; i < 300; ++i)
            files.append(QString("dir%1/sub/file%2.txt=%2").arg(i % 12).arg(i, 3, 10, QChar('0')));
        m.Backup(files);
        const auto look = [&m, scale](const char *step) {
            frmRestore &w = m.Window();
            QVERIFY(w.width() <= 1024 && w.height() <= 768);
            for (QAbstractButton *button : w.findChildren<QAbstractButton *>()) {
                if (!button->isVisible())
                    continue;
                QVERIFY2(button->width() >= button->sizeHint().width(),
                         qPrintable(step + (" " + button->objectName())));
                QVERIFY2(w.rect().contains(QRect(button->mapTo(&w, QPoint(0, 0)), button->size())),
                         qPrintable(step + (" " + button->objectName())));
            }
            SaveShot(w, QString("frmRestore-%1-%2").arg(step).arg(scale));
        };
        look("1");
        m.Next();
        look("2");
        m.ChooseType(RestoreChosen);
        CheckRoster *list = m.Control<CheckRoster>("lstFiles");
        list->SetListIndex(5);
        m.Click("cmdAll");
        look("3");
        m.tree.Add({"busy/x=1"});
        m.selector.answers.append(m.tree.PathOf("busy/"));
        m.Next();
        m.Click("cmdChangeRestore");
        look("4");
        QVERIFY(m.RunTo(m.RestoreTo()));
        look("6");
    }

    void restoreTypes_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("files");
        QTest::addColumn<bool>("program");
        QTest::newRow("all with program") << 0 << true << true;
        QTest::newRow("all latest") << 1 << true << false;
        QTest::newRow("program only") << 2 << false << true;
        QTest::newRow("chosen, all with latest") << 3 << true << false;
    }
    void restoreTypes() {
        QFETCH(int, type);
        QFETCH(bool, files);
        QFETCH(bool, program);
        RestoreMachine m;
        m.Backup(SomeFiles);
        // The program's own history has moved on from the medium's; the restore leaves it be.
        TheModel().Settings.MediaName = "Own";
        TheModel().Files.removeFirst();
        const QByteArray programModel = m.ProgramModelText();
        m.Next();
        QCOMPARE(m.Window().CurrentStage(), int(frmRestore::TypeStage));
        m.ChooseType(type);
        if (type == RestoreChosen) {
            QCOMPARE(m.Window().CurrentStage(), int(frmRestore::FilesStage));
            QCOMPARE(m.ListedFiles(), QStringList({"a.txt", "b.doc", "c.bin", "README"}));
            m.Click("cmdAll");
            QVERIFY(m.Control<QLabel>("lblFilesShown")
                        ->text()
                        .startsWith("4 Files, 4 Showing, 4 Shown Ticked, 4 Ticked Total"));
            m.Next();
        }
        QCOMPARE(m.Window().CurrentStage(), int(frmRestore::ToStage));
        QVERIFY(m.RunTo(m.RestoreTo()));
        for (const QString name : {"a.txt", "docs/b.doc", "docs/deep/c.bin", "README"}) {
            QCOMPARE(QFile::exists(m.Restored(name)), files);
            if (files) {
                QFile restored(m.Restored(name));
                QVERIFY(restored.open(QIODevice::ReadOnly));
                QCOMPARE(restored.readAll(), m.DataBytes(name));
            }
        }
        const QString programCopy =
            m.RestoreTo() + "!IN_HERE!/" + platform::ExecutableName("Backup");
        QCOMPARE(QFile::exists(programCopy), program);
        QCOMPARE(QFile::exists(m.RestoreTo() + "!IN_HERE!/Backup.Ini"), program);
        QCOMPARE(m.Control<QPushButton>("cmdNext")->text(), QString("Finish"));
        QVERIFY(!m.Control<QPushButton>("cmdCancel")->isEnabled());
        QCOMPARE(m.Control<QListWidget>("lstUnrestore")->count(), 0);
        // Beside "Restore Finished!", what went where.
        const QString to = QDir::cleanPath(m.RestoreTo());
        const QString summary =
            !files    ? "The program and its information file restored to " + to
            : program ? "4 files restored to " + to + ", with the program and its information file"
                      : "4 files restored to " + to;
        QCOMPARE(m.Control<QLabel>("lblSummary")->text(), summary);
        SaveShot(m.Window(), QStringLiteral("frmRestore-finished-%1").arg(type));
        m.Next();
        QVERIFY(!m.Window().isVisible());
        QVERIFY(m.endedWith.isEmpty());
        QCOMPARE(m.ProgramModelText(), programModel);
    }

    void restoreFromChoices() {
        RestoreMachine m;
        m.Backup(SomeFiles);
        // Media the program did not write to its own backup folder: only the user finds them.
        TheModel().Settings.BackupDirectory = m.Data();
        m.selector.lastDirectory = m.Data();
        QLabel *notMedium = m.Control<QLabel>("lblNotRestDir");
        QVERIFY(notMedium->isVisible());
        QVERIFY(!m.Control<QPushButton>("cmdNext")->isEnabled());
        // Nothing on the drives: the search says so and changes nothing.
        m.prompt.AnswerTo(Question::MediaNotFound, MsgAnswer::No);
        m.Click("cmdAutoSearch");
        QCOMPARE(m.Control<PathLabel>("lblRestDir")->Path(), m.Data());
        // A folder holding media gives way to its most recent medium.
        m.selector.answers.append(m.BackupDir());
        m.Click("cmdFind");
        QCOMPARE(m.selector.calls.last().caption,
                 QString("Directory Selector - Finding Latest Backup"));
        QCOMPARE(m.Control<PathLabel>("lblRestDir")->Path(), m.MediumDir(1, 1));
        QVERIFY(!notMedium->isVisible());
        QVERIFY(m.Control<QPushButton>("cmdNext")->isEnabled());
        // The program's own file instead: the directory controls step aside.
        m.selector.answers.append(m.Data());
        m.Click("cmdFind");
        QVERIFY(!m.Control<QPushButton>("cmdNext")->isEnabled());
        m.Click("chkCurrent");
        QVERIFY(!m.Control<QPushButton>("cmdFind")->isEnabled());
        QVERIFY(m.Control<QPushButton>("cmdNext")->isEnabled());
        m.Next();
        QCOMPARE(m.Window().CurrentStage(), int(frmRestore::TypeStage));
        QCOMPARE(m.Window().Selection().Files().size(), 4);
    }

    // Backups to the hard disk are found where the program wrote them: step 1 starts at the
    // latest of them, Auto Search finds it after the drives, and the run finds every earlier
    // medium there without asking.
    void backupFolderIsWhereStepOneLooks_data() {
        QTest::addColumn<int>("backups");
        QTest::newRow("one backup") << 1;
        QTest::newRow("a later backup") << 2;
    }
    void backupFolderIsWhereStepOneLooks() {
        QFETCH(int, backups);
        RestoreMachine m;
        m.Backup(SomeFiles);
        if (backups == 2)
            m.Backup({"a.txt=alpha, changed"});
        const QString latest = m.MediumDir(backups, backups);
        m.selector.lastDirectory = m.Data();
        PathLabel *restoreFrom = m.Control<PathLabel>("lblRestDir");
        QCOMPARE(restoreFrom->Path(), latest);
        QVERIFY(m.Control<QPushButton>("cmdNext")->isEnabled());
        m.selector.answers.append(m.Data());
        m.Click("cmdFind");
        QVERIFY(!m.Control<QPushButton>("cmdNext")->isEnabled());
        m.Click("cmdAutoSearch");
        QCOMPARE(restoreFrom->Path(), latest);
        m.Next();
        m.ChooseType(RestoreAllLatest);
        QVERIFY(m.RunTo(m.RestoreTo()));
        QCOMPARE(m.NotRestoredWhole(), QStringList());
        QCOMPARE(m.Control<QListWidget>("lstUnrestore")->count(), 0);
    }

    // The empty folder a restore needs is made in the directory window itself.
    void restoreIntoAFolderMadeInTheSelector() {
        RestoreMachine m;
        m.Backup(SomeFiles);
        WindowSelectors windows;
        SetSelectorHandler(&windows);
        const auto scripted = qScopeGuard([&m] { SetSelectorHandler(&m.selector); });
        m.Next();
        m.ChooseType(RestoreAllLatest);
        QCOMPARE(m.Window().CurrentStage(), int(frmRestore::ToStage));
        // The window starts where the program was started, which is not empty.
        QVERIFY(!m.Control<QPushButton>("cmdNext")->isEnabled());
        const QString fresh = m.tree.PathOf("fresh/");
        frmDirectory &directory = windows.DirectoryWindow();
        m.prompt.Type("fresh");
        WhenShown(directory, [&directory] {
            QTest::mouseClick(directory.findChild<QPushButton *>("cmdNewFolder"), Qt::LeftButton);
            QTest::mouseClick(directory.findChild<QPushButton *>("cmdOk"), Qt::LeftButton);
        });
        m.Click("cmdChangeRestore");
        QCOMPARE(m.Control<PathLabel>("lblRestore")->Path(), fresh);
        QVERIFY(m.StartRun());
        QCOMPARE(m.NotRestoredWhole(fresh), QStringList());
        QCOMPARE(m.prompt.Texts().first(), QStringLiteral("Enter the new folder's name :"));
    }

    void zippedCopiesAreUnzipped() {
        RestoreMachine m;
        BackupOptions zipped;
        zipped.chkZip = true;
        zipped.chkForceZip = true;
        const QByteArray text = QByteArray("a line that zips well\n").repeated(4000);
        m.tree.Write("data/notes/long.txt", text);
        m.Backup({"small.txt=tiny"}, zipped);
        bool anyZipped = false;
        for (const FileRecord &f : TheModel().Files)
            anyZipped = anyZipped || f.Versions.last().Zipped;
        QVERIFY(anyZipped);
        m.Next();
        m.ChooseType(RestoreAllLatest);
        QVERIFY(m.RunTo(m.RestoreTo()));
        QFile restored(m.Restored("notes/long.txt"));
        QVERIFY(restored.open(QIODevice::ReadOnly));
        QCOMPARE(restored.readAll(), text);
        QVERIFY(!m.Control<QTimer>("tmrUnzip")->isActive());
        QVERIFY(!m.Control<QTimer>("tmrTimer")->isActive());
        QCOMPARE(m.Control<QListWidget>("lstUnrestore")->count(), 0);
    }

    void backFromStep4AfterProgramOnly() {
        RestoreMachine m;
        m.Backup(SomeFiles);
        m.Next();
        m.ChooseType(RestoreProgramOnly);
        QCOMPARE(m.Window().CurrentStage(), int(frmRestore::ToStage));
        m.Click("cmdBack");
        QCOMPARE(m.Window().CurrentStage(), int(frmRestore::TypeStage));
        QVERIFY(m.Control<QGroupBox>("fraRestore1")->isVisible());
        QVERIFY(!m.Control<QGroupBox>("fraRestore2")->isVisible());
    }

    void extensionFilterOnNameWithoutDot_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("readmeShown");
        QTest::newRow("lower case") << "doc" << false;
        QTest::newRow("upper case") << "DOC" << true;
    }
    void extensionFilterOnNameWithoutDot() {
        QFETCH(QString, typed);
        QFETCH(bool, readmeShown);
        RestoreMachine m;
        m.Backup(SomeFiles);
        m.Next();
        m.ChooseType(RestoreChosen);
        QTest::keyClicks(m.Control<QLineEdit>("txtExt"), typed);
        m.Settle();
        // b.doc passes either way; a.txt and c.bin never do.
        QStringList expected = {"b.doc"};
        if (readmeShown)
            expected.append("README");
        QCOMPARE(m.ListedFiles(), expected);
        m.Click("cmdReset");
        QCOMPARE(m.ListedFiles().size(), 4);
    }

    void fileOnlyInDeselectedBackupsIsHidden() {
        RestoreMachine m;
        m.Backup({"old.txt=old", "changed.txt=first"});
        m.tree.Write("data/changed.txt", "second");
        m.Backup();
        m.Next();
        m.ChooseType(RestoreChosen);
        QListWidget *backups = m.Control<QListWidget>("lstBackupFilter");
        QCOMPARE(backups->count(), 2);
        QVERIFY(backups->item(0)->text().startsWith("1. "));
        backups->item(0)->setSelected(false);
        m.Settle();
        QCOMPARE(m.ListedFiles(), QStringList({"changed.txt"}));
        m.Click("cmdBackupInvertAll");
        QCOMPARE(m.ListedFiles(), QStringList({"changed.txt", "old.txt"}));
        m.Click("cmdBackupDeSelAll");
        QCOMPARE(m.ListedFiles(), QStringList());
    }

    void treeButtons() {
        RestoreMachine m;
        m.Backup(SomeFiles);
        m.Next();
        m.ChooseType(RestoreChosen);
        QTreeWidget *tree = m.Control<QTreeWidget>("tvwDirs");
        // The tree has the focus, and so a current node; without one its buttons do nothing.
        tree->setCurrentItem(nullptr);
        QVERIFY(!m.Control<QPushButton>("cmdSelUnder")->isEnabled());
        QTreeWidgetItem *docs = NodeEndingIn(tree, "docs");
        QTreeWidgetItem *deep = NodeEndingIn(tree, "deep");
        QVERIFY(docs && deep);
        // Untick the deeper node alone first, so that inverting below shows each node flips on
        // its own instead of following its parent.
        deep->setCheckState(0, Qt::Unchecked);
        m.Settle();
        QCOMPARE(m.ListedFiles(), QStringList({"a.txt", "b.doc", "README"}));
        tree->setCurrentItem(docs);
        m.Click("cmdInvUnder");
        QCOMPARE(docs->checkState(0), Qt::Unchecked);
        QCOMPARE(deep->checkState(0), Qt::Checked);
        QCOMPARE(m.ListedFiles(), QStringList({"a.txt", "c.bin", "README"}));
        m.Click("cmdDeSelUnder");
        QCOMPARE(m.ListedFiles(), QStringList({"a.txt", "README"}));
        m.Click("cmdSelUnder");
        QCOMPARE(m.ListedFiles().size(), 4);
        m.Click("cmdDeSelAllDir");
        QCOMPARE(m.ListedFiles(), QStringList());
        m.Click("cmdRange");
        QCOMPARE(m.prompt.Texts(),
                 QStringList({"You cannot select a range when there are no files to select!"}));
        m.Click("cmdInvSelDir");
        QCOMPARE(m.ListedFiles().size(), 4);
        // The range window works on the list's ticks, and the counts follow.
        m.selector.onRange = [](RangeRows &rows) {
            QCOMPARE(rows.RowCount(), 4);
            rows.SetRowMarked(1, true);
        };
        m.Click("cmdRange");
        QVERIFY(m.Control<QLabel>("lblFilesShown")->text().contains(" 1 Shown Ticked, 1 Ticked"));
        QVERIFY(m.Window().Selection().Files()[m.Window().Selection().SortedOrder()[1]].Ticked);
    }

    void listsTellSameDayAndSameNameApart_data() {
        QTest::addColumn<QString>("list");
        // %1: the day of both backups, %2: the data folder
        QTest::addColumn<QStringList>("rows");
        const QStringList backups{"1. %1 09:00:00", "2. %1 15:30:45"};
        const QStringList files{"notes.txt (%2one/)", "notes.txt (%2two/)", "solo.txt"};
        QTest::newRow("backup filter") << "lstBackupFilter" << backups;
        QTest::newRow("versions of one file")
            << "cmbBackups" << QStringList{"Set 1, Date %1 09:00:00", "Set 2, Date %1 15:30:45"};
        QTest::newRow("file list") << "lstFiles" << files;
        QTest::newRow("range over the backups") << "cmdBackupRange" << backups;
        QTest::newRow("range over the files") << "cmdRange" << files;
    }
    // Two backups of one day differ by their time, and two files of one name by their folder,
    // in every list of the files step and in the range window opened over them.
    void listsTellSameDayAndSameNameApart() {
        QFETCH(QString, list);
        QFETCH(QStringList, rows);
        const QDate day(2026, 12, 7);
        FixedClock clock(QDateTime(day, QTime(9, 0, 0)));
        RestoreMachine m;
        m.Backup({"one/notes.txt=first", "two/notes.txt=second", "solo.txt=alone"});
        m.tree.Write("data/one/notes.txt", "first, edited in the afternoon");
        clock.Set(QDateTime(day, QTime(15, 30, 45)));
        m.Backup();
        m.Next();
        m.ChooseType(RestoreChosen);
        for (QString &row : rows)
            row.replace(QLatin1String("%1"), ShortDateText(day))
                .replace(QLatin1String("%2"), m.Data());
        QStringList shown;
        if (list == "lstBackupFilter") {
            shown = Texts(m.Control<QListWidget>("lstBackupFilter"));
        } else if (list == "cmbBackups") {
            // The file that changed between the two backups.
            m.Control<CheckRoster>("lstFiles")
                ->SetListIndex(
                    m.Row(QStringLiteral("notes.txt (") + m.Data("one/") + QLatin1Char(')')));
            m.Settle();
            QComboBox *versions = m.Control<QComboBox>("cmbBackups");
            for (int i = 0; i < versions->count(); ++i)
                shown.append(versions->itemText(i));
        } else if (list == "lstFiles") {
            shown = m.ListedFiles();
        } else {
            // The real range window, not the script, lists the rows it would change.
            WindowSelectors windows;
            SetSelectorHandler(&windows);
            QTimer::singleShot(0, [&] {
                QWidget *range = QApplication::activeModalWidget();
                QVERIFY(range);
                auto *from = range->findChild<QComboBox *>(QStringLiteral("cmbFrom"));
                for (int i = 0; i < from->count(); ++i)
                    shown.append(from->itemText(i));
                from->setCurrentIndex(from->count() - 1);
                SaveShot(*range, QStringLiteral("frmRange-") + list);
                range->findChild<QPushButton *>(QStringLiteral("cmdDone"))->click();
            });
            m.Click(list.toLatin1().constData());
            SetSelectorHandler(&m.selector);
        }
        SaveShot(m.Window(), QStringLiteral("frmRestore-files"));
        // Two files of one name list in the order of the history: compared as a set.
        shown.sort();
        rows.sort();
        QCOMPARE(shown, rows);
    }

    void olderVersionChosenIsRestored() {
        RestoreMachine m;
        m.Backup({"letter.txt=first draft", "other.txt=other"});
        m.tree.Write("data/letter.txt", "final version, longer");
        m.Backup();
        m.Next();
        m.ChooseType(RestoreChosen);
        m.Tick("letter.txt");
        CheckRoster *list = m.Control<CheckRoster>("lstFiles");
        list->SetListIndex(m.Row("letter.txt"));
        m.Settle();
        QComboBox *versions = m.Control<QComboBox>("cmbBackups");
        QVERIFY(versions->isEnabled());
        QCOMPARE(versions->count(), 2);
        QVERIFY(versions->itemText(0).startsWith("Set 1, Date "));
        QCOMPARE(versions->currentIndex(), 1);
        versions->setCurrentIndex(0);
        QCOMPARE(m.Control<QLabel>("lblMedia")->text(), QString("1"));
        QCOMPARE(m.Control<PathLabel>("lblFile")->Path(), QString("letter.txt"));
        m.Next();
        QVERIFY(m.RunTo(m.RestoreTo()));
        QFile restored(m.Restored("letter.txt"));
        QVERIFY(restored.open(QIODevice::ReadOnly));
        QCOMPARE(restored.readAll(), QByteArray("first draft"));
        QVERIFY(!QFile::exists(m.Restored("other.txt")));
    }

    void duplicateNamesWithoutStructureRefused() {
        RestoreMachine m;
        m.Backup({"one/Report.DOC=1", "two/report.doc=2", "x.txt=x"});
        m.Next();
        m.ChooseType(RestoreChosen);
        m.Tick("Report.DOC");
        m.Tick("report.doc");
        m.Click("chkDirStruct");
        m.Next();
        QCOMPARE(m.Window().CurrentStage(), int(frmRestore::FilesStage));
        const QStringList texts = m.prompt.Texts();
        QCOMPARE(texts.size(), 1);
        QVERIFY(texts[0].startsWith("This file is duplicated :\n"));
        const QString names = texts[0].section('\n', 1, 1);
        QCOMPARE(names.compare("report.doc", Qt::CaseInsensitive), 0);
        // With the structure kept both are welcome.
        m.Click("chkDirStruct");
        m.Next();
        QCOMPARE(m.Window().CurrentStage(), int(frmRestore::ToStage));
    }

    void nothingSelectedRefused() {
        RestoreMachine m;
        m.Backup(SomeFiles);
        m.Next();
        m.ChooseType(RestoreChosen);
        m.Next();
        QCOMPARE(m.Window().CurrentStage(), int(frmRestore::FilesStage));
        QVERIFY(m.prompt.Texts().value(0).startsWith(
            "You must select some files before restoring them!\n"));
    }

    void nonEmptyDestinationKeepsNextDisabled() {
        RestoreMachine m;
        m.Backup(SomeFiles);
        m.tree.Add({"busy/already.txt=here"});
        m.Next();
        m.ChooseType(RestoreAllLatest);
        QVERIFY(!m.RunTo(m.tree.PathOf("busy/")));
        QVERIFY(m.Control<QLabel>("lblWarning")->isVisible());
        QVERIFY(!m.Control<QPushButton>("cmdNext")->isEnabled());
        QFile::remove(m.tree.PathOf("busy/already.txt"));
        m.Click("cmdCheck");
        QVERIFY(!m.Control<QLabel>("lblWarning")->isVisible());
        QVERIFY(m.Control<QPushButton>("cmdNext")->isEnabled());
    }

    void missingMedium_data() {
        QTest::addColumn<bool>("skip");
        QTest::newRow("skipped") << true;
        QTest::newRow("cancelled") << false;
    }
    void missingMedium() {
        QFETCH(bool, skip);
        RestoreMachine m;
        m.SetMedia(100, 1024, true);
        m.Backup({"first.bin:80000", "second.bin:80000", "third.bin:80000"});
        const QString away = m.MediumDir(1, 1);
        QVERIFY(QDir().rename(away.chopped(1), away.chopped(1) + "-away"));
        // The program's own file is told apart from the medium's by a name only it carries.
        TheModel().Settings.MediaName = "Own";
        QVERIFY(SaveIniFile(ProgramIniPath()));
        m.Next();
        m.ChooseType(RestoreAllLatest);
        if (skip) {
            m.prompt.AnswerTo(Question::MediaNotFound, MsgAnswer::No)
                .AnswerTo(Question::LookForMediaDirectory, MsgAnswer::No)
                .AnswerTo(Question::SkipMedium, MsgAnswer::Yes)
                .AnswerTo(Question::MediumUnavailable, MsgAnswer::No);
            QVERIFY(m.RunTo(m.RestoreTo()));
            QCOMPARE(m.Control<QListWidget>("lstUnrestore")->count(), 1);
            QVERIFY(Texts(m.Control<QListWidget>("lstUnrestore"))[0].contains(
                " - Backup media could not be found! - "));
            int restored = 0;
            for (const QString name : {"first.bin", "second.bin", "third.bin"})
                restored += QFile::exists(m.Restored(name)) ? 1 : 0;
            QCOMPARE(restored, 2);
        } else {
            m.prompt.AnswerTo(Question::MediaNotFound, MsgAnswer::Cancel)
                .AnswerTo(Question::ReallyCancel, MsgAnswer::Yes);
            QVERIFY(!m.RunTo(m.RestoreTo()));
            QVERIFY(!m.Window().isVisible());
            QCOMPARE(TheModel().Settings.MediaName, QString("Own"));
        }
    }

    void pauseThenCancel() {
        RestoreMachine m;
        QStringList files;
        for (int i = 0; i < 30; ++i)
            files.append(QString("f%1.bin:300000").arg(i, 2, 10, QChar('0')));
        m.Backup(files);
        m.Next();
        m.ChooseType(RestoreAllLatest);
        m.prompt.AnswerTo(Question::Paused, MsgAnswer::Cancel)
            .AnswerTo(Question::ReallyCancel, MsgAnswer::Yes);
        // Pause is pressed as soon as the run shows its first file.
        QTimer watcher;
        watcher.setInterval(0);
        bool pressed = false;
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            if (!pressed && m.Control<QLabel>("lblRestored")->text().contains(" Out Of ")) {
                pressed = true;
                SaveShot(m.Window(), "frmRestore-5");
                m.Control<QPushButton>("cmdPause")->click();
            }
        });
        watcher.start();
        QVERIFY(!m.RunTo(m.RestoreTo()));
        watcher.stop();
        QVERIFY(pressed);
        QVERIFY(!m.Window().isVisible());
        QVERIFY(
            m.prompt.Texts().contains("Paused!\nPress OK to continue.\nPress Cancel to cancel."));
        int restored = 0;
        for (const QString &name : files)
            restored += QFile::exists(m.Restored(name.section(':', 0, 0))) ? 1 : 0;
        QVERIFY(restored < files.size());
    }

    void restoreOnlyFromCopyOfMedium_data() {
        QTest::addColumn<int>("type");
        QTest::newRow("files only") << int(RestoreAllLatest);
        QTest::newRow("files and program") << int(RestoreAllWithProgram);
    }
    void restoreOnlyFromCopyOfMedium() {
        QFETCH(int, type);
        RestoreMachine m;
        m.Backup(SomeFiles);
        // The medium copied whole to another place, and the program started from its copy.
        const QString copy = m.tree.PathOf("cd/");
        QVERIFY(QDir().mkpath(copy));
        QVERIFY(QProcess::execute("cp", {"-a", m.MediumDir(1, 1) + ".", copy}) == 0);
        platform::SetProgramDirectory(copy + "!IN_HERE!/");
        const QByteArray iniBefore = m.tree.Read("cd/!IN_HERE!/Backup.Ini");
        TheAppMode().RestoreMode = true;
        ResetSettings();
        m.selector.lastDirectory = copy;
        QCOMPARE(m.Control<QPushButton>("cmdCancel")->text(), QString("Exit"));
        QCOMPARE(m.Control<PathLabel>("lblRestDir")->Path(), copy);
        m.Next();
        m.ChooseType(type);
        QVERIFY(m.RunTo(m.RestoreTo()));
        QFile restored(m.Restored("docs/b.doc"));
        QVERIFY(restored.open(QIODevice::ReadOnly));
        QCOMPARE(restored.readAll(), QByteArray("bravo bravo"));
        m.Next();
        QCOMPARE(m.endedWith, QList<int>({0}));
        const QString bye = m.prompt.Texts().last();
        QVERIFY(bye.startsWith("Restoring done! Byebye!\nTo restore more files you can run the "
                               "program from the CD again.\n"));
        if (type == RestoreAllWithProgram) {
            const QString program =
                m.RestoreTo() + "!IN_HERE!/" + platform::ExecutableName("Backup");
            QVERIFY(bye.endsWith("Or, as you chose to restore the program files, you can also run "
                                 "the program from :\n" +
                                 program));
            QVERIFY(QFile::exists(program));
        } else {
            QVERIFY(bye.endsWith("Next time you restore files you have the option of restoring "
                                 "the program files too!"));
        }
        QCOMPARE(m.tree.Read("cd/!IN_HERE!/Backup.Ini"), iniBefore);
    }

    void exitInRestoreOnlyModeEndsProgram() {
        RestoreMachine m;
        m.Backup(SomeFiles);
        TheAppMode().RestoreMode = true;
        m.prompt.AnswerTo(Question::ReallyCancel, MsgAnswer::No);
        m.Click("cmdCancel");
        QVERIFY(m.Window().isVisible());
        m.prompt.AnswerTo(Question::ReallyCancel, MsgAnswer::Yes);
        StatusLog::Instance().Clear();
        m.Click("cmdCancel");
        QVERIFY(!m.Window().isVisible());
        QCOMPARE(m.endedWith, QList<int>({0}));
        // The program's own information file is no part of this mode, not even on the way out.
        QVERIFY2(!StatusLog::Instance().Text().contains("LoadIniFile"),
                 qPrintable(StatusLog::Instance().Text()));
    }

    void controlCentreOpensAndGetsButtonsBack() {
        RestoreMachine m;
        m.Backup(SomeFiles);
        frmControl control(false);
        frmRestore window;
        RegisterAppWindow(AppWindow::Restore, &window, [&window] { window.ShowForm(); });
        control.RefreshAvailability();
        control.show();
        QPushButton *restore = control.findChild<QPushButton *>("cmdRestore");
        QVERIFY(restore->isEnabled());
        QTest::mouseClick(restore, Qt::LeftButton);
        QVERIFY(window.isVisible());
        QCOMPARE(window.CurrentStage(), int(frmRestore::FromStage));
        QVERIFY(!restore->isEnabled());
        // The medium's file is loaded into the window's own model and dropped with the window.
        window.findChild<QPushButton *>("cmdNext")->click();
        QCOMPARE(window.CurrentStage(), int(frmRestore::TypeStage));
        m.prompt.AnswerTo(Question::ReallyCancel, MsgAnswer::Yes);
        window.findChild<QPushButton *>("cmdCancel")->click();
        QVERIFY(!window.isVisible());
        QVERIFY(restore->isEnabled());
        RegisterAppWindow(AppWindow::Restore, nullptr);
    }

    // The whole restore without a mouse: Enter moves on, the arrows choose the type, Enter on the
    // focused button chooses the destination and the focus goes on to Next; after the run it is
    // on Finish, and Escape there closes without asking.
    void keyboardOnlyJourney_data() {
        QTest::addColumn<int>("lastKey");
        QTest::newRow("Finish") << int(Qt::Key_Return);
        QTest::newRow("Escape at the end") << int(Qt::Key_Escape);
    }
    void keyboardOnlyJourney() {
        QFETCH(int, lastKey);
        RestoreMachine m;
        m.Backup(SomeFiles);
        frmRestore *window = &m.Window();
        QVERIFY(QTest::qWaitForWindowActive(window));
        const auto press = [window](int key) {
            QWidget *focused = QApplication::focusWidget();
            QVERIFY(focused && focused->window() == window);
            QTest::keyClick(focused, Qt::Key(key));
        };
        press(Qt::Key_Return);
        QCOMPARE(window->CurrentStage(), int(frmRestore::TypeStage));
        QCOMPARE(QApplication::focusWidget(), m.Control<QWidget>("optRestType3"));
        press(Qt::Key_Up);
        press(Qt::Key_Up);
        QVERIFY(m.Control<QRadioButton>("optRestType1")->isChecked());
        // A destination that is not empty has to be changed first.
        m.selector.lastDirectory = m.Data();
        press(Qt::Key_Return);
        QCOMPARE(window->CurrentStage(), int(frmRestore::ToStage));
        QCOMPARE(QApplication::focusWidget(), m.Control<QWidget>("cmdChangeRestore"));
        m.selector.answers.append(m.RestoreTo());
        press(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), m.Control<QWidget>("cmdNext"));
        press(Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(window->CurrentStage(), int(frmRestore::FinishedStage), 60000);
        QCOMPARE(QApplication::focusWidget(), m.Control<QWidget>("cmdNext"));
        QCOMPARE(m.Control<QPushButton>("cmdNext")->text(), QStringLiteral("Finish"));
        QCOMPARE(m.NotRestoredWhole(), QStringList());
        m.prompt.Clear();
        press(lastKey);
        QVERIFY(!window->isVisible());
        QVERIFY(m.prompt.Texts().isEmpty());
    }

    void escapeAsksAsCancelDoes_data() {
        QTest::addColumn<MsgAnswer>("answer");
        QTest::newRow("No") << MsgAnswer::No;
        QTest::newRow("Yes") << MsgAnswer::Yes;
    }
    void escapeAsksAsCancelDoes() {
        QFETCH(MsgAnswer, answer);
        RestoreMachine m;
        m.Backup(SomeFiles);
        QVERIFY(QTest::qWaitForWindowActive(&m.Window()));
        m.prompt.Clear();
        m.prompt.AnswerTo(Question::ReallyCancel, answer);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(m.prompt.Texts(), QStringList{"Really cancel?"});
        QCOMPARE(m.Window().isVisible(), answer == MsgAnswer::No);
    }

    void closeBoxRefusedUnlessCancelled() {
        RestoreMachine m;
        m.Backup(SomeFiles);
        m.prompt.AnswerTo(Question::ReallyCancel, MsgAnswer::No);
        QVERIFY(!m.Window().close());
        QVERIFY(m.Window().isVisible());
        m.prompt.AnswerTo(Question::ReallyCancel, MsgAnswer::Yes);
        QVERIFY(m.Window().close());
        QVERIFY(!m.Window().isVisible());
        QVERIFY(CancelFlag());
    }

    void emptyInformationFileClosesWindow() {
        RestoreMachine m;
        m.Backup(SomeFiles);
        // The program's own file lists files; an information file without any is refused.
        ResetSettings();
        m.tree.Add({"empty/!IN_HERE!/Media.ID=1\r\n"});
        QVERIFY(SaveIniFile(m.tree.PathOf("empty/!IN_HERE!/Backup.Ini")));
        QVERIFY(LoadIniFile(ProgramIniPath(), false));
        TheModel().Settings.BackupDirectory = m.Data();
        m.selector.lastDirectory = m.tree.PathOf("empty/");
        m.Next();
        QVERIFY(!m.Window().isVisible());
        QCOMPARE(m.prompt.Texts(),
                 QStringList({"There do not appear to be any files to restore!"}));
        QVERIFY(TheModel().FilesLast() >= 0);
    }
};

QTEST_MAIN(TestRestoreWizard)
#include "tst_restorewizard.moc"
