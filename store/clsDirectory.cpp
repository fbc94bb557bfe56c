#include "clsDirectory.h"

#include "platform.h"

void clsDirectory::SetNiceDirName(const QString &name) {
    niceDirName = name;
    compDirName = platform::ComparablePath(name);
}
