#include "followup.h"

#include "SysTray.h"
#include "appwindows.h"
#include "frmControl.h"
#include "frmSplash.h"
#include "startup.h"

void ShowWhatStartupDecided(const StartupResult &result, frmControl &control, frmSplash &splash) {
    control.SetReadOnlyMode(result.readOnly);
    frmControl *centre = &control;
    switch (result.outcome) {
    case StartupOutcome::End:
        return;
    case StartupOutcome::ToTray:
        // Without a notification area the window can only be minimised.
        if (!centre->Tray()->MinimiseToTray())
            splash.SetFollowUp([centre] { centre->showMinimized(); });
        break;
    case StartupOutcome::ShowRestore:
        splash.SetFollowUp([centre] {
            if (!ShowAppWindow(AppWindow::Restore))
                ShowForm(centre);
        });
        break;
    case StartupOutcome::ShowControl:
        splash.SetFollowUp([centre] { ShowForm(centre); });
        break;
    }
    splash.AllowHide();
}
