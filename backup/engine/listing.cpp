#include "listing.h"

#include "statuslog.h"

#include <QDir>
#include <QFileInfo>

DirListing ListDirectory(const QString &dir) {
    DirListing listing;
    const QFileInfo self(dir);
    if (!self.isReadable() || !self.isExecutable()) {
        listing.readable = false;
        return listing;
    }
    const QFileInfoList entries = QDir(dir).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &entry : entries) {
        if (entry.isSymLink()) {
            StatusPrint(QStringLiteral("Passed over the link ") + entry.filePath() +
                        QStringLiteral("\n"));
        } else if (entry.isDir()) {
            listing.directories.append(entry.fileName());
        } else if (entry.isFile()) {
            listing.files.append(entry.fileName());
        } else {
            StatusPrint(QStringLiteral("Passed over ") + entry.filePath() +
                        QStringLiteral(" (not a regular file)\n"));
        }
    }
    return listing;
}

bool UnstorableName(const QString &name) {
    return name.contains(QLatin1Char('|')) || name.contains(QLatin1Char('\n')) ||
           name.contains(QLatin1Char('\r'));
}
