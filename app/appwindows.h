#pragma once
// The windows the control centre opens, registered by whoever creates them. A window that is
// not registered does not exist yet: its button stays disabled rather than open an empty one.

#include <functional>

class QWidget;

enum class AppWindow { Setup, Backup, Restore, Details, Help, Diagnostics, Count };

// showForm: the window's own way of coming up (it may refresh itself first); without one the
// plain ShowForm below is used.
void RegisterAppWindow(AppWindow which, QWidget *window, std::function<void()> showForm = {});
// Brings the registered window up; false when there is none.
bool ShowAppWindow(AppWindow which);
QWidget *AppWindowOf(AppWindow which);
bool IsAppWindowVisible(AppWindow which);
// Every registered window, for the exit procedure.
void ForEachAppWindow(const std::function<void(QWidget *)> &action);

// ShowForm: brings an already visible window up, otherwise makes it visible.
void ShowForm(QWidget *window);
void HideForm(QWidget *window);

// The update check; none until it exists. automatic: the check at start-up, which keeps quiet
// unless there is something new. forced: offer the package even when it is not newer. The
// Update button asks for neither.
using UpdateStarter = std::function<void(bool automatic, bool forced)>;
void SetUpdateStarter(UpdateStarter starter);
bool HaveUpdateStarter();
void StartUpdate(bool automatic, bool forced);
