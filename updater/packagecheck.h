#pragma once
// The updater trusts no package on Backup's word: the package must lie in the program directory,
// and the version file beside it must vouch for it with the publisher's signature over its
// version line and the package's exact bytes, so a package swapped after Backup's check, or an
// old one served under a newer version line, is refused.

#include <QString>

#include <optional>

class QFile;

// Whether the package path names a file directly in the program directory.
bool IsInProgramDirectory(const QString &packagePath);

// Checks the opened package against Backup.Ver in the program directory: the length its version
// line states and the signature. The package is read from its start and left at its end. The
// signed version text, or nothing with the refusal shown.
std::optional<QString> CheckPackageSignature(QFile &package);

// The program directory's Backup.Ver, which the update check hands over with the package.
QString HandedVersionFilePath();
