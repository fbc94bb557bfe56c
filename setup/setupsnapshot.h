#pragma once
// What the setup window's Cancel gives back: the lists it edits, the two directories and the
// flags of every medium, as they were when the window was filled.

#include "clsDirectory.h"
#include "model.h"

#include <QList>
#include <QStringList>

class SetupSnapshot {
public:
    void Take();
    // Writes the snapshot back into the model. Media added since keep their flags.
    void Restore() const;

private:
    QList<clsDirectory> directories;
    QString backupDirectory;
    QString tempDirectory;
    QStringList includeAll;
    QStringList excludes;
    QList<MediumRecord> media;
};
