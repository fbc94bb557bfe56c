#include "platform.h"

#include <QFile>
#include <QHash>

#include <cerrno>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// A backslash is part of a name here, never a separator.
QString Normalised(QString relative) {
    while (relative.endsWith(QLatin1Char('/')))
        relative.chop(1);
    return relative;
}

// Splits "a/b/name" into "a/b" and "name".
void Split(const QString &relative, QString *directory, QString *name) {
    const qsizetype cut = relative.lastIndexOf(QLatin1Char('/'));
    *directory = cut < 0 ? QString() : relative.left(cut);
    *name = relative.mid(cut + 1);
}

// Enough for the directories a restore writes in turn; a tree with more would run out of
// descriptors, so beyond this the kept ones are let go and opened again, level by level, when
// needed.
constexpr qsizetype KeptDirectories = 256;

bool SingleName(const QString &name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..");
}

} // namespace

struct WriteTree::Impl {
    int root = -1;
    // Every directory made or opened below the root, by its path relative to it ("" the root).
    QHash<QString, int> directories;

    ~Impl() {
        for (int fd : std::as_const(directories))
            ::close(fd);
    }

    // Called before each operation, never in the middle of one, so no handle in use is closed.
    void Trim() {
        if (directories.size() <= KeptDirectories)
            return;
        for (int fd : std::as_const(directories))
            if (fd != root)
                ::close(fd);
        directories.clear();
        directories.insert(QString(), root);
    }

    // The open directory root + relative (normalised); -1 with errno set when it cannot be had.
    int Directory(const QString &relative, bool make) {
        const auto known = directories.constFind(relative);
        if (known != directories.constEnd())
            return *known;
        QString parentPath, name;
        Split(relative, &parentPath, &name);
        if (!SingleName(name)) {
            errno = EINVAL;
            return -1;
        }
        const int parent = Directory(parentPath, make);
        if (parent < 0)
            return -1;
        const QByteArray encoded = QFile::encodeName(name);
        if (make && ::mkdirat(parent, encoded.constData(), 0777) != 0 && errno != EEXIST)
            return -1;
        // What stands there now is opened only if it is a real directory: a link planted
        // after the mkdirat is refused here, and once open the handle keeps to this directory
        // whatever is renamed or planted later.
        const int fd =
            ::openat(parent, encoded.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd >= 0)
            directories.insert(relative, fd);
        return fd;
    }

    // What every operation on a file starts with: the open directory that holds it (made
    // beforehand) and its name; -1 with errno set when either cannot be had.
    int Parent(const QString &relativeFile, QByteArray *encodedName) {
        Trim();
        QString directory, name;
        Split(Normalised(relativeFile), &directory, &name);
        if (root < 0 || !SingleName(name)) {
            errno = EINVAL;
            return -1;
        }
        *encodedName = QFile::encodeName(name);
        return Directory(directory, false);
    }
};

WriteTree::WriteTree(const QString &root) : impl(std::make_unique<Impl>()) {
    impl->root = ::open(QFile::encodeName(root).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (impl->root >= 0)
        impl->directories.insert(QString(), impl->root);
}

WriteTree::~WriteTree() = default;

bool WriteTree::IsOpen() const {
    return impl->root >= 0;
}

bool WriteTree::MakeDirectory(const QString &relative) {
    impl->Trim();
    return impl->root >= 0 && impl->Directory(Normalised(relative), true) >= 0;
}

int WriteTree::Open(const QString &relativeFile, WriteOpen how) {
    QByteArray encoded;
    const int parent = impl->Parent(relativeFile, &encoded);
    if (parent < 0)
        return -1;
    switch (how) {
    case WriteOpen::Fresh: {
        // O_EXCL makes sure the file written is the one made here, not something planted in
        // between; a file or link already there is taken away first. Most files are new, so
        // the removal is tried only when the name is taken.
        const auto create = [&] {
            return ::openat(parent, encoded.constData(),
                            O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        };
        const int fd = create();
        if (fd >= 0 || errno != EEXIST)
            return fd;
        ::unlinkat(parent, encoded.constData(), 0);
        return create();
    }
    case WriteOpen::Existing: {
        const int fd = ::openat(parent, encoded.constData(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
        struct stat info;
        // A hard link put in place of the file would carry the write into another file.
        if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_nlink != 1)) {
            ::close(fd);
            errno = EPERM;
            return -1;
        }
        return fd;
    }
    case WriteOpen::Append:
        return ::openat(parent, encoded.constData(),
                        O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    }
    return -1;
}

bool WriteTree::Remove(const QString &relativeFile) {
    QByteArray encoded;
    const int parent = impl->Parent(relativeFile, &encoded);
    return parent >= 0 && ::unlinkat(parent, encoded.constData(), 0) == 0;
}

bool WriteTree::MoveInto(const QString &path, const QString &relativeFile) {
    QByteArray encoded;
    const int parent = impl->Parent(relativeFile, &encoded);
    return parent >= 0 && ::renameat(AT_FDCWD, QFile::encodeName(path).constData(), parent,
                                     encoded.constData()) == 0;
}

} // namespace platform
