#pragma once
// Where a copy goes on a medium, and the substitute name of a copy whose path the media could
// not hold.

#include <QString>

// Whether relativeDir + name can be written under a target directory on the media.
bool UsableTarget(const QString &relativeDir, const QString &name, const QString &targetDir);

// Whether a full target path is short enough for the media.
bool TargetFits(const QString &target);

// The extension a substitute name keeps: ".c" becomes ".cxx", ".abcd" and longer ".txt"; a name
// without a dot counts as if all of it followed the dot.
QString SubstituteExtension(const QString &name);

// The line "!ErrFile.txt" holds for one substitute name.
QString ErrFileLine(const QString &substitute, const QString &original);
