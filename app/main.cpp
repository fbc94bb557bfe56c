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
#include "frmQuoxel.h"
#endif
#ifdef PELLMOOR_HAVE_SELECTORS
#include "WindowSelectors.h"
#endif
#ifdef PELLMOOR_HAVE_RESTORE
#include "frmRestore.h"
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
#endif
#ifdef PELLMOOR_HAVE_RESTORE
    std::unique_ptr<frmRestore> restore;
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
#endif
#ifdef PELLMOOR_HAVE_HELP
        help = std::make_unique<frmHelp>();
        frmHelp *helpWindow = help.get();
        RegisterAppWindow(AppWindow::Help, helpWindow, [helpWindow] { helpWindow->ShowForm(); });
        helpWindow->SetOpenDiagnostics([] { ShowAppWindow(AppWindow::Diagnostics); });
#endif
#ifdef PELLMOOR_HAVE_RESTORE
        restore = std::make_unique<frmRestore>();
        frmRestore *restoreWindow = restore.get();
        RegisterAppWindow(AppWindow::Restore, restoreWindow,
                          [restoreWindow] { restoreWindow->ShowForm(); });
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
