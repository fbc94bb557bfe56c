// The details window through its real controls: the two views, the rows of backups, media,
// files and versions with their marks, the detail labels, the search boxes and their delay, the
// hidden way to the diagnostics window, Done and the close box, and the control centre's
// button and tray entry that open it. With PELLMOOR_SCREENSHOTS naming a folder, the views are
// saved there as pictures.

#include "PlainRoster.h"
#include "appwindows.h"
#include "datetext.h"
#include "frmControl.h"
#include "frmDetails.h"
#include "historymodel.h"
#include "model.h"
#include "modelchange.h"
#include "scriptedprompt.h"
#include "windowlook.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <algorithm>

namespace {

QStringList Rows(QListWidget *list) {
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows.append(list->item(i)->text());
    return rows;
}

QStringList Rows(PlainRoster *list) {
    QStringList rows;
    for (int i = 0; i < list->ListCount(); ++i)
        rows.append(list->List(i));
    return rows;
}

// Three backups: B1 on media 1-2, B2 on media 3-5 (the 4th unavailable, the 5th deleted), B3 on
// medium 6 with no size limit, all at once, a fresh point. Files: report.doc in B1 and spanned over
// media 4-5 in B2, Notes.txt in B2 on medium 3, README in B3.
void BuildHistory(HistoryModel &history) {
    history.AddBackup(QStringLiteral("01/11/2026"), 2);
    history.AddBackup(QStringLiteral("08/11/2026"), 3);
    history.AddBackup(QStringLiteral("15/11/2026"), 1, QStringLiteral("HDD"));
    history.MarkUnavailable(3);
    history.MarkUnavailable(4, true);
    const int report = history.AddFile(QStringLiteral("/home/ann/"), QStringLiteral("report.doc"));
    history.AddVersion(report, 0, 0, 10);
    history.AddVersion(report, 1, 3, 900000, 4);
    const int notes = history.AddFile(QStringLiteral("/home/ann/"), QStringLiteral("Notes.txt"));
    history.AddVersion(notes, 1, 2, 3);
    const int readme = history.AddFile(QStringLiteral("/home/ann/src/"), QStringLiteral("README"));
    history.AddVersion(readme, 2, 5, 1);
    BackupRecord &latest = TheModel().Backups[2];
    latest.MediaSize = -1;
    latest.WriteAllAtOnce = true;
    latest.FreshPoint = true;
    TheModel().Settings.LastBackupDate = QDate(2026, 11, 15);
}

} // namespace

class TestDetails : public QObject {
    Q_OBJECT

    frmDetails *w = nullptr;
    int diagnosticsOpened = 0;
    int helpOpened = 0;

    template <typename T> T *Find(const char *name) {
        T *control = w->findChild<T *>(QString::fromLatin1(name));
        if (!control)
            qFatal("no control %s", name);
        return control;
    }
    QString Text(const char *label) { return Find<QLabel>(label)->text(); }
    QListWidget *Backups() { return Find<QListWidget>("lstBackups"); }
    PlainRoster *Files() { return Find<PlainRoster>("lstFiles"); }
    QListView *FilesView() { return Files()->findChild<QListView *>(QStringLiteral("lstDisplay")); }
    QTimer *PopTimer() { return w->findChild<QTimer *>(QStringLiteral("tmrPopFiles")); }

