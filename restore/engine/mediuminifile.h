#pragma once
// The information file a medium carries in "!IN_HERE!", read only from the medium itself.

#include <QString>

struct Model;

inline constexpr char IniOffMediumMessage[] =
    "The information file on this medium leads off the medium through a link and was not "
    "read:\n";

// Loads root + "!IN_HERE!/Backup.Ini" into model, as leaving step 1 does. A file that a
// link leads off the medium is refused with IniOffMediumMessage and the path; any other failure
// is the load's own message. Returns whether the load succeeded.
bool LoadMediumIniFile(Model &model, const QString &root);
