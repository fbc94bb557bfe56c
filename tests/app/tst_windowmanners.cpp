// How the windows stand towards the control centre and towards a person at the keyboard: each
// window it opens is its child, placed over it and whole on the screen; the control centre is
// wide enough for its title; message boxes carry the icon that fits; the windows that only show
// something go with Enter and with Escape; Tab stops only where a person can act.
#include "MessageBoxPrompt.h"
#include "appwindows.h"
#include "frmAbout.h"
#include "frmAlert.h"
#include "frmBackup.h"
#include "frmControl.h"
#include "frmDetails.h"
#include "frmFilesToBackup.h"
#include "frmHelp.h"
#include "frmQuoxel.h"
#include "frmRestore.h"
#include "frmSetup.h"
#include "model.h"
#include "scriptedprompt.h"
#include "temptree.h"
#include "windowlook.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QWindow>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(MsgButtons)
Q_DECLARE_METATYPE(MsgIcon)

namespace {

QRect Area() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// The real windows the control centre opens, registered as the program registers them.
struct OpenableWindows {
    frmSetup setup;
    frmBackup backup;
    frmRestore restore;
    frmDetails details;
    frmHelp help;

    OpenableWindows() {
        RegisterAppWindow(AppWindow::Setup, &setup, [this] { setup.ShowForm(); });
        RegisterAppWindow(AppWindow::Backup, &backup, [this] { backup.ShowForm(); });
        RegisterAppWindow(AppWindow::Restore, &restore, [this] { restore.ShowForm(); });
        RegisterAppWindow(AppWindow::Details, &details, [this] { details.ShowForm(); });
        RegisterAppWindow(AppWindow::Help, &help, [this] { help.ShowForm(); });
    }
    ~OpenableWindows() {
        for (AppWindow which : {AppWindow::Setup, AppWindow::Backup, AppWindow::Restore,
                                AppWindow::Details, AppWindow::Help})
            RegisterAppWindow(which, nullptr);
    }
};

} // namespace

class TestWindowManners : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void openedWindowsAreChildrenWholeOnScreen_data();
    void openedWindowsAreChildrenWholeOnScreen();
    void controlCentreHoldsItsTitle_data();
    void controlCentreHoldsItsTitle();
    void boxesCarryTheFittingIcon_data();
    void boxesCarryTheFittingIcon();
    void viewersGoWithEnterAndEscape_data();
    void viewersGoWithEnterAndEscape();
    void tabStopsWhereAPersonCanAct_data();
    void tabStopsWhereAPersonCanAct();

private:
    std::unique_ptr<TempTree> tree;
    std::unique_ptr<ScriptedPrompt> prompt;
};

void TestWindowManners::init() {
    tree = std::make_unique<TempTree>();
    tree->Add({"drive/"});
    // A restore's search for media stays inside the test folder.
    qputenv("PELLMOOR_DRIVES", (tree->PathOf("drive/") + "=fixed").toUtf8());
    prompt = std::make_unique<ScriptedPrompt>();
    prompt->ExpectAnyMessages().ExpectCautiousAnswers().ExpectUnused();
    ResetSettings();
    // Something to back up, so that the Backup button opens its window.
    TheModel().IncludeAll.append(QStringLiteral("*.txt"));
}

void TestWindowManners::cleanup() {
    prompt.reset();
    tree.reset();
    ResetSettings();
    qunsetenv("PELLMOOR_DRIVES");
}

void TestWindowManners::openedWindowsAreChildrenWholeOnScreen_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("inTheCorner");
    for (const char *button :
         {"cmdSetup", "cmdBackup", "cmdRestore", "cmdDetails", "cmdHelp", "cmdAbout"}) {
        QTest::addRow("%s, middle", button) << QString::fromLatin1(button) << false;
        QTest::addRow("%s, corner", button) << QString::fromLatin1(button) << true;
    }
}

