#pragma once
// The renames an install makes, each remembered, so that a failure at any step puts every file
// back where it was, latest first. Unlike the shared rename helper, a failure here is reported
// to the caller and never ends the program: the updater still has files to put back.

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class RenameJournal {
public:
    // Renames a file (not a directory) within its folder; `to` must not exist. 0 when done,
    // else the errno of the failure.
    int Move(const QString &from, const QString &to);
    // Puts every rename back, latest first; the paths that could not be put back.
    QStringList Undo();

private:
    QList<QPair<QString, QString>> moves;
};
