#pragma once
// Where the files of an update package go. A package may only ever write inside the program
// directory: a target that leads anywhere else refuses the whole package.

#include <QString>

#include <optional>

// The updater's own file in the program directory. A package file aimed at it is written with
// ".this" appended, since a running program cannot be replaced; Backup swaps it in at its next
// start.
QString UpdaterOwnPath();

// The full path a package target is written to: "%Backup%" stands for the program directory and a
// relative target is taken in it; the updater's own file gets ".this". Nothing when the target is
// absolute outside the program directory, holds a ".." component, names the directory itself, or
// reaches through a symbolic link (the target itself included).
std::optional<QString> ResolveTarget(const QString &target);
