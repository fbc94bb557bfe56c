#pragma once
// The long list without check boxes (the details window's file list).

#define ROSTER_CLASS PlainRoster
#define ROSTER_CHECKS 0
#include "roster.h"
#undef ROSTER_CLASS
#undef ROSTER_CHECKS
