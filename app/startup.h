#pragma once
// The entry procedure of Backup, apart from the windows: switches, the single instance, the
// updater hand-off, read-only mode and the information file. main shows what it decided.

#include <QStringList>

#include <functional>

namespace platform {
class SingleInstanceLock;
}

struct StartupSwitches {
    bool makeVersion = false;
    bool restore = false;
    bool minimise = false;
};
// The arguments after the program's name, joined and lower-cased, searched for each switch.
StartupSwitches ParseSwitches(const QStringList &arguments);

// What start-up found out, for the rest of the program.
struct AppMode {
    bool ReadOnlyMode = false;
    bool RestoreMode = false;
};
AppMode &TheAppMode();

enum class StartupOutcome {
    End,         // the program ends now (version file written, second instance, rollback)
    ShowControl, // the control centre follows the splash
    ToTray,      // straight to the notification area, nothing follows the splash
    ShowRestore, // the restore window follows the splash
};

struct StartupResult {
    StartupOutcome outcome = StartupOutcome::End;
    int exitCode = 0;
    bool readOnly = false;
    bool restoreMode = false;
};

struct StartupSteps {
    // Called once the program's windows are loaded, before the information file: the splash
    // is shown here.
    std::function<void()> windowsLoaded;
    // The automatic update check (it does nothing when updates are not wanted).
    std::function<void()> automaticUpdate;
};

// arguments as QCoreApplication::arguments() gives them (the program's name first). lock is
// held on success for the life of the program.
StartupResult RunStartup(const QStringList &arguments, platform::SingleInstanceLock &lock,
                         const StartupSteps &steps = {});

// Backup.Ver in the program directory, holding the version.
bool WriteVersionFile();
