#pragma once
// The exact time of a zip entry: the extended-timestamp field (0x5455) holds the modification
// time in UTC seconds beside the entry's DOS time, which is local time, even seconds only and
// never before 1980.

#include <QtGlobal>

#include <optional>

struct zip;

// Writes the field into the entry's local and central headers. False when the library refuses;
// a time the field cannot hold (before 1970 or after 2106) writes nothing and is no failure, the
// DOS time then being all the entry has.
bool SetExactEntryTime(struct zip *archive, quint64 index, qint64 seconds);

// The entry's time from the field, from its central header or else its local one; nothing when
// the entry has no such field (an archive made by a tool that writes none).
std::optional<qint64> ExactEntryTime(struct zip *archive, quint64 index);