void TestWindowManners::openedWindowsAreChildrenWholeOnScreen() {
    QFETCH(QString, button);
    QFETCH(bool, inTheCorner);
    OpenableWindows windows;
    frmControl control(false);
    control.RefreshAvailability();
    control.show();
    const QRect area = Area();
    if (inTheCorner)
        control.move(area.right() - control.frameGeometry().width() + 1,
                     area.bottom() - control.frameGeometry().height() + 1);
    else
        control.move(area.center() - control.rect().center());

    QWidget *opened = nullptr;
    const auto look = [&] {
        opened = QApplication::activeModalWidget();
        if (!opened) {
            for (QWidget *window : QApplication::topLevelWidgets()) {
                if (window != &control && window->isVisible())
                    opened = window;
            }
        }
        QVERIFY(opened);
        QCOMPARE(opened->parentWidget(), &control);
        QVERIFY(opened->windowHandle());
        QCOMPARE(opened->windowHandle()->transientParent(), control.windowHandle());
        const QRect frame = opened->frameGeometry();
        QVERIFY2(area.contains(frame), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                      .arg(frame.x())
                                                      .arg(frame.y())
                                                      .arg(frame.width())
                                                      .arg(frame.height())));
        // Centred over the control centre wherever the screen leaves room for it.
        const QPoint off = frame.center() - control.frameGeometry().center();
        const bool atAnEdge = frame.left() == area.left() || frame.right() == area.right() ||
                              frame.top() == area.top() || frame.bottom() == area.bottom();
        QVERIFY(atAnEdge || off.manhattanLength() <= 2);
        if (!inTheCorner)
            QVERIFY(qAbs(off.x()) <= 1 || frame.width() == area.width());
        // The control centre busy with the information file holds only its own controls.
        QList<QWidget *> enabled;
        for (QWidget *child : opened->findChildren<QWidget *>()) {
            if (child->isEnabled())
                enabled.append(child);
        }
        control.BeginBusy();
        for (QWidget *child : enabled)
            QVERIFY2(child->isEnabled(), qPrintable(child->objectName()));
        control.EndBusy();
        opened->hide();
    };
    // The About window is modal: it is looked at while it waits.
    if (button == QLatin1String("cmdAbout")) {
        QTimer::singleShot(0, this, [&] {
            look();
            // Whatever the look found, the modal window goes, so that the test goes on.
            if (QWidget *modal = QApplication::activeModalWidget())
                modal->hide();
        });
    }
    control.findChild<QPushButton *>(button)->click();
    if (button != QLatin1String("cmdAbout"))
        look();
    QVERIFY(opened);
}

void TestWindowManners::controlCentreHoldsItsTitle_data() {
    QTest::addColumn<double>("scale");
    QTest::newRow("default font") << 1.0;
    QTest::newRow("font one and a half times") << 1.5;
}

void TestWindowManners::controlCentreHoldsItsTitle() {
    QFETCH(double, scale);
    const ScaledApplicationFont font(scale);
    frmControl control(false);
    control.show();
    QFont bold = control.font();
    bold.setBold(true);
    QVERIFY(control.width() > QFontMetrics(bold).horizontalAdvance(control.windowTitle()));
    SaveShot(control, QStringLiteral("control-%1").arg(scale));
}

