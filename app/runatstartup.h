#pragma once
// Starting at log-on, straight to the notification area. On POSIX this is the XDG autostart
// entry $XDG_CONFIG_HOME/autostart/Backup.desktop; on Windows the user's Run list.

#include <QString>

// The command that starts this program minimised: program directory, executable, " -min".
QString RunValueData();
// Where the autostart entry lives (POSIX).
QString AutostartEntryPath();
// The whole entry as written (POSIX).
QString AutostartEntryText();

// Whether the registration holds exactly this program's command.
bool IsInRunKey();
// Makes the registration match RunAtStartup. No message is ever shown; a failure leaves the
// registration as it was and the next start tries again.
void SyncRunAtStartup();
