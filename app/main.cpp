// Backup: the desktop program. Start-up decides; this shows what it decided.
#include "MessageBoxPrompt.h"
#include "appwindows.h"
#include "followup.h"
#include "frmControl.h"
#include "frmSplash.h"
#include "platform.h"
#include "startup.h"

#include <QApplication>
#include <QSystemTrayIcon>

#include <memory>

#ifdef PELLMOOR_HAVE_HELP
#include "frmHelp.h"
#endif
#ifdef PELLMOOR_HAVE_DETAILS
#include "frmDetails.h"
#include "frmQuoxel.h"
#endif
#ifdef PELLMOOR_HAVE_SELECTORS
#include "WindowSelectors.h"
#endif
#ifdef PELLMOOR_HAVE_BACKUP
#include "frmBackup.h"
#endif
#ifdef PELLMOOR_HAVE_SETUP
#include "frmSetup.h"
#endif

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Backup"));
    // In the notification area the program lives on with no window shown.
    QApplication::setQuitOnLastWindowClosed(false);
    MessageBoxPrompt prompt;
    SetPromptHandler(&prompt);
#ifdef PELLMOOR_HAVE_SELECTORS
    WindowSelectors selectors;
    SetSelectorHandler(&selectors);
#endif

    platform::SingleInstanceLock lock(QStringLiteral("QuillonsPellmoorBackup"));
    std::unique_ptr<frmControl> control;
    std::unique_ptr<frmSplash> splash;
#ifdef PELLMOOR_HAVE_HELP
    std::unique_ptr<frmHelp> help;
#endif
#ifdef PELLMOOR_HAVE_DETAILS
    std::unique_ptr<frmQuoxel> quoxel;
    std::unique_ptr<frmDetails> details;
#endif
#ifdef PELLMOOR_HAVE_BACKUP
    std::unique_ptr<frmBackup> backup;
#endif
#ifdef PELLMOOR_HAVE_SETUP
    std::unique_ptr<frmSetup> setup;
#endif
    StartupSteps steps;
    steps.windowsLoaded = [&] {
        control = std::make_unique<frmControl>(QSystemTrayIcon::isSystemTrayAvailable());
        splash = std::make_unique<frmSplash>();
        control->SetSplash(splash.get());
#ifdef PELLMOOR_HAVE_DETAILS
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
#endif
#ifdef PELLMOOR_HAVE_HELP
        help = std::make_unique<frmHelp>();
        frmHelp *helpWindow = help.get();
        RegisterAppWindow(AppWindow::Help, helpWindow, [helpWindow] { helpWindow->ShowForm(); });
        helpWindow->SetOpenDiagnostics([] { ShowAppWindow(AppWindow::Diagnostics); });
#endif
#ifdef PELLMOOR_HAVE_BACKUP
        backup = std::make_unique<frmBackup>();
        frmBackup *backupWindow = backup.get();
        RegisterAppWindow(AppWindow::Backup, backupWindow,
                          [backupWindow] { backupWindow->ShowForm(); });
        backupWindow->SetHelpAction([] { ShowAppWindow(AppWindow::Help); });
#endif
#ifdef PELLMOOR_HAVE_SETUP
        // After the help window, so that its Help button finds it.
        setup = std::make_unique<frmSetup>();
        frmSetup *setupWindow = setup.get();
        RegisterAppWindow(AppWindow::Setup, setupWindow,
                          [setupWindow] { setupWindow->ShowForm(); });
#endif
        control->RefreshAvailability();
        splash->ShowForm();
    };
    steps.automaticUpdate = [] { StartUpdate(true, false); };

    const StartupResult result = RunStartup(QApplication::arguments(), lock, steps);
    if (result.outcome == StartupOutcome::End)
        return result.exitCode;

    ShowWhatStartupDecided(result, *control, *splash);
    const int code = QApplication::exec();
    SetSelectorHandler(nullptr);
    SetPromptHandler(nullptr);
    return code;
}
