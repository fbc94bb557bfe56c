#pragma once
// A temporary folder filled from a short description, one entry a line:
//   "dir/"                      an empty directory
//   "dir/file.txt"              an empty file
//   "dir/file.txt=some text"    a file with that content
//   "dir/big.bin:4096"          a file of that many pseudo-random bytes (seeded by its path)
// Parent directories are made as needed. The folder is removed when the object goes.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class TempTree {
public:
    explicit TempTree(const QStringList &description = {});

    bool IsValid() const { return dir.isValid(); }
    // The folder, ending in the separator.
    QString Root() const;
    // Root() + relative
    QString PathOf(const QString &relative) const;

    void Add(const QStringList &description);
    void Write(const QString &relative, const QByteArray &content);
    QByteArray Read(const QString &relative) const;

    // Every entry below the folder with its size and modification time, sorted: equal before
    // and after a run that wrote nothing anywhere.
    QStringList Snapshot() const;

    // Deterministic bytes for a size and seed text.
    static QByteArray PseudoRandomBytes(qint64 size, const QString &seed);

private:
    QTemporaryDir dir;
};
