#pragma once
// The cancel question the backup and restore windows share.

#include <functional>

// Asks "Really cancel?"; Yes sets the cancel flag and calls hideForm. Returns whether the user
// cancelled.
bool ConfirmCancel(const std::function<void()> &hideForm = {});
