// The wizard's steps through its real controls: the medium of step 1, the steps passed over,
// the selections, the options and the layout of every step.
#include "backupfixture.h"
#include "model.h"
#include "scriptedselector.h"
#include "windowlook.h"
#include "wizarddriver.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QtTest>

class TestBackupWizard : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void customMedium_data();
    void customMedium();
    void customNameHoldingASeparator();
    void noLimitHidesWriteMethods();
    void fillingStepOneStoresNothing();
    void skippedSteps_data();
    void skippedSteps();
    void nothingSelected();
    void selectionButtons();
    void rangeSelection_data();
    void rangeSelection();
    void zipOptionsFollowZip();
    void skipCopyAnsweredNo();
    void stepsFitTheScreen_data();
    void stepsFitTheScreen();

private:
    std::unique_ptr<BackupFixture> fixture;
    std::unique_ptr<GuardedPrompt> prompt;
    std::unique_ptr<frmBackup> window;
};

void TestBackupWizard::init() {
    fixture = std::make_unique<BackupFixture>();
    prompt = std::make_unique<GuardedPrompt>();
    window = std::make_unique<frmBackup>();
}

void TestBackupWizard::cleanup() {
    window.reset();
    prompt.reset();
    fixture.reset();
    TheModel().Directories.clear();
    TheModel().IncludeAll.clear();
}

void TestBackupWizard::customMedium_data() {
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("cluster");
    QTest::addColumn<QString>("message"); // empty: accepted
    QTest::addColumn<double>("sizeKB");
    QTest::addColumn<double>("clusterBytes");
    QTest::addColumn<QString>("name");

    const double GB = 1024.0 * 1024;
    QTest::newRow("10 MB") << "10"
                           << "MB"
                           << "2048"
                           << "" << 10240.0 << 2048.0 << "Disc";
    QTest::newRow("9.99 MB") << "9.99"
                             << "MB"
                             << "2048"
                             << "The media size must be greater than 10MB!" << 0.0 << 0.0 << "";
    QTest::newRow("1024 GB") << "1024"
                             << "GB"
                             << "2048"
                             << "" << 1024 * GB << 2048.0 << "Disc";
    QTest::newRow("1025 GB") << "1025"
                             << "GB"
                             << "2048"
                             << "The media size must be smaller than 1024GB!" << 0.0 << 0.0 << "";
    QTest::newRow("5 MB as GB") << "0.005"
                                << "GB"
                                << "2048"
                                << "The media size must be greater than 10MB!" << 0.0 << 0.0 << "";
    QTest::newRow("cluster 512") << "700"
                                 << "MB"
                                 << "512"
                                 << "" << 700 * 1024.0 << 512.0 << "Disc";
    QTest::newRow("cluster 16384") << "700"
                                   << "MB"
                                   << "16384"
                                   << "" << 700 * 1024.0 << 16384.0 << "Disc";
    QTest::newRow("cluster 511") << "700"
                                 << "MB"
                                 << "511"
                                 << "The cluster size must be greater than 512B!" << 0.0 << 0.0
                                 << "";
    QTest::newRow("cluster 16385")
        << "700"
        << "MB"
        << "16385"
        << "The cluster size must be smaller than 16384B!" << 0.0 << 0.0 << "";
    QTest::newRow("size not a number") << "big"
                                       << "MB"
                                       << "2048"
                                       << "The media size must be a number!" << 0.0 << 0.0 << "";
    QTest::newRow("both wrong, one text")
        << ""
        << "MB"
        << "x"
        << "The media size must be a number!The cluster size must be a number!" << 0.0 << 0.0 << "";
    QTest::newRow("size and cluster out of range")
        << "2"
        << "MB"
        << "100000"
        << "The media size must be greater than 10MB!The cluster size must be smaller than 16384B!"
        << 0.0 << 0.0 << "";
    QTest::newRow("trial word") << "KLOB"
                                << "GB"
                                << "4096"
                                << "" << 10240.0 << 2048.0 << "Trial";
    QTest::newRow("trial word keeps the cluster check")
        << "KLOB"
        << "MB"
        << "many"
        << "The cluster size must be a number!" << 0.0 << 0.0 << "";
}

