#pragma once
// The answers that end a run, for when nobody can answer any more: the program is ending (the
// session closes) while a backup or a restore waits at a question. A box that cannot be shown
// gets its cautious answer at once, and some cautious answers ask again, for ever; these never
// do. A backup keeps the media that were confirmed before, a restore keeps the files it wrote.

#include "prompt.h"

MsgAnswer EndingAnswer(Question name, MsgButtons buttons);
