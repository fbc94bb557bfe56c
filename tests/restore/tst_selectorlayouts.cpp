// Every selector window in every layout, at the default font and at one and a half times it:
// nothing cut off, nothing on top of anything else, and all of it on a 1024 x 768 screen.
// With PELLMOOR_SCREENSHOTS naming a folder, each is saved there as a picture.

#include "ListWidgetRows.h"
#include "WindowSelectors.h"
#include "clsDirectory.h"
#include "frmDirectory.h"
#include "frmPattern.h"
#include "frmRange.h"
#include "modalsteps.h"
#include "scriptedprompt.h"
#include "temptree.h"
#include "windowlook.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QTest>

#include <functional>

class TestSelectorLayouts : public QObject {
    Q_OBJECT

    static void CheckFits(QDialog &window) {
        QVERIFY(window.width() <= 1024);
        QVERIFY(window.height() <= 768);
        const QList<QWidget *> controls =
            window.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
        QList<QWidget *> shown;
        for (QWidget *control : controls) {
            if (!control->isVisible())
                continue;
            shown.append(control);
            const QString name = control->objectName();
            QVERIFY2(window.rect().contains(control->geometry()), qPrintable(name));
            if (qobject_cast<QAbstractButton *>(control) || qobject_cast<QLabel *>(control) ||
                qobject_cast<QComboBox *>(control)) {
                QVERIFY2(control->width() >= control->sizeHint().width(), qPrintable(name));
                QVERIFY2(control->height() >= control->minimumSizeHint().height(),
                         qPrintable(name));
            }
        }
        for (int i = 0; i < shown.size(); ++i) {
            for (int j = i + 1; j < shown.size(); ++j)
                QVERIFY2(!shown[i]->geometry().intersects(shown[j]->geometry()),
                         qPrintable(shown[i]->objectName() + " / " + shown[j]->objectName()));
        }
    }

    static void Look(QDialog &window) {
        CheckFits(window);
        SaveShot(window, window.objectName() + QLatin1Char('-') +
                             QString::fromLatin1(QTest::currentDataTag()).replace(' ', '-'));
    }

private Q_SLOTS:
    void controlsCarryTheirCaptions_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("caption");
        const struct {
            const char *window, *control, *caption;
        } rows[] = {{"frmDirectory", "frmDirectory", "Directory Selector"},
                    {"frmDirectory", "chkIncSub", "Include Subdirectories"},
                    {"frmDirectory", "cmdPattHelp", "Pattern Help"},
                    {"frmDirectory", "cmdTestPatt", "Test Pattern"},
                    {"frmDirectory", "cmdManual", "Enter A Directory Manually"},
                    {"frmDirectory", "cmdNewFolder", "New Folder"},
                    {"frmDirectory", "cmdOk", "OK"},
                    {"frmDirectory", "cmdCancel", "Cancel"},
                    {"frmPattern", "frmPattern", "Enter New Pattern"},
                    {"frmPattern", "lblPatt", "New Pattern :"},
                    {"frmPattern", "cmdTestPatt", "Test Pattern"},
                    {"frmPattern", "cmdPattHelp", "Pattern Help"},
                    {"frmPattern", "cmdOk", "OK"},
                    {"frmPattern", "cmdCancel", "Cancel"},
                    {"frmRange", "lblFrom", "Range From :"},
                    {"frmRange", "lblTo", "Range To :"},
                    {"frmRange", "cmdSelAll", "Select Range"},
                    {"frmRange", "cmdDeSelAll", "Deselect Range"},
                    {"frmRange", "cmdInvSel", "Invert Range"},
                    {"frmRange", "cmdDone", "Done"}};
        for (const auto &row : rows)
            QTest::addRow("%s %s", row.window, row.control)
                << row.window << row.control << row.caption;
    }
    void controlsCarryTheirCaptions() {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QString, caption);
        WindowSelectors selectors;
        QWidget *shown = window == QLatin1String("frmDirectory")
                             ? static_cast<QWidget *>(&selectors.DirectoryWindow())
                         : window == QLatin1String("frmPattern")
                             ? static_cast<QWidget *>(&selectors.PatternWindow())
                             : static_cast<QWidget *>(&selectors.RangeWindow());
        if (control == window) {
            QCOMPARE(shown->windowTitle(), caption);
        } else if (auto *label = shown->findChild<QLabel *>(control)) {
            QCOMPARE(label->text(), caption);
        } else {
            auto *button = shown->findChild<QAbstractButton *>(control);
            QVERIFY(button);
            QCOMPARE(button->text(), caption);
        }
    }

    void everyLayoutFits_data() {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<double>("scale");
        for (const char *layout : {"directory", "advanced directory", "file", "file with name",
                                   "pattern", "range", "range chosen"}) {
            for (const double scale : {1.0, 1.5})
                QTest::addRow("%s %s", layout, scale == 1.0 ? "default font" : "font 1.5x")
                    << QString::fromLatin1(layout) << scale;
        }
    }
    void everyLayoutFits() {
        QFETCH(QString, layout);
        QFETCH(double, scale);
        const ScaledApplicationFont font(scale);
        qputenv("PELLMOOR_DRIVES", "/=fixed;/media/backup-disc=optical");

        TempTree tree({"Documents/Letters/", "Documents/Photos 2023/", "Documents/Taxes/",
                       "Documents/budget.ods", "Documents/Backup.Ini", "Documents/notes.txt"});
        ScriptedPrompt prompt;
        WindowSelectors selectors;
        SetSelectorHandler(&selectors);
        bool ran = false;
        const auto look = [&ran](QDialog &window) {
            return [&ran, &window] {
                ran = true;
                Look(window);
            };
        };
        const QString documents = tree.PathOf("Documents/");
        if (layout == QLatin1String("pattern")) {
            WhenShown(selectors.PatternWindow(), look(selectors.PatternWindow()));
            GetPattern(QStringLiteral("*.doc;*.txt"));
        } else if (layout.startsWith(QLatin1String("range"))) {
            QListWidget list;
            for (int row = 0; row < 20; ++row)
                list.addItem(documents +
                             QStringLiteral("Letters/letter to the council %1.odt").arg(row));
            ListWidgetRows rows(&list);
            frmRange &window = selectors.RangeWindow();
            WhenShown(window, [&] {
                if (layout == QLatin1String("range chosen")) {
                    auto *from = window.findChild<QComboBox *>(QStringLiteral("cmbFrom"));
                    from->setFocus();
                    QTest::keyClick(from, Qt::Key_End);
                    QTRY_VERIFY(window.findChild<QComboBox *>(QStringLiteral("cmbTo"))->count());
                }
                look(window)();
            });
            ShowRange(rows);
        } else {
            frmDirectory &window = selectors.DirectoryWindow();
            WhenShown(window, look(window));
            if (layout == QLatin1String("directory")) {
                GetDirectory(documents);
            } else if (layout == QLatin1String("advanced directory")) {
                clsDirectory entry;
                entry.SetNiceDirName(documents);
                entry.Patterns = QStringLiteral("*.ods;*.txt");
                GetAdvancedDirectory(entry);
            } else {
                GetFile(documents + QStringLiteral("Backup.Ini"),
                        layout == QLatin1String("file with name"), QStringLiteral("*.ini"));
            }
        }
        SetSelectorHandler(nullptr);
        qunsetenv("PELLMOOR_DRIVES");
        QVERIFY(ran);
        QVERIFY(prompt.Texts().isEmpty());
    }
};

QTEST_MAIN(TestSelectorLayouts)
#include "tst_selectorlayouts.moc"
