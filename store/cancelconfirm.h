#pragma once
// The cancel question the backup and restore windows share.

#include <functional>

// Asks "Really cancel?" ("Really exit?" with the word "exit"); Yes sets the cancel flag and calls
// hideForm. Returns whether the user cancelled.
bool ConfirmCancel(const std::function<void()> &hideForm = {}, const char *word = "cancel");
