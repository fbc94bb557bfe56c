#pragma once
// The guide shown when neither help file is beside the program.

#include <QString>

QString InternalHelpText();
