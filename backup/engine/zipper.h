#pragma once
// Zips files into a zip archive with deflate, one zip at a time, with a progress estimate and
// an abort that the Cancel button reaches through the event pump.

#include "platform.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

inline constexpr int MaxZipNames = 100;

// Zips the first count names (at most 100), taken relative to rootDir, into zipFile, each under
// its bare name. With recurse, a name that is a directory adds the files below it. Returns 0 on
// success, otherwise the zip library's error code. states, when given, holds how the caller
// found the names (one each, in order): their entries keep those permission bits and that
// modification time without another look at the files.
int ZipFiles(const QString &zipFile, const QString &rootDir, const QStringList &names, int count,
             bool recurse, const QList<platform::FileState> &states = {});

// Tells the running zip to stop at its next progress point.
void ZipAbort();

// The estimate: the whole number nearest to |totalBytes / 32768 - 2|.
qint64 ZipEstimateUnits(double totalBytes);

// Progress of the current zip in percent (truncated to two decimals); -1 while unknown.
double ZipPercentDone();

// What the library reported during the last zip.
QString ZipStatusText();

// Called whenever the percent changes while a zip runs; nullptr removes it.
void SetZipProgressListener(std::function<void(double percent)> listener);
