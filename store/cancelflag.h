#pragma once
// The program-wide cancel flag that long operations test between steps.

void SetCancelFlag(bool value);
bool CancelFlag();
