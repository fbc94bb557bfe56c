#include "smallfilesystem.h"

#include <QByteArray>
#include <QFile>

#ifdef __linux__
#include <cerrno>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>
#endif

namespace {
const char FillerName[] = ".filler";
}

SmallFileSystem::SmallFileSystem(int kilobytes) {
#ifdef __linux__
    if (!dir.isValid())
        return;
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k,mode=0700";
    mounted = ::mount("tmpfs", QFile::encodeName(dir.path()).constData(), "tmpfs", 0,
                      options.constData()) == 0;
#else
    Q_UNUSED(kilobytes);
#endif
}

SmallFileSystem::~SmallFileSystem() {
#ifdef __linux__
    if (mounted)
        ::umount2(QFile::encodeName(dir.path()).constData(), MNT_DETACH);
#endif
}

QString SmallFileSystem::Root() const {
    return dir.path() + QLatin1Char('/');
}

bool SmallFileSystem::Fill() {
#ifdef __linux__
    const int fd = ::open(QFile::encodeName(Root() + QLatin1String(FillerName)).constData(),
                          O_WRONLY | O_CREAT | O_APPEND, 0600);
    if (fd < 0)
        return false;
    const QByteArray block(4096, 'f');
    // Whole blocks first, then single bytes for what is left of the last page.
    for (const qsizetype size : {block.size(), qsizetype(1)}) {
        while (::write(fd, block.constData(), size_t(size)) > 0) {
        }
    }
    const bool full = errno == ENOSPC;
    ::close(fd);
    return full;
#else
    return false;
#endif
}

void SmallFileSystem::Unfill() {
    QFile::remove(Root() + QLatin1String(FillerName));
}
