#pragma once
// The command line of packsmith, the publisher's tool: makes a signing key pair, or writes a
// signed update package from a list of files.

#include <QStringList>
#include <QTextStream>

inline constexpr char SecretKeyFileName[] = "packsmith.key";

// Exit status: 0 done, 1 failed, 2 bad usage (the usage is printed to err).
int RunPacksmith(const QStringList &arguments, QTextStream &out, QTextStream &err);
