#pragma once
// The parsed command line shared by every command: the command word, its plain arguments and
// its --options with their values.

#include <QMap>
#include <QString>
#include <QStringList>

struct CommandLine {
    QString command;
    QStringList arguments;
    QMap<QString, QString> options; // "--format" -> "4"; a switch maps to ""
    QString error;                  // set when the words do not parse

    bool Has(const QString &option) const { return options.contains(option); }
    QString Value(const QString &option) const { return options.value(option); }
};

// valueOptions: the options that take a value ("--format"); every other "--x" is a switch.
CommandLine ParseCommandLine(const QStringList &words, const QStringList &valueOptions);

// The first option that is neither one of known nor one every command takes, or an empty text.
QString UnknownOption(const CommandLine &line, const QStringList &known);

// Reports a bad usage on standard error and gives exit status 2.
int UsageError(const QString &message);

// Writes one line of a command's output to standard output.
void PrintLine(const QString &line);
