#pragma once
// A small tmpfs mounted on a temporary folder, to meet a really full disk. Mounting needs the
// right to mount (root with CAP_SYS_ADMIN); where it is missing IsMounted() is false and the
// test skips, the injected faults of FaultInjector covering the same paths.

#include <QString>
#include <QTemporaryDir>

class SmallFileSystem {
public:
    explicit SmallFileSystem(int kilobytes);
    ~SmallFileSystem();
    SmallFileSystem(const SmallFileSystem &) = delete;
    SmallFileSystem &operator=(const SmallFileSystem &) = delete;

    bool IsMounted() const { return mounted; }
    // The mounted folder, ending in the separator.
    QString Root() const;
    // Takes up every free byte with one file, so that the next write fails with a full disk.
    bool Fill();
    // Frees what Fill took.
    void Unfill();

private:
    QTemporaryDir dir;
    bool mounted = false;
};
