#pragma once
// A built program run as a real process, as a user or a script would: its exit status and
// output, for the tests that start the programs themselves.

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct Run {
    int status = -1; // -1 when it crashed or did not end within a minute
    QString out;
    QString err;
};

// Nothing is written to its input. Without an environment it inherits the test's own; without
// a working directory it runs in the test's.
Run RunProgram(const QString &program, const QStringList &arguments,
               const QProcessEnvironment &environment = QProcessEnvironment(),
               const QString &workingDirectory = QString());