void TestBackupWizard::customMedium() {
    QFETCH(QString, size);
    QFETCH(QString, unit);
    QFETCH(QString, cluster);
    QFETCH(QString, message);
    fixture->AddDirectory(fixture->Data());
    window->ShowForm();
    prompt->AnswerWhen(QStringLiteral("You must be careful using custom sizes"), MsgAnswer::OK);
    Click(*window, "optMedium4");
    QCOMPARE(prompt->Prompts().size(), 1);
    QCOMPARE(prompt->Prompts()[0].title, QStringLiteral("Warning!"));
    QCOMPARE(prompt->Texts()[0].count(QLatin1Char('\n')), 3);
    QVERIFY(Control(*window, "fraCustom")->isVisible());

    Type(*window, "txtSize", size);
    Control<QComboBox>(*window, "cmbSize")->setCurrentText(unit);
    Type(*window, "txtName", QStringLiteral("Disc"));
    Type(*window, "txtCluster", cluster);
    prompt->Clear();
    Click(*window, "cmdNext");

    const SettingsRecord &s = TheModel().Settings;
    QCOMPARE(s.MediaKind, 4);
    if (!message.isEmpty()) {
        QCOMPARE(prompt->Texts(), QStringList{message});
        QCOMPARE(window->CurrentStep(), int(frmBackup::MediumStep));
        return;
    }
    QFETCH(double, sizeKB);
    QFETCH(double, clusterBytes);
    QFETCH(QString, name);
    QVERIFY(prompt->Texts().isEmpty());
    QCOMPARE(window->CurrentStep(), int(frmBackup::DirectoryStep));
    QCOMPARE(s.MediaSize, sizeKB);
    QCOMPARE(s.ClusterSize, clusterBytes);
    QCOMPARE(s.MediaName, name);
}

// The name goes into the information file, which cannot hold a '|' or a line break.
void TestBackupWizard::customNameHoldingASeparator() {
    const QString name = QStringLiteral("DVD|2");
    fixture->AddDirectory(fixture->Data());
    const QString before = TheModel().Settings.MediaName;
    window->ShowForm();
    prompt->AnswerWhen(QStringLiteral("You must be careful using custom sizes"), MsgAnswer::OK);
    Click(*window, "optMedium4");
    Type(*window, "txtSize", QStringLiteral("700"));
    Type(*window, "txtName", name);
    prompt->Clear();
    Click(*window, "cmdNext");
    QCOMPARE(prompt->Texts(), QStringList{QStringLiteral("The media name (\"") + name +
                                          QStringLiteral("\") cannot be stored as it holds a "
                                                         "'|' or a line break!")});
    QCOMPARE(window->CurrentStep(), int(frmBackup::MediumStep));
    QCOMPARE(TheModel().Settings.MediaName, before);
}

void TestBackupWizard::noLimitHidesWriteMethods() {
    fixture->SetMedia(633856, 2048, false);
    TheModel().Settings.MediaKind = 0;
    window->ShowForm();
    QVERIFY(Control(*window, "fraWrite")->isVisible());
    Click(*window, "optMedium5");
    const SettingsRecord &s = TheModel().Settings;
    QVERIFY(!Control(*window, "fraWrite")->isVisible());
    QVERIFY(!Control(*window, "fraCustom")->isVisible());
    QCOMPARE(s.MediaKind, 5);
    QCOMPARE(s.MediaSize, -1.0);
    QCOMPARE(s.ClusterSize, 16384.0);
    QCOMPARE(s.MediaName, QStringLiteral("HDD"));
    QVERIFY(s.WriteAllAtOnce);

    // Back to a disc: it is written the way the method shown says, not "all at once" left
    // behind by the hard disk.
    Click(*window, "optMedium1");
    QVERIFY(Control(*window, "fraWrite")->isVisible());
    QVERIFY(Control<QRadioButton>(*window, "optType0")->isChecked());
    QCOMPARE(s.MediaSize, 667 * 1024.0);
    QVERIFY(!s.WriteAllAtOnce);
    Click(*window, "optType2");
    QVERIFY(s.WriteXpWay);
    QVERIFY(!s.WriteAllAtOnce);
    Click(*window, "optType1");
    QVERIFY(s.WriteAllAtOnce);
    QVERIFY(!s.WriteXpWay);
    QVERIFY(prompt->Texts().isEmpty());
}