void TestWindowManners::boxesCarryTheFittingIcon_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<MsgButtons>("buttons");
    QTest::addColumn<QString>("title");
    QTest::addColumn<MsgIcon>("asked");
    QTest::addColumn<int>("icon");
    QTest::newRow("titled a warning") << "You must be careful using custom sizes" << MsgButtons::OK
                                      << "Warning!" << MsgIcon::None << int(QMessageBox::Warning);
    QTest::newRow("a warning that asks")
        << "Warning! You have selected NOT to copy files!\nContinue?" << MsgButtons::YesNo << ""
        << MsgIcon::None << int(QMessageBox::Warning);
    QTest::newRow("a file error that asks")
        << "A file error occured whilst copying a file.\nAbort current operation?"
        << MsgButtons::YesNo << "" << MsgIcon::None << int(QMessageBox::Warning);
    QTest::newRow("a question") << "Really cancel?" << MsgButtons::YesNo << "" << MsgIcon::None
                                << int(QMessageBox::Question);
    QTest::newRow("a question of three")
        << "Would you like to stop the backup?" << MsgButtons::YesNoCancel << "" << MsgIcon::None
        << int(QMessageBox::Question);
    QTest::newRow("a message") << "Nothing to restore." << MsgButtons::OK << "" << MsgIcon::None
                               << int(QMessageBox::Information);
    QTest::newRow("the caller's own") << "Nothing to restore." << MsgButtons::OK << ""
                                      << MsgIcon::Critical << int(QMessageBox::Critical);
}

void TestWindowManners::boxesCarryTheFittingIcon() {
    QFETCH(QString, text);
    QFETCH(MsgButtons, buttons);
    QFETCH(QString, title);
    QFETCH(MsgIcon, asked);
    QFETCH(int, icon);
    MessageBoxPrompt real;
    int shown = -1;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        shown = box->icon();
        box->buttons().first()->click();
    });
    real.Ask(text, buttons, title, asked);
    QCOMPARE(shown, icon);
}

void TestWindowManners::viewersGoWithEnterAndEscape_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("key");
    for (const char *window : {"details", "diagnostics", "help"}) {
        QTest::addRow("%s, Enter", window) << QString::fromLatin1(window) << int(Qt::Key_Return);
        QTest::addRow("%s, Escape", window) << QString::fromLatin1(window) << int(Qt::Key_Escape);
    }
}

void TestWindowManners::viewersGoWithEnterAndEscape() {
    QFETCH(QString, window);
    QFETCH(int, key);
    frmDetails details;
    frmQuoxel diagnostics;
    frmHelp help;
    QWidget *shown = window == QLatin1String("details")       ? static_cast<QWidget *>(&details)
                     : window == QLatin1String("diagnostics") ? static_cast<QWidget *>(&diagnostics)
                                                              : static_cast<QWidget *>(&help);
    if (shown == &details)
        details.ShowForm();
    else if (shown == &diagnostics)
        diagnostics.ShowForm();
    else
        help.ShowForm();
    QVERIFY(QTest::qWaitForWindowActive(shown));
    QWidget *focused = QApplication::focusWidget();
    QVERIFY(focused && focused->window() == shown);
    QTest::keyClick(focused, Qt::Key(key));
    QVERIFY(!shown->isVisible());
}

void TestWindowManners::tabStopsWhereAPersonCanAct_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("page");
    QTest::addColumn<double>("scale");
    for (double scale : {1.0, 1.5}) {
        const auto row = [scale](const char *name, const char *window, int page) {
            QTest::addRow("%s, x%.1f", name, scale) << QString::fromLatin1(window) << page << scale;
        };
        row("control centre", "control", 0);
        for (int tab = 0; tab < 6; ++tab)
            QTest::addRow("setup, tab %d, x%.1f", tab + 1, scale) << "setup" << tab << scale;
        row("backup, medium", "backup", 0);
        row("backup, custom medium", "backup", 4);
        row("details by backup", "details", 0);
        row("details by file", "details", 1);
        row("diagnostics", "diagnostics", 0);
        row("help", "help", 0);
        row("restore, first step", "restore", 0);
        row("reminder", "reminder", 0);
        row("about", "about", 0);
        row("files to back up", "files", 0);
    }
}

