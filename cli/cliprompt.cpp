#include "cliprompt.h"

#include <cstdio>

CliPrompt::CliPrompt() {
    SetPromptHandler(this);
}

CliPrompt::~CliPrompt() {
    SetPromptHandler(nullptr);
}

MsgAnswer CliPrompt::Ask(const QString &text, MsgButtons buttons, const QString &title,
                         MsgIcon icon) {
    return AskQuestion(Question::Unnamed, text, buttons, title, icon);
}

MsgAnswer CliPrompt::AskQuestion(Question name, const QString &text, MsgButtons buttons,
                                 const QString & /*title*/, MsgIcon /*icon*/) {
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    return decide ? decide(name, buttons) : CautiousAnswer(buttons);
}

QString CliPrompt::Input(const QString &prompt, const QString & /*defaultText*/,
                         const QString & /*title*/) {
    std::fprintf(stderr, "%s\n", prompt.toLocal8Bit().constData());
    return QString();
}
