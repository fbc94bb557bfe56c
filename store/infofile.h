#pragma once
// The information file: the whole model as text, one record a line, fields split by '|'.

#include <QString>

struct Model;

inline constexpr int CurrentIniVersion = 8;

// Writes the model to path in format version 0 to 8, crash-safe: a temporary file in the same
// folder is completed and flushed before it replaces the old one. Returns false (after its
// message) when the file could not be written.
bool SaveIniFile(Model &model, const QString &path, int version = CurrentIniVersion);
// The same for the program's own model (TheModel()).
bool SaveIniFile(const QString &path, int version = CurrentIniVersion);

// Replaces the model by the file's contents. A missing file is reported and, with
// createIfMissing, replaced by a fresh one. Returns true on success.
bool LoadIniFile(Model &model, const QString &path, bool createIfMissing);
bool LoadIniFile(const QString &path, bool createIfMissing);

// The name an unreadable information file is moved to before anything is saved over it.
QString UnreadableIniName(const QString &path);