void TestBackupWizard::fillingStepOneStoresNothing() {
    SettingsRecord &s = TheModel().Settings;
    s.MediaKind = 4;
    s.MediaSize = 2.5 * 1024 * 1024;
    s.ClusterSize = 4096;
    s.MediaName = QStringLiteral("Blu");
    s.WriteAllAtOnce = false;
    s.WriteXpWay = true;
    const SettingsRecord before = s;
    window->ShowForm();
    // No warning for a custom medium that was chosen before, and nothing changed by filling.
    QVERIFY(prompt->Texts().isEmpty());
    QCOMPARE(s.MediaSize, before.MediaSize);
    QCOMPARE(s.WriteXpWay, true);
    QVERIFY(Control<QRadioButton>(*window, "optMedium4")->isChecked());
    QVERIFY(Control<QRadioButton>(*window, "optType2")->isChecked());
    QCOMPARE(Control<QLineEdit>(*window, "txtSize")->text(), QStringLiteral("2.5"));
    QCOMPARE(Control<QComboBox>(*window, "cmbSize")->currentText(), QStringLiteral("GB"));
    QCOMPARE(Control<QLineEdit>(*window, "txtCluster")->text(), QStringLiteral("4096"));
    QCOMPARE(Control<QLineEdit>(*window, "txtName")->text(), QStringLiteral("Blu"));
    // Leaving with the same fields stores the same medium, though nothing is chosen to back up.
    prompt->Expect(QStringLiteral("You must select some directories"));
    Click(*window, "cmdNext");
    QCOMPARE(s.MediaSize, before.MediaSize);
    QCOMPARE(s.ClusterSize, before.ClusterSize);
}

void TestBackupWizard::skippedSteps_data() {
    QTest::addColumn<bool>("directories");
    QTest::addColumn<bool>("patterns");
    QTest::addColumn<QList<int>>("forward");
    QTest::addColumn<QList<int>>("back");
    QTest::newRow("both") << true << true << QList<int>{1, 2, 3} << QList<int>{2, 1, 0};
    QTest::newRow("no directories") << false << true << QList<int>{2, 3} << QList<int>{2, 0};
    QTest::newRow("no patterns") << true << false << QList<int>{1, 3} << QList<int>{1, 0};
}

void TestBackupWizard::skippedSteps() {
    QFETCH(bool, directories);
    QFETCH(bool, patterns);
    QFETCH(QList<int>, forward);
    QFETCH(QList<int>, back);
    if (directories)
        fixture->AddDirectory(fixture->Data());
    if (patterns)
        TheModel().IncludeAll.append(QStringLiteral("*.doc"));
    window->ShowForm();
    QCOMPARE(window->CurrentStep(), 0);
    QVERIFY(!Control(*window, "cmdBack")->isEnabled());
    for (int step : forward) {
        Click(*window, "cmdNext");
        QCOMPARE(window->CurrentStep(), step);
        QCOMPARE(Control<QStackedWidget>(*window, "steps")->currentIndex(), step);
    }
    for (int step : back) {
        Click(*window, "cmdBack");
        QCOMPARE(window->CurrentStep(), step);
    }
    QVERIFY(prompt->Texts().isEmpty());
}

void TestBackupWizard::nothingSelected() {
    fixture->AddDirectory(fixture->Data());
    TheModel().IncludeAll.append(QStringLiteral("*.doc"));
    window->ShowForm();
    Click(*window, "cmdNext");
    Click(*window, "cmdDeSelAllDir");
    Click(*window, "cmdNext");
    QVERIFY(!TheModel().Directories[0].Selected);
    Click(*window, "cmdDeselAllPatt");
    Click(*window, "cmdNext");
    QCOMPARE(
        prompt->Texts(),
        QStringList{"You must select some directories (or 'Include All' Patterns) to backup!"});
    QCOMPARE(window->CurrentStep(), int(frmBackup::PatternStep));
    // One pattern is enough.
    Control<QListWidget>(*window, "lstPatterns")->item(0)->setSelected(true);
    Click(*window, "cmdNext");
    QCOMPARE(window->CurrentStep(), int(frmBackup::OptionsStep));
}

