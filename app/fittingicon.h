#pragma once
// The icon a box carries when its caller named none: a warning for a warning or an error, a
// question mark for a question, and the information sign for a plain message.

#include "prompt.h"

MsgIcon FittingIcon(const QString &text, MsgButtons buttons, const QString &title, MsgIcon asked);