    void ByFile() { QTest::mouseClick(Find<QRadioButton>("optFilesBackups_1"), Qt::LeftButton); }
    void ByBackup() { QTest::mouseClick(Find<QRadioButton>("optFilesBackups_0"), Qt::LeftButton); }
    void ClickBackupRow(int row) {
        QListWidget *list = Backups();
        const QRect rect = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }
    void ClickFileRow(int row) {
        QListView *view = FilesView();
        // The list shows its page a moment after the last addition.
        QTRY_VERIFY(view->model()->rowCount() > row);
        view->scrollTo(view->model()->index(row, 0));
        const QRect rect = view->visualRect(view->model()->index(row, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    }
    // Types into a search box and waits for the delayed refill.
    void Search(const char *box, const QString &text) {
        QLineEdit *edit = Find<QLineEdit>(box);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
        QVERIFY(PopTimer()->isActive());
        QTRY_VERIFY(!PopTimer()->isActive());
    }
    QStringList Details(std::initializer_list<const char *> labels) {
        QStringList texts;
        for (const char *label : labels)
            texts.append(Text(label));
        return texts;
    }
    void Look(const QString &name) {
        QVERIFY(w->width() <= 1024);
        QVERIFY(w->height() <= 768);
        for (QLabel *label : w->findChildren<QLabel *>()) {
            if (!label->isVisible() || label->wordWrap() ||
                label->sizePolicy().horizontalPolicy() == QSizePolicy::Ignored)
                continue;
            QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->objectName()));
        }
        for (QAbstractButton *button : w->findChildren<QAbstractButton *>()) {
            if (button->isVisible())
                QVERIFY2(button->width() >= button->sizeHint().width(),
                         qPrintable(button->objectName()));
        }
        SaveShot(*w, QStringLiteral("frmDetails-") + name);
    }

private Q_SLOTS:
    void init() {
        w = new frmDetails;
        diagnosticsOpened = 0;
        helpOpened = 0;
        w->SetOpenDiagnostics([this] { ++diagnosticsOpened; });
        w->SetOpenHelp([this] { ++helpOpened; });
    }
    void cleanup() {
        delete w;
        w = nullptr;
        ResetSettings();
    }

