#pragma once
// The drive list given in PELLMOOR_DRIVES, for tests and for machines where detection is wrong.

#include "platform.h"

#include <optional>

namespace platform {

// "path=fixed;path=removable;..." as drives. Type words: fixed, removable, network, optical,
// ramdisk (any letter case); any other word gives an unknown drive. Each root gets a trailing
// separator; empty entries are skipped. The path ends at the last '=', so a path may hold '='.
QList<Drive> ParseDriveList(const QString &text);

// The parsed list when PELLMOOR_DRIVES holds something; nothing when it is unset or empty.
std::optional<QList<Drive>> DrivesFromEnvironment();

// Sorts by root and keeps one drive per root (the last one given), so the order is stable.
QList<Drive> StableDriveOrder(QList<Drive> drives);

} // namespace platform
