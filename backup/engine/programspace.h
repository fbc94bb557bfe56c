#pragma once
// The space every medium keeps for the program files and the information file.

#include "programfiles.h"

#include <QList>

// 1.5 times the information file plus each program file, each in whole kilobytes by the cluster
// rule; cut to a whole number, rounded down to whole clusters, and 14 clusters more.
double ProgramSpaceKB(double iniLengthBytes, double clusterBytes, const QList<ProgramFile> &files);
