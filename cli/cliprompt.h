#pragma once
// Messages the windows would show go to standard error with the same text. Questions are answered
// the way the running command decided before it started.

#include "prompt.h"

#include <functional>

class CliPrompt : public PromptHandler {
public:
    // decide: the answer to a question by its name; by default the cautious one (OK, Cancel or
    // No).
    using Decider = std::function<MsgAnswer(Question name, MsgButtons buttons)>;

    CliPrompt();
    ~CliPrompt() override;
    void SetDecider(Decider decider) { decide = std::move(decider); }

    MsgAnswer Ask(const QString &text, MsgButtons buttons, const QString &title,
                  MsgIcon icon) override;
    MsgAnswer AskQuestion(Question name, const QString &text, MsgButtons buttons,
                          const QString &title, MsgIcon icon) override;
    QString Input(const QString &prompt, const QString &defaultText, const QString &title) override;

private:
    Decider decide;
};
