#include "listing.h"

#include "platform.h"
#include "statuslog.h"
#include "storabletext.h"
#include "textutil.h"

DirListing ListDirectory(const QString &dir) {
    DirListing listing;
    const QString prefix = AddSlashed(dir);
    for (const platform::DirEntry &entry : platform::ReadDirectory(dir, &listing.readable)) {
        switch (entry.kind) {
        case platform::EntryKind::File:
            listing.files.append(entry.name);
            break;
        case platform::EntryKind::Directory:
            listing.directories.append(entry.name);
            break;
        case platform::EntryKind::Link:
            StatusPrint(QStringLiteral("Passed over the link ") + prefix + entry.name +
                        QStringLiteral("\n"));
            break;
        case platform::EntryKind::Other:
            StatusPrint(QStringLiteral("Passed over ") + prefix + entry.name +
                        QStringLiteral(" (not a regular file)\n"));
            break;
        }
    }
    return listing;
}

bool UnstorableName(const QString &name) {
    return !StorableText(name);
}
