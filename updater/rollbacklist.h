#pragma once
// Rollback.lst in the program directory: the version the last update installed, the version
// before it, and exactly the files it replaced (their kept copies lie beside them as ".Old").
// One "key|value" line each: "Installed|07.08.06", "Before|06.08.06", "Replaced|Backup".

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

struct RollbackRecord {
    QString installed;    // empty: no install recorded
    QString before;       // empty: not known
    QStringList replaced; // names relative to the program directory
};

QString RollbackListPath();

// Nothing when there is no list, or it cannot be read as one.
std::optional<RollbackRecord> ReadRollbackList();
QByteArray RollbackListText(const RollbackRecord &record);
// Replaces the list as a whole; false when it could not be written.
bool WriteRollbackList(const RollbackRecord &record);

// The version installed now: the one the last install recorded, else the one this updater was
// built with.
QString InstalledVersion();