    void controlsCarryTheirCaptions_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("caption");
        const char *rows[][2] = {{"optFilesBackups_0", "View File Details By Backup"},
                                 {"optFilesBackups_1", "View Backup Details By File"},
                                 {"lblLastCap", "Last Backup :"},
                                 {"lblUsedCap", "Total Media Used :"},
                                 {"fraBackups", "Backups"},
                                 {"lblBackupDetails", "Backup Details :"},
                                 {"lblNumberCap", "Set Number :"},
                                 {"lblDateCap", "Set Date :"},
                                 {"lblMNameCap", "Media Name :"},
                                 {"lblMSizeCap", "Media Size :"},
                                 {"lblWriteCap", "Write Method :"},
                                 {"lblFreshCap", "Fresh Backup Point :"},
                                 {"fraFiles", "Files"},
                                 {"lblDirCap", "Directory :"},
                                 {"lblFileCap", "File :"},
                                 {"lblTimesCap", "Times Backed Up :"},
                                 {"fraFilesBackups", "File && Backup"},
                                 {"lblMediaCap", "On Media Number :"},
                                 {"lblSizeCap", "Size :"},
                                 {"lblSpannedCap", "Spanned :"},
                                 {"lblSpanLengthCap", "No. of Media Spanned :"},
                                 {"fraSearch", "Search :"},
                                 {"lblSearchFile", "File Name Contains :"},
                                 {"lblExt", "Extension Contains :"},
                                 {"lblStars", "*'s usually mean that one or more of the media that "
                                              "are part of a backup/file have been marked as "
                                              "unavailable."},
                                 {"cmdDone", "Done"},
                                 {"cmdHelp", "Help"}};
        for (const auto &row : rows)
            QTest::newRow(row[0]) << row[0] << row[1];
    }
    void controlsCarryTheirCaptions() {
        QFETCH(QString, control);
        QFETCH(QString, caption);
        QCOMPARE(w->windowTitle(), QStringLiteral("Details"));
        QWidget *widget = w->findChild<QWidget *>(control);
        QVERIFY(widget);
        if (auto *label = qobject_cast<QLabel *>(widget))
            QCOMPARE(label->text(), caption);
        else if (auto *frame = qobject_cast<QGroupBox *>(widget))
            QCOMPARE(frame->title(), caption);
        else
            QCOMPARE(qobject_cast<QAbstractButton *>(widget)->text(), caption);
    }

    void emptyHistoryShowsNoneNeverAndNothingElse_data() {
        QTest::addColumn<bool>("byFile");
        QTest::newRow("by backup") << false;
        QTest::newRow("by file") << true;
    }
    void emptyHistoryShowsNoneNeverAndNothingElse() {
        QFETCH(bool, byFile);
        HistoryModel history;
        w->ShowForm();
        if (byFile)
            ByFile();
        QCOMPARE(Text("lblUsed"), QStringLiteral("None"));
        QCOMPARE(Text("lblLast"), QStringLiteral("Never"));
        QCOMPARE(Backups()->count(), 0);
        QCOMPARE(Files()->ListCount(), 0);
        for (const char *label : {"lblNumber", "lblDate", "lblFirst", "lblNum", "lblMName",
                                  "lblMSize", "lblWrite", "lblFresh", "lblDir", "lblFile",
                                  "lblTimes", "lblMedia", "lblSize", "lblSpanned", "lblSpanLength"})
            QVERIFY2(Text(label).isEmpty(), label);
        QCOMPARE(Text("lblFirstCap"), QStringLiteral("First Media :"));
        QCOMPARE(Text("lblNumCap"), QStringLiteral("Number Of Media Used :"));
    }

    void backupsListTheirMediaWithMarks() {
        HistoryModel history;
        BuildHistory(history);
        w->ShowForm();
        QCOMPARE(Text("lblUsed"), QStringLiteral("6"));
        QCOMPARE(Text("lblLast"), ShortDateText(QDate(2026, 11, 15)));
        QCOMPARE(
            Rows(Backups()),
            (QStringList{"B1. 01/11/2026", "- B1.M1 - CD1 Of 1 To 2", "- B1.M2 - CD2 Of 1 To 2",
                         "B2. 08/11/2026", "- B2.M3 - CD3 Of 3 To 5", "- *B2.M4 - CD4 Of 3 To 5",
                         "- DB2.M5 - CD5 Of 3 To 5", "B3. 15/11/2026", "- B3.M6 - HDD6"}));
        QCOMPARE(Files()->ListCount(), 0);
    }

    void aBackupRowListsItsCopiesAndDetails() {
        HistoryModel history;
        BuildHistory(history);
        w->ShowForm();
        ClickBackupRow(3);
        QCOMPARE(Rows(Files()),
                 (QStringList{"1. Notes.txt, On Media 3", "2. *report.doc, On Media 4-5"}));
        QCOMPARE(Details({"lblNumber", "lblDate", "lblFirstCap", "lblFirst", "lblNumCap", "lblNum",
                          "lblMName", "lblMSize", "lblWrite", "lblFresh"}),
                 (QStringList{"2", "08/11/2026", "First CD :", "3", "Number Of CDs Used :", "3",
                              "CD", "650 MB", "One By One", "No"}));
        QCOMPARE(Text("lblFile"), QString());

        ClickFileRow(1);
        QCOMPARE(Text("lblFile"), QStringLiteral("report.doc"));
        QCOMPARE(Text("lblTimes"), QStringLiteral("2"));
        QCOMPARE(Details({"lblMedia", "lblSize", "lblSpanned", "lblSpanLength"}),
                 (QStringList{"D4", "878.9 MB", "Yes", "1"}));
        QCOMPARE(Text("lblNumber"), QStringLiteral("2"));

        ClickBackupRow(7);
        QCOMPARE(Details({"lblNumber", "lblFirstCap", "lblFirst", "lblNumCap", "lblNum", "lblMSize",
                          "lblWrite", "lblFresh"}),
                 (QStringList{"3", "First HDD :", "6", "Number Of HDDs Used :", "1", "No Limit",
                              "All At Once", "Yes"}));
        QCOMPARE(Text("lblMedia"), QString());
    }

    void aMediumRowListsTheCopiesStartingOnIt_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("M3") << 4 << QStringList{"1. Notes.txt, On Media 3"};
        QTest::newRow("M4, where the spanned copy starts")
            << 5 << QStringList{"1. *report.doc, On Media 4-5"};
        QTest::newRow("M5, where it ends") << 6 << QStringList();
        QTest::newRow("single medium of B3") << 8 << QStringList{"1. README, On Media 6"};
    }
    void aMediumRowListsTheCopiesStartingOnIt() {
        QFETCH(int, row);
        QFETCH(QStringList, files);
        HistoryModel history;
        BuildHistory(history);
        w->ShowForm();
        ClickBackupRow(row);
        QCOMPARE(Rows(Files()), files);
    }

    void byFileListsSortedFilesAndTheirVersions() {
        HistoryModel history;
        BuildHistory(history);
        w->ShowForm();
        ByFile();
        QCOMPARE(Rows(Files()), (QStringList{"1. Notes.txt", "2. README", "3. report.doc"}));
        // The first file is chosen at once.
        QCOMPARE(Files()->ListIndex(), 0);
        QCOMPARE(Text("lblFile"), QStringLiteral("Notes.txt"));
        QCOMPARE(Rows(Backups()), (QStringList{"1. 08/11/2026, First Media 3"}));

        ClickFileRow(2);
        QCOMPARE(Text("lblFile"), QStringLiteral("report.doc"));
        QCOMPARE(Text("lblDir"), QStringLiteral("/home/ann/"));
        QCOMPARE(Text("lblTimes"), QStringLiteral("2"));
        QCOMPARE(Rows(Backups()),
                 (QStringList{"1. 01/11/2026, First Media 1", "2. D08/11/2026, First Media 3"}));
        QCOMPARE(Text("lblNumber"), QString());

        ClickBackupRow(1);
        QCOMPARE(Text("lblNumber"), QStringLiteral("2"));
        QCOMPARE(Details({"lblMedia", "lblSpanned", "lblSpanLength"}),
                 (QStringList{"D4", "Yes", "1"}));
        ClickBackupRow(0);
        QCOMPARE(Text("lblNumber"), QStringLiteral("1"));
        QCOMPARE(Details({"lblMedia", "lblSpanned", "lblSpanLength"}),
                 (QStringList{"1", "No", "0"}));

        // Back by backup: the backups again, nothing chosen.
        ByBackup();
        QCOMPARE(Backups()->count(), 9);
        QCOMPARE(Files()->ListCount(), 0);
        QCOMPARE(Text("lblFile"), QString());
    }

    void sameDayAndSameNameAreToldApart_data() {
        QTest::addColumn<bool>("byFile");
        QTest::addColumn<int>("backupRow"); // clicked first, -1 for none
        QTest::addColumn<int>("fileRow");   // clicked then, -1 for none
        QTest::addColumn<QString>("control");
        QTest::addColumn<QStringList>("rows"); // %1: the day of both backups
        QTest::newRow("backups") << false << -1 << -1 << "lstBackups"
                                 << QStringList{"B1. %1 09:00:00", "- B1.M1 - CD1",
                                                "B2. %1 15:30:45", "- B2.M2 - CD2"};
        QTest::newRow("set date of the second")
            << false << 2 << -1 << "lblDate" << QStringList{"%1 15:30:45"};
        QTest::newRow("last backup")
            << false << -1 << -1 << "lblLast" << QStringList{"%1 15:30:45"};
        QTest::newRow("files of the first backup")
            << false << 0 << -1 << "lstFiles"
            << QStringList{"1. notes.txt (/home/ann/a/), On Media 1",
                           "2. notes.txt (/home/ann/b/), On Media 1"};
        QTest::newRow("files") << true << -1 << -1 << "lstFiles"
                               << QStringList{"1. notes.txt (/home/ann/a/)",
                                              "2. notes.txt (/home/ann/b/)", "3. solo.txt"};
        QTest::newRow("versions of a file")
            << true << -1 << 0 << "lstBackups"
            << QStringList{"1. %1 09:00:00, First Media 1", "2. %1 15:30:45, First Media 2"};
    }
    // Two backups of one day show their times, and two files of one name their folders.
    void sameDayAndSameNameAreToldApart() {
        QFETCH(bool, byFile);
        QFETCH(int, backupRow);
        QFETCH(int, fileRow);
        QFETCH(QString, control);
        QFETCH(QStringList, rows);
        const QDate day(2026, 12, 7);
        HistoryModel history;
        history.AddBackup(SetDateText(QDateTime(day, QTime(9, 0, 0))), 1);
        history.AddBackup(SetDateText(QDateTime(day, QTime(15, 30, 45))), 1);
        TheModel().Settings.LastBackupDate = day;
        const int a = history.AddFile(QStringLiteral("/home/ann/a/"), QStringLiteral("notes.txt"));
        const int b = history.AddFile(QStringLiteral("/home/ann/b/"), QStringLiteral("notes.txt"));
        const int solo = history.AddFile(QStringLiteral("/home/ann/"), QStringLiteral("solo.txt"));
        history.AddVersion(a, 0, 0);
        history.AddVersion(a, 1, 1);
        history.AddVersion(b, 0, 0);
        history.AddVersion(solo, 1, 1);
        w->ShowForm();
        if (byFile)
            ByFile();
        if (backupRow >= 0)
            ClickBackupRow(backupRow);
        if (fileRow >= 0)
            ClickFileRow(fileRow);
        for (QString &row : rows)
            row = row.arg(ShortDateText(day));
        QStringList shown;
        if (control == "lstBackups")
            shown = Rows(Backups());
        else if (control == "lstFiles")
            shown = Rows(Files());
        else
            shown = QStringList{Text(control.toLatin1().constData())};
        QCOMPARE(shown, rows);
        SaveShot(*w, QStringLiteral("frmDetails-sameday-") +
                         QString::fromLatin1(QTest::currentDataTag()).replace(' ', '-'));
    }

    void fourteenFilesTakeTheMergePathAndCaseVariantsStandTogether() {
        HistoryModel history;
        history.AddBackup(QStringLiteral("01/11/2026"), 1);
        const QStringList names{"b.txt", "Report.doc", "a.txt", "REPORT.DOC", "z.txt",
                                "c.txt", "report.doc", "y.txt", "d.txt",      "x.txt",
                                "e.txt", "w.txt",      "f.txt", "v.txt",      "reporT.doc"};
        for (const QString &name : names)
            history.AddVersion(history.AddFile(QStringLiteral("/d/"), name), 0, 0);
        w->ShowForm();
        ByFile();
        const QStringList rows = Rows(Files());
        QCOMPARE(rows.size(), names.size());
        QStringList shown;
        for (const QString &row : rows)
            shown.append(row.section(QStringLiteral(". "), 1).toLower());
        QStringList expected = shown;
        std::sort(expected.begin(), expected.end());
        QCOMPARE(shown, expected);
        QCOMPARE(rows.first(), QStringLiteral("1. a.txt"));
        QCOMPARE(rows.last(), QStringLiteral("15. z.txt"));
    }

    void searchRefillsAfterTheDelay_data() {
        QTest::addColumn<QString>("fileBox");
        QTest::addColumn<QString>("extBox");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("README with any extension")
            << ""
            << "doc" << QStringList{"1. README", "2. report.doc"};
        QTest::newRow("README by name and extension") << "read"
                                                      << "xyz" << QStringList{"1. README"};
        QTest::newRow("name part") << "o"
                                   << "" << QStringList{"1. Notes.txt", "2. report.doc"};
        QTest::newRow("nothing matches") << "zzz"
                                         << "" << QStringList();
    }
    void searchRefillsAfterTheDelay() {
        QFETCH(QString, fileBox);
        QFETCH(QString, extBox);
        QFETCH(QStringList, rows);
        HistoryModel history;
        BuildHistory(history);
        w->ShowForm();
        ByFile();
        if (!fileBox.isEmpty())
            Search("txtFile", fileBox);
        if (!extBox.isEmpty())
            Search("txtExt", extBox);
        QCOMPARE(Rows(Files()), rows);
        QCOMPARE(Files()->ListIndex(), rows.isEmpty() ? -1 : 0);
        QCOMPARE(Text("lblFile"),
                 rows.isEmpty() ? QString() : rows.first().section(QStringLiteral(". "), 1));
    }

    void searchByBackupNarrowsTheBackupsFiles() {
        HistoryModel history;
        BuildHistory(history);
        w->ShowForm();
        ClickBackupRow(3);
        Search("txtExt", QStringLiteral("txt"));
        QCOMPARE(Rows(Files()), QStringList{"1. Notes.txt, On Media 3"});
    }

    void quoxelOpensTheDiagnosticsWindow_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("opened");
        QTest::addColumn<QString>("left");
        QTest::newRow("quoxel") << "quoxel" << 1 << "";
        QTest::newRow("capital first letter") << "Quoxel" << 0 << "Quoxel";
        QTest::newRow("longer word") << "quoxels" << 1 << "s";
    }
    void quoxelOpensTheDiagnosticsWindow() {
        QFETCH(QString, typed);
        QFETCH(int, opened);
        QFETCH(QString, left);
        HistoryModel history;
        BuildHistory(history);
        w->ShowForm();
        ByFile();
        QTest::keyClicks(Find<QLineEdit>("txtFile"), typed);
        QCOMPARE(diagnosticsOpened, opened);
        QCOMPARE(Find<QLineEdit>("txtFile")->text(), left);
    }

    void populatingShowsProgressInTheCaption() {
        HistoryModel history;
        history.AddBackup(QStringLiteral("01/11/2026"), 1);
        for (int i = 0; i < 2500; ++i)
            history.AddVersion(history.AddFile(QStringLiteral("/d/"), QString::number(i)), 0, 0);
        w->ShowForm();
        QStringList captions;
        connect(w, &QWidget::windowTitleChanged, w,
                [&captions](const QString &title) { captions.append(title); });
        ByFile();
        QCOMPARE(captions, (QStringList{"Details - Populating 0%", "Details - Populating 40%",
                                        "Details - Populating 80%", "Details"}));
        QCOMPARE(Files()->ListCount(), 2500);
    }

    void aViewChosenWhileTheListFillsStartsTheFillOver() {
        HistoryModel history;
        history.AddBackup(QStringLiteral("01/11/2026"), 1);
        for (int i = 0; i < 2500; ++i)
            history.AddVersion(history.AddFile(QStringLiteral("/d/"), QString::number(i)), 0, 0);
        w->ShowForm();
        bool switched = false;
        connect(w, &QWidget::windowTitleChanged, w, [&](const QString &title) {
            if (!switched && title.endsWith(QLatin1String("40%"))) {
                switched = true;
                Find<QRadioButton>("optFilesBackups_0")->click();
            }
        });
        ByFile();
        QVERIFY(switched);
        QVERIFY(w->ViewByBackup());
        QCOMPARE(w->windowTitle(), QStringLiteral("Details"));
        QCOMPARE(Files()->ListCount(), 0);
        QCOMPARE(Rows(Backups()), (QStringList{"B1. 01/11/2026", "- B1.M1 - CD1"}));
    }

    // Something changes the model while the list fills by file: the window is closed and shown
    // over another history (as a restore loads one), or a run is announced and re-sorts the
    // files. The fill never goes on reading the old positions.
    void modelChangedWhileTheListFills_data() {
        QTest::addColumn<bool>("announced");
        QTest::newRow("reopened over another history") << false;
        QTest::newRow("a run announced: the window goes") << true;
    }
    void modelChangedWhileTheListFills() {
        QFETCH(bool, announced);
        HistoryModel history;
        history.AddBackup(QStringLiteral("01/11/2026"), 1);
        for (int i = 0; i < 2500; ++i)
            history.AddVersion(history.AddFile(QStringLiteral("/d/"), QString::number(i)), 0, 0);
        w->ShowForm();
        bool changed = false;
        const QMetaObject::Connection at40 =
            connect(w, &QWidget::windowTitleChanged, w, [&](const QString &title) {
                if (changed || !title.endsWith(QLatin1String("40%")))
                    return;
                changed = true;
                if (announced) {
                    AnnounceModelChange();
                    std::reverse(TheModel().Files.begin(), TheModel().Files.end());
                    return;
                }
                QTest::mouseClick(Find<QPushButton>("cmdDone"), Qt::LeftButton);
                HistoryModel smaller;
                smaller.AddBackup(QStringLiteral("02/11/2026"), 1);
                smaller.AddVersion(smaller.AddFile(QStringLiteral("/e/"), QStringLiteral("x")), 0,
                                   0);
                w->ShowForm();
            });
        ByFile();
        disconnect(at40);
        QVERIFY(changed);
        if (announced) {
            QVERIFY(!w->isVisible());
            QCOMPARE(Files()->ListCount(), 0);
        } else {
            QCOMPARE(Rows(Files()), QStringList{"1. x"});
            QCOMPARE(Text("lblDir"), QStringLiteral("/e/"));
        }
    }

    void theViewsSwapTheFrames() {
        HistoryModel history;
        w->ShowForm();
        QApplication::processEvents();
        const auto left = [this](const char *a, const char *b) {
            return Find<QGroupBox>(a)->geometry().right() < Find<QGroupBox>(b)->geometry().left();
        };
        QVERIFY(left("fraBackups", "fraFiles"));
        ByFile();
        QApplication::processEvents();
        QVERIFY(left("fraFiles", "fraBackups"));
    }

    void openingAgainRereadsTheModelAndEmptiesTheBoxes() {
        HistoryModel history;
        BuildHistory(history);
        w->ShowForm();
        ByFile();
        Search("txtFile", QStringLiteral("read"));
        QTest::mouseClick(Find<QPushButton>("cmdDone"), Qt::LeftButton);
        QVERIFY(!w->isVisible());
        history.AddVersion(history.AddFile(QStringLiteral("/d/"), QStringLiteral("added")), 2, 5);
        w->ShowForm();
        QCOMPARE(Find<QLineEdit>("txtFile")->text(), QString());
        QCOMPARE(Rows(Files()),
                 (QStringList{"1. added", "2. Notes.txt", "3. README", "4. report.doc"}));
    }

    void doneAndTheCloseBoxHide() {
        HistoryModel history;
        w->ShowForm();
        QVERIFY(w->isVisible());
        QTest::mouseClick(Find<QPushButton>("cmdDone"), Qt::LeftButton);
        QVERIFY(!w->isVisible());
        w->ShowForm();
        QVERIFY(!w->close());
        QVERIFY(!w->isVisible());
        QTest::mouseClick(Find<QPushButton>("cmdHelp"), Qt::LeftButton);
        QCOMPARE(helpOpened, 1);
    }

    void controlCentreOpensIt_data() {
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("fromTray");
        QTest::newRow("button") << false << false;
        QTest::newRow("tray entry") << false << true;
        QTest::newRow("button, read-only") << true << false;
        QTest::newRow("tray entry, read-only") << true << true;
    }
    void controlCentreOpensIt() {
        QFETCH(bool, readOnly);
        QFETCH(bool, fromTray);
        HistoryModel history;
        BuildHistory(history);
        ScriptedPrompt prompt;
        frmControl control(false);
        RegisterAppWindow(AppWindow::Details, w, [this] { w->ShowForm(); });
        control.RefreshAvailability();
        control.SetReadOnlyMode(readOnly);
        control.show();
        auto *cmdDetails = control.findChild<QPushButton *>(QStringLiteral("cmdDetails"));
        QVERIFY(cmdDetails->isVisible());
        QVERIFY(cmdDetails->isEnabled());
        if (fromTray)
            control.MenuCommand(6);
        else
            QTest::mouseClick(cmdDetails, Qt::LeftButton);
        QVERIFY(w->isVisible());
        QCOMPARE(Backups()->count(), 9);
        QVERIFY(!cmdDetails->isEnabled());
        QTest::mouseClick(Find<QPushButton>("cmdDone"), Qt::LeftButton);
        QVERIFY(!w->isVisible());
        QVERIFY(cmdDetails->isEnabled());
        RegisterAppWindow(AppWindow::Details, nullptr);
    }

    void bothViewsFitTheScreen_data() {
        QTest::addColumn<bool>("byFile");
        QTest::addColumn<double>("scale");
        QTest::newRow("by-backup") << false << 1.0;
        QTest::newRow("by-file") << true << 1.0;
        QTest::newRow("by-backup-large-font") << false << 1.5;
        QTest::newRow("by-file-large-font") << true << 1.5;
    }
    void bothViewsFitTheScreen() {
        QFETCH(bool, byFile);
        QFETCH(double, scale);
        const ScaledApplicationFont font(scale);
        delete w;
        w = new frmDetails;
        HistoryModel history;
        BuildHistory(history);
        history.AddVersion(history.AddFile(QStringLiteral("/home/ann/projects/2026/budget/"
                                                          "quarterly reports/drafts/"),
                                           QStringLiteral("a rather long file name that goes "
                                                          "on.xlsx")),
                           2, 5);
        w->ShowForm();
        // The long name in a deep directory is chosen in both views.
        if (byFile) {
            ByFile();
            ClickFileRow(0);
            ClickBackupRow(0);
        } else {
            ClickBackupRow(7);
            ClickFileRow(0);
        }
        // The values of the frames that stand one above the other start on one line.
        const auto left = [this](const char *name) {
            return Find<QWidget>(name)->mapTo(w, QPoint()).x();
        };
        QTRY_COMPARE(left("lblMedia"), left(byFile ? "lblDir" : "lblNumber"));
        QTRY_COMPARE(left("txtFile"), left(byFile ? "lblNumber" : "lblDir"));
        Look(QString::fromLatin1(QTest::currentDataTag()));
    }
};

QTEST_MAIN(TestDetails)
#include "tst_details.moc"