// Tab stops only at controls a person can see and use, and goes through them as they are read:
// along a row, then down; never back to the left on the same line.
void TestWindowManners::tabStopsWhereAPersonCanAct() {
    QFETCH(QString, window);
    QFETCH(int, page);
    QFETCH(double, scale);
    const ScaledApplicationFont font(scale);
    TheModel().Directories.append(clsDirectory());
    TheModel().Directories.last().SetNiceDirName(tree->PathOf("drive/"));
    OpenableWindows windows;
    frmControl control(false);
    frmQuoxel diagnostics;
    frmFilesToBackup files;
    QWidget *shown = &control;
    if (window == QLatin1String("control")) {
        control.show();
    } else if (window == QLatin1String("setup")) {
        windows.setup.ShowForm();
        windows.setup.findChild<QTabWidget *>(QStringLiteral("tabs"))->setCurrentIndex(page);
        shown = &windows.setup;
    } else if (window == QLatin1String("backup")) {
        windows.backup.ShowForm();
        if (page)
            windows.backup.findChild<QRadioButton *>(QStringLiteral("optMedium%1").arg(page))
                ->click();
        shown = &windows.backup;
    } else if (window == QLatin1String("details")) {
        windows.details.ShowForm();
        windows.details.findChild<QRadioButton *>(QStringLiteral("optFilesBackups_%1").arg(page))
            ->click();
        shown = &windows.details;
    } else if (window == QLatin1String("diagnostics")) {
        diagnostics.ShowForm();
        shown = &diagnostics;
    } else if (window == QLatin1String("help")) {
        windows.help.ShowForm();
        shown = &windows.help;
    } else if (window == QLatin1String("about")) {
        control.About()->show();
        shown = control.About();
    } else if (window == QLatin1String("files")) {
        files.ShowForm({QStringLiteral("Files to be backed up :"),
                        QStringLiteral("            ") + tree->PathOf("drive/a.txt")});
        shown = &files;
    } else if (window == QLatin1String("reminder")) {
        control.Alert()->show();
        shown = control.Alert();
    } else {
        windows.restore.ShowForm();
        shown = &windows.restore;
    }
    QVERIFY(QTest::qWaitForWindowActive(shown));
    SaveShot(*shown, QStringLiteral("look-") + QString::fromLatin1(QTest::currentDataTag()));
    QWidget *start = QApplication::focusWidget();
    if (!start || start->window() != shown) {
        QTest::keyClick(shown, Qt::Key_Tab);
        start = QApplication::focusWidget();
    }
    QVERIFY(start);
    QList<QWidget *> stops{start};
    for (int i = 0; i < 100; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *stop = QApplication::focusWidget();
        if (stop == start)
            break;
        stops.append(stop);
    }
    QStringList names;
    for (QWidget *stop : stops)
        names.append(stop->objectName().isEmpty()
                         ? QString::fromLatin1(stop->metaObject()->className())
                         : stop->objectName());
    const QString chain = names.join(QStringLiteral(" > "));
    QVERIFY2(QApplication::focusWidget() == start,
             qPrintable(QStringLiteral("no cycle: ") + chain));
    for (int i = 0; i < stops.size(); ++i) {
        QWidget *stop = stops[i];
        QVERIFY2(stop->window() == shown && stop->isVisible() && stop->isEnabled(),
                 qPrintable(names[i] + QStringLiteral(" in ") + chain));
        const auto *line = qobject_cast<QLineEdit *>(stop);
        QVERIFY2(!(line && line->isReadOnly()),
                 qPrintable(names[i] + QStringLiteral(" in ") + chain));
        if (i == 0)
            continue;
        const QRect before(stops[i - 1]->mapTo(shown, QPoint()), stops[i - 1]->size());
        const QRect here(stop->mapTo(shown, QPoint()), stop->size());
        const bool backOnTheSameLine =
            here.left() < before.left() - 2 && here.top() < before.bottom();
        QVERIFY2(!backOnTheSameLine, qPrintable(names[i - 1] + QStringLiteral(" then ") + names[i] +
                                                QStringLiteral(" in ") + chain));
    }
}

QTEST_MAIN(TestWindowManners)
#include "tst_windowmanners.moc"
