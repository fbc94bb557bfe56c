#pragma once
// A small tree that lives the way a user's folder does: files edited, truncated, renamed and
// renamed back, folders renamed, a file and a folder taking turns at one path, odd names. Every
// change is made on disk and mirrored in a model of what each path holds, so that any restore
// can be compared with the state it should give back.

#include <QByteArray>
#include <QMap>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

struct FileState {
    QByteArray content;
    int mode = 0644;
    qint64 mtime = 0; // seconds since the epoch, UTC
};

class LivingTree {
public:
    // root: the folder the tree lives in, ending in '/'.
    LivingTree(const QString &root, quint64 seed);

    // One generation of random changes; bigFile adds a file larger than a small medium.
    void Change(int generation, qint64 bigFile);
    // Files and their states now, by path relative to the root.
    const QMap<QString, FileState> &Now() const { return files; }
    // Every path that ever held a file, with what it held last.
    const QMap<QString, FileState> &Ever() const { return ever; }
    // What was done in the last generation, for a failure message.
    const QStringList &Log() const { return log; }

private:
    QString NewName();
    QString SomeDirectory();
    QString FreshPath(const QString &directory);
    FileState NewState(int generation, qint64 size);
    void Put(const QString &path, const FileState &state);
    void Remove(const QString &path);
    void Rename(const QString &from, const QString &to);
    void RenameDirectory(const QString &from, const QString &to);
    void Note(const QString &what) { log.append(what); }
    void Remember();
    bool Blocked(const QString &path) const;

    QString root;
    QRandomGenerator random;
    QMap<QString, FileState> files;
    QMap<QString, FileState> ever;
    QList<QPair<QString, QString>> renamed; // last generation's renames, to undo
    QStringList log;
};