void TestBackupWizard::selectionButtons() {
    for (const char *dir : {"a/", "b/", "c/"})
        fixture->AddDirectory(fixture->Data(QString::fromLatin1(dir)), QStringLiteral("*.txt"),
                              dir[0] != 'b');
    TheModel().Directories[2].Selected = false; // step 1 selects every directory again
    window->ShowForm();
    QListWidget *list = Control<QListWidget>(*window, "lstDirectories");
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->item(0)->text(), fixture->Data("a/") + ", *.txt, Include Subdirectories");
    QCOMPARE(list->item(1)->text(), fixture->Data("b/") + ", *.txt, Dont Include Subdirectories");
    QCOMPARE(list->selectedItems().size(), 3);
    Click(*window, "cmdNext");
    list->item(1)->setSelected(false);
    Click(*window, "cmdInvSelDir");
    QCOMPARE(list->selectedItems(), QList<QListWidgetItem *>{list->item(1)});
    Click(*window, "cmdSelAllDir");
    QCOMPARE(list->selectedItems().size(), 3);
    list->item(0)->setSelected(false);
    Click(*window, "cmdNext");
    const QList<clsDirectory> &dirs = TheModel().Directories;
    QVERIFY(!dirs[0].Selected);
    QVERIFY(dirs[1].Selected);
    QVERIFY(dirs[2].Selected);
    for (const char *name : {"cmdSelAllDir", "cmdDeSelAllDir", "cmdInvSelDir", "cmdRangeDir"})
        QVERIFY(!Control<QPushButton>(*window, name)->text().isEmpty());
    QCOMPARE(Control<QPushButton>(*window, "cmdRangeDir")->text(),
             QStringLiteral("Range Selection ..."));
}

void TestBackupWizard::rangeSelection_data() {
    QTest::addColumn<bool>("patterns");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("emptyMessage");
    QTest::newRow("directories")
        << false << "cmdRangeDir"
        << "lstDirectories"
        << "You cannot select a range when there are no directories to select!";
    QTest::newRow("patterns") << true << "cmdSelRangePatt"
                              << "lstPatterns"
                              << "You cannot select a range when there are no patterns to select!";
}

void TestBackupWizard::rangeSelection() {
    QFETCH(bool, patterns);
    QFETCH(QString, button);
    QFETCH(QString, list);
    QFETCH(QString, emptyMessage);
    ScriptedSelector selector;
    selector.onRange = [](RangeRows &rows) {
        for (int i = 0; i < rows.RowCount(); ++i)
            rows.SetRowMarked(i, i == 1);
    };
    // The list of the other kind holds a row, so the step with the empty list is shown.
    if (patterns)
        fixture->AddDirectory(fixture->Data());
    else
        TheModel().IncludeAll.append(QStringLiteral("*.doc"));
    window->ShowForm();
    QPushButton *range = Control<QPushButton>(*window, button.toLatin1().constData());
    range->click();
    QCOMPARE(prompt->Texts(), QStringList{emptyMessage});
    QVERIFY(selector.calls.isEmpty());

    window->hide();
    prompt->Clear();
    for (const char *row : {"x/", "y/", "z/"}) {
        if (patterns)
            TheModel().IncludeAll.append(QString::fromLatin1(row));
        else
            fixture->AddDirectory(fixture->Data(QString::fromLatin1(row)));
    }
    window->ShowForm();
    range->click();
    QCOMPARE(selector.calls.size(), 1);
    QListWidget *rows = Control<QListWidget>(*window, list.toLatin1().constData());
    QCOMPARE(rows->selectedItems().size(), 1);
    QCOMPARE(rows->row(rows->selectedItems()[0]), 1);
    QVERIFY(prompt->Texts().isEmpty());
}

