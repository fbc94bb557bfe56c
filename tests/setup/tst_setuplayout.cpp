// Every tab of the setup window at the default font and at one and a half times it: nothing cut
// off, all of it on a 1024 x 768 screen. With PELLMOOR_SCREENSHOTS naming a folder, each tab is
// saved there as a picture.

#include "setupfixture.h"
#include "windowlook.h"

#include "model.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTabWidget>
#include <QTest>

namespace {

void SomeOfEverything() {
    Model &model = TheModel();
    clsDirectory entry;
    entry.SetNiceDirName(QStringLiteral("/home/someone/Documents/Letters/"));
    entry.Patterns = QStringLiteral("*.*");
    entry.IncludeSubdirs = true;
    model.Directories = {entry};
    model.IncludeAll = {QStringLiteral("*.doc"), QStringLiteral("*.jpg")};
    model.Excludes = {QStringLiteral("/home/someone/.cache/"), QStringLiteral("*.tmp"),
                      QStringLiteral("node_modules")};
    for (int b = 0; b < 2; ++b) {
        BackupRecord backup;
        backup.SetDate = QStringLiteral("0%1/03/2024").arg(b + 1);
        backup.FirstMedium = 2 * b;
        model.Backups.append(backup);
    }
    model.Media = {MediumRecord(), MediumRecord(), MediumRecord(), MediumRecord()};
    model.Media[1].Available = false;
    model.Media[3].Available = false;
    model.Media[3].Deleted = true;
    model.Settings.BackupDirectory =
        QStringLiteral("/home/someone/a/rather/long/path/to/the/folder/that/holds/Backups/");
    model.Settings.TempDirectory = QStringLiteral("/tmp/pellmoor/");
}

} // namespace

class TestSetupLayout : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyTabFits_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<double>("scale");
        for (double scale : {1.0, 1.5}) {
            for (int tab = 0; tab < 6; ++tab)
                QTest::addRow("tab%d-x%.1f", tab + 1, scale) << tab << scale;
        }
    }
    void everyTabFits() {
        QFETCH(int, tab);
        QFETCH(double, scale);
        const ScaledApplicationFont font(scale);
        SetupFixture setup;
        SomeOfEverything();
        setup.Show();
        auto *tabs = setup.window->findChild<QTabWidget *>(QStringLiteral("tabs"));
        tabs->setCurrentIndex(tab);
        QVERIFY(QTest::qWaitForWindowExposed(setup.window.get()));
        QWidget *window = setup.window.get();
        QVERIFY(window->frameGeometry().width() <= 1024);
        QVERIFY(window->frameGeometry().height() <= 768);
        QList<QWidget *> controls = tabs->currentWidget()->findChildren<QWidget *>();
        for (const char *name : {"cmdOk", "cmdCancel", "cmdHelp"})
            controls.append(setup.Button(name));
        for (QWidget *control : controls) {
            if (!control->isVisible() || control->objectName().isEmpty())
                continue;
            const QString name = control->objectName();
            const QRect place(control->mapTo(window, QPoint(0, 0)), control->size());
            QVERIFY2(window->rect().contains(place), qPrintable(name));
            auto *label = qobject_cast<QLabel *>(control);
            // Word-wrapped labels and the fitted directory labels take the width they are given.
            if (label && (label->wordWrap() ||
                          label->sizePolicy().horizontalPolicy() == QSizePolicy::Ignored))
                continue;
            if (auto *button = qobject_cast<QAbstractButton *>(control)) {
                // The width the style asks for its padding, not one the window chose.
                QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(name));
                QVERIFY2(control->height() >= control->minimumSizeHint().height(),
                         qPrintable(name));
            } else if (label || qobject_cast<QComboBox *>(control)) {
                QVERIFY2(control->width() >= control->sizeHint().width(), qPrintable(name));
                QVERIFY2(control->height() >= control->minimumSizeHint().height(),
                         qPrintable(name));
            }
        }
        SaveShot(*window, QStringLiteral("setup-") + QString::fromLatin1(QTest::currentDataTag()));
    }

    // A caption stands level with the control it names.
    void captionsLevelWithTheirControls_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("control");
        QTest::newRow("program") << 3 << "lblProgramCap"
                                 << "cmdRollback";
        QTest::newRow("information file") << 3 << "lblFileCap"
                                          << "cmdImportINI";
        QTest::newRow("interval") << 5 << "lblInterval"
                                  << "cmbInterval";
        QTest::newRow("backup directory") << 5 << "lblBackupDirCap"
                                          << "cmdSetBackupDirectory";
    }
    void captionsLevelWithTheirControls() {
        QFETCH(int, tab);
        QFETCH(QString, caption);
        QFETCH(QString, control);
        SetupFixture setup;
        setup.Show();
        setup.window->findChild<QTabWidget *>(QStringLiteral("tabs"))->setCurrentIndex(tab);
        QVERIFY(QTest::qWaitForWindowExposed(setup.window.get()));
        const auto middle = [&](const QString &name) {
            const QWidget *widget = setup.window->findChild<QWidget *>(name);
            return widget->mapTo(setup.window.get(), widget->rect().center()).y();
        };
        QVERIFY(qAbs(middle(caption) - middle(control)) <= 1);
    }

    // The directory labels sit on a tab that is laid out only when it is first shown; the
    // caption is fitted to the width the label has there, not the one it had before.
    void directoryFittedOnItsTab_data() {
        QTest::addColumn<int>("repeat");
        QTest::addColumn<bool>("whole");
        QTest::newRow("fits") << 3 << true;
        QTest::newRow("too long") << 40 << false;
    }
    void directoryFittedOnItsTab() {
        QFETCH(int, repeat);
        QFETCH(bool, whole);
        SetupFixture setup;
        const QString directory = QStringLiteral("/home") +
                                  QStringLiteral("/someone/folder").repeated(repeat) +
                                  QStringLiteral("/Backups/");
        TheModel().Settings.BackupDirectory = directory;
        setup.Show();
        QVERIFY(QTest::qWaitForWindowExposed(setup.window.get()));
        setup.window->findChild<QTabWidget *>(QStringLiteral("tabs"))->setCurrentIndex(5);
        auto *label = setup.window->findChild<QLabel *>(QStringLiteral("lblBackupDir"));
        QTRY_VERIFY(label->isVisible());
        QCoreApplication::processEvents();
        const bool fits = label->fontMetrics().horizontalAdvance(directory) + 40 < label->width();
        QCOMPARE(fits, whole);
        if (whole) {
            QCOMPARE(label->text(), directory);
        } else {
            QCOMPARE(label->text().count(QLatin1Char('\n')), 1);
            QVERIFY(label->text().endsWith(QStringLiteral("...")));
            // Each line uses the width there is: the first holds more than half of it.
            const QString first = label->text().section(QLatin1Char('\n'), 0, 0);
            QVERIFY(label->fontMetrics().horizontalAdvance(first) > label->width() / 2);
        }
    }
};

QTEST_MAIN(TestSetupLayout)
#include "tst_setuplayout.moc"
