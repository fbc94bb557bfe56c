#pragma once
// The server's version as the update check shows it. Reading a version is store's
// ReadVersionDate, shared with the updater.

#include "readversiondate.h"

#include <QDate>
#include <QString>

// The server's version as the download question shows it: the system's short date with every
// '/' written as '.'.
QString AvailableVersionText(const QDate &date);
