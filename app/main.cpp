// Backup: the desktop program. Start-up decides; this shows what it decided.
#include "MessageBoxPrompt.h"
#include "WindowSelectors.h"
#include "appwindows.h"
#include "followup.h"
#include "frmBackup.h"
#include "frmControl.h"
#include "frmDetails.h"
#include "frmHelp.h"
#include "frmQuoxel.h"
#include "frmRestore.h"
#include "frmSetup.h"
#include "frmSplash.h"
#include "platform.h"
#include "startup.h"
#include "updatechecker.h"
#include "updategate.h"

#include <QApplication>
#include <QCoreApplication>
#include <QStringList>
#include <QSystemTrayIcon>

#include <memory>

namespace {

// The windows the control centre opens, made once the information file is loaded and
// registered so that their buttons and tray entries come alive.
struct Windows {
    std::unique_ptr<frmQuoxel> quoxel;
    std::unique_ptr<frmDetails> details;
    std::unique_ptr<frmHelp> help;
    std::unique_ptr<frmBackup> backup;
    std::unique_ptr<frmSetup> setup;
    std::unique_ptr<frmRestore> restore;

    void Make() {
        quoxel = std::make_unique<frmQuoxel>();
        frmQuoxel *diagnostics = quoxel.get();
        RegisterAppWindow(AppWindow::Diagnostics, diagnostics,
                          [diagnostics] { diagnostics->ShowForm(); });
        // Only a real update check gets the button; until then it stays disabled.
        if (HaveUpdateStarter())
            diagnostics->SetForceUpdateAction([] { StartUpdate(false, true); });

        details = std::make_unique<frmDetails>();
        frmDetails *detailsWindow = details.get();
        RegisterAppWindow(AppWindow::Details, detailsWindow,
                          [detailsWindow] { detailsWindow->ShowForm(); });
        detailsWindow->SetOpenDiagnostics([] { ShowAppWindow(AppWindow::Diagnostics); });
        detailsWindow->SetOpenHelp([] { ShowAppWindow(AppWindow::Help); });

        help = std::make_unique<frmHelp>();
        frmHelp *helpWindow = help.get();
        RegisterAppWindow(AppWindow::Help, helpWindow, [helpWindow] { helpWindow->ShowForm(); });
        helpWindow->SetOpenDiagnostics([] { ShowAppWindow(AppWindow::Diagnostics); });

        backup = std::make_unique<frmBackup>();
        frmBackup *backupWindow = backup.get();
        RegisterAppWindow(AppWindow::Backup, backupWindow,
                          [backupWindow] { backupWindow->ShowForm(); });
        backupWindow->SetHelpAction([] { ShowAppWindow(AppWindow::Help); });

        // After the help window, so that its Help button finds it.
        setup = std::make_unique<frmSetup>();
        frmSetup *setupWindow = setup.get();
        RegisterAppWindow(AppWindow::Setup, setupWindow,
                          [setupWindow] { setupWindow->ShowForm(); });

        restore = std::make_unique<frmRestore>();
        frmRestore *restoreWindow = restore.get();
        RegisterAppWindow(AppWindow::Restore, restoreWindow,
                          [restoreWindow] { restoreWindow->ShowForm(); });
    }
};

// The switches as the command line gives them, before any application object exists.
QStringList ArgumentsOf(int argc, char *argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

} // namespace

int main(int argc, char *argv[]) {
    // A publisher's build script writes the version file where no display exists: this needs
    // no window system.
    if (ParseSwitches(ArgumentsOf(argc, argv)).makeVersion) {
        QCoreApplication core(argc, argv);
        return WriteVersionFile() ? 0 : 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Backup"));
    // In the notification area the program lives on with no window shown.
    QApplication::setQuitOnLastWindowClosed(false);
    MessageBoxPrompt prompt;
    SetPromptHandler(&prompt);
    WindowSelectors selectors;
    SetSelectorHandler(&selectors);

    platform::SingleInstanceLock lock(QStringLiteral("QuillonsPellmoorBackup"));
    std::unique_ptr<frmControl> control;
    std::unique_ptr<frmSplash> splash;

    // Before the windows are made: the control centre and the diagnostics window offer the
    // check only once it exists.
    UpdateChecker updates;
    updates.SetUpdateEnabledAction([&control](bool enabled) {
        if (control)
            control->SetUpdateEnabled(enabled);
    });
    // The updater waits for this program to end; nothing is asked first. Queued, so that a
    // hand-off before the event loop has started still ends the program.
    updates.SetEndProgramAction([&control] {
        QMetaObject::invokeMethod(
            qApp,
            [&control] {
                if (control)
                    control->ExitProgram(false);
                else
                    QCoreApplication::quit();
            },
            Qt::QueuedConnection);
    });
    SetUpdateStarter(
        [&updates](bool automatic, bool forced) { updates.StartUpdate(automatic, forced); });

    Windows windows;
    std::unique_ptr<UpdateGate> updateGate;
    StartupSteps steps;
    steps.windowsLoaded = [&] {
        control = std::make_unique<frmControl>(QSystemTrayIcon::isSystemTrayAvailable());
        splash = std::make_unique<frmSplash>();
        control->SetSplash(splash.get());
        windows.Make();
        updateGate = std::make_unique<UpdateGate>(
            QList<QWidget *>{windows.backup.get(), windows.restore.get(), windows.setup.get()});
        updates.SetHandOffGate(updateGate->ForChecker());
        control->RefreshAvailability();
        splash->ShowForm();
    };
    steps.automaticUpdate = [] { StartUpdate(true, false); };

    const StartupResult result = RunStartup(QApplication::arguments(), lock, steps);
    if (result.outcome == StartupOutcome::End)
        return result.exitCode;

    ShowWhatStartupDecided(result, *control, *splash);
    const int code = QApplication::exec();
    SetUpdateStarter({});
    SetSelectorHandler(nullptr);
    SetPromptHandler(nullptr);
    return code;
}
