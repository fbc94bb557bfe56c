#pragma once
// The program's answer to every message and question: a real message box or input box.

#include "prompt.h"

class MessageBoxPrompt : public PromptHandler {
public:
    MsgAnswer Ask(const QString &text, MsgButtons buttons, const QString &title,
                  MsgIcon icon) override;
    QString Input(const QString &prompt, const QString &defaultText, const QString &title) override;
};
