#pragma once
// The control centre's status line: whether anything is chosen to back up yet, when the last
// backup was made and when the next one is due.

#include "model.h"

#include <QDate>
#include <QString>

// "Not set up yet: press Setup" before anything is chosen; otherwise "Last backup: …" and, where
// reminders come, "Next backup due: …" on a second line.
QString ControlStatusText(const Model &model, const QDate &today, bool readOnly);

// The longest text the status line takes, for the room it is given.
QString WidestStatusText();
