#pragma once
// The program and its companion files that every medium carries in "!IN_HERE!", so that a
// restore can run on a machine where the program is not installed.

#include <QList>
#include <QString>

struct ProgramFile {
    QString name;            // as written on the medium
    QString source;          // full path; empty when the file is not copied
    bool executable = false; // a program or script that must stay startable where it is copied
};

// Fills the list from the program directory. Called once at start-up; ProgramFiles() builds it
// on first use when nobody did.
void BuildProgramFiles();
const QList<ProgramFile> &ProgramFiles();
