#pragma once
// One directory with its file patterns and flags: an entry of the directory list, the value of a
// tree node, and what the directory window hands back.

#include <QString>

class clsDirectory {
public:
    QString Patterns;
    bool IncludeSubdirs = false;
    bool Selected = false;
    bool Processed = false;

    QString NiceDirName() const { return niceDirName; }
    void SetNiceDirName(const QString &name);

    // The form every comparison of directories uses (upper-cased where the file system ignores
    // letter case, unchanged where it does not).
    const QString &GetCompDirName() const { return compDirName; }

    clsDirectory Clone() const { return *this; }

    // Text form used by the tree's toString: name|Patterns|IncludeSubdirs|Selected|Processed,
    // flags as True/False. base is the parent's directory, which is cut from the front of the
    // name when it is a prefix of it.
    QString toString(const QString &base) const;

private:
    QString niceDirName;
    QString compDirName;
};
