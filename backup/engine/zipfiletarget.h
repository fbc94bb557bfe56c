#pragma once
// A new zip archive written straight into its file. The library's own file target writes a
// temporary file under a random name, and its first random name loads the system's whole
// cryptography configuration: several milliseconds for every run that zips at all. The run's
// zip files have private names already, so nothing is gained by the detour.

#include <QString>

struct zip;

// Opens a new, empty archive that zip_close writes to path (replacing any file there) and that a
// failed close removes. Returns nullptr with the library's error code in error.
zip *OpenNewArchive(const QString &path, int &error);
