#pragma once
// The long list with a check box per item (the restore window's file list).

#define ROSTER_CLASS CheckRoster
#define ROSTER_CHECKS 1
#include "roster.h"
#undef ROSTER_CLASS
#undef ROSTER_CHECKS