void TestBackupWizard::zipOptionsFollowZip() {
    fixture->AddDirectory(fixture->Data());
    window->ShowForm();
    Click(*window, "cmdNext");
    Click(*window, "cmdNext");
    QCOMPARE(window->CurrentStep(), int(frmBackup::OptionsStep));
    QVERIFY(!Control(*window, "chkDontZip")->isEnabled());
    QVERIFY(!Control(*window, "chkForceZip")->isEnabled());
    Click(*window, "chkZip");
    QVERIFY(Control(*window, "chkDontZip")->isEnabled());
    QVERIFY(Control(*window, "chkForceZip")->isEnabled());
    Click(*window, "chkZip");
    QVERIFY(!Control(*window, "chkForceZip")->isEnabled());
    QCOMPARE(Control<QAbstractButton>(*window, "chkSkip")->text(),
             QStringLiteral("Skip Zip && Copy"));
}

void TestBackupWizard::skipCopyAnsweredNo() {
    fixture->tree.Add({"data/a.txt=some words"});
    fixture->AddDirectory(fixture->Data());
    window->ShowForm();
    Click(*window, "cmdNext");
    Click(*window, "cmdNext");
    Click(*window, "chkSkip");
    prompt->AnswerWhen(QStringLiteral("NOT to copy files"), MsgAnswer::No);
    Click(*window, "cmdNext");
    QCOMPARE(prompt->Texts(),
             QStringList{"Warning! You have selected NOT to copy files!\nUse this if a backup "
                         "failed in the 'setting attributes' stage to try that bit again.\n"
                         "Continue?"});
    QCOMPARE(prompt->Prompts()[0].buttons, MsgButtons::YesNo);
    QCOMPARE(window->CurrentStep(), int(frmBackup::OptionsStep));
    QCoreApplication::processEvents();
    QVERIFY(TheModel().Backups.isEmpty());
    QVERIFY(QDir(fixture->BackupDir()).isEmpty());
    QVERIFY(Control(*window, "cmdNext")->isEnabled());
}

void TestBackupWizard::stepsFitTheScreen_data() {
    QTest::addColumn<double>("fontScale");
    QTest::newRow("default font") << 1.0;
    QTest::newRow("font 1.5 times") << 1.5;
}

// Every step at the default font and at one and a half times it fits a 1024 x 768 screen with
// nothing squeezed below what it asks for. PELLMOOR_SCREENSHOTS=folder saves what each step looks
// like.
void TestBackupWizard::stepsFitTheScreen() {
    QFETCH(double, fontScale);
    const ScaledApplicationFont font(fontScale);
    window = std::make_unique<frmBackup>();
    fixture->AddDirectory(fixture->Data());
    TheModel().IncludeAll.append(QStringLiteral("*.doc"));
    window->ShowForm();
    // The custom frame makes the first step its largest.
    prompt->AnswerWhen(QStringLiteral("You must be careful"), MsgAnswer::OK);
    Click(*window, "optMedium4");
    auto *steps = Control<QStackedWidget>(*window, "steps");
    for (int step = 0; step < frmBackup::StepCount; ++step) {
        steps->setCurrentIndex(step);
        window->adjustSize();
        const QSize hint = window->minimumSizeHint().expandedTo(window->sizeHint());
        QVERIFY2(hint.width() <= 1024 && hint.height() <= 740,
                 qPrintable(QStringLiteral("step %1: %2 x %3")
                                .arg(step + 1)
                                .arg(hint.width())
                                .arg(hint.height())));
        SaveShot(*window, QStringLiteral("wizard_step%1_%2").arg(step + 1).arg(fontScale));
    }
    // A taller window gives the room below the media frame, not inside it.
    steps->setCurrentIndex(frmBackup::MediumStep);
    auto *media = Control<QGroupBox>(*window, "fraMedia");
    window->resize(window->width(), 740);
    QTRY_COMPARE(window->height(), 740);
    QCOMPARE(media->height(), media->sizeHint().height());
    window.reset();
}

QTEST_MAIN(TestBackupWizard)
#include "tst_backupwizard.moc"
