#pragma once
// What comes after the splash window, as start-up decided: the control centre, the restore
// window, or only the icon in the notification area.

struct StartupResult;
class frmControl;
class frmSplash;

// Sets the control centre's read-only look, registers the splash window's follow-up and lets
// the splash hide.
void ShowWhatStartupDecided(const StartupResult &result, frmControl &control, frmSplash &splash);
