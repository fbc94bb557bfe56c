#pragma once
// Every message of the updater carries its name and version in the title.

#include "prompt.h"

#include <QString>

inline constexpr char RefitterVersion[] = "01.08.06";

QString RefitterTitle();
MsgAnswer RefitterMessage(const QString &text, MsgButtons buttons = MsgButtons::OK);
