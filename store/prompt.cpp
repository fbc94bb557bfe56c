#include "prompt.h"

#include "endinganswers.h"

#include <cstdio>

namespace {

class StandardErrorPrompt : public PromptHandler {
public:
    MsgAnswer Ask(const QString &text, MsgButtons buttons, const QString &title,
                  MsgIcon /*icon*/) override {
        const QString shown = title.isEmpty() ? text : title + QStringLiteral(": ") + text;
        std::fprintf(stderr, "%s\n", shown.toLocal8Bit().constData());
        return CautiousAnswer(buttons);
    }
    QString Input(const QString &prompt, const QString & /*defaultText*/,
                  const QString & /*title*/) override {
        std::fprintf(stderr, "%s\n", prompt.toLocal8Bit().constData());
        return QString();
    }
};

StandardErrorPrompt standardErrorPrompt;
PromptHandler *installed = nullptr;
bool ending = false;

} // namespace

MsgAnswer CautiousAnswer(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::OK:
        return MsgAnswer::OK;
    case MsgButtons::OKCancel:
    case MsgButtons::YesNoCancel:
        return MsgAnswer::Cancel;
    case MsgButtons::YesNo:
        return MsgAnswer::No;
    }
    return MsgAnswer::Cancel;
}

void SetPromptHandler(PromptHandler *handler) {
    installed = handler;
}

PromptHandler *CurrentPromptHandler() {
    return installed ? installed : &standardErrorPrompt;
}

void SetProgramEnding(bool value) {
    ending = value;
}

bool ProgramEnding() {
    return ending;
}

MsgAnswer MsgBox(const QString &text, MsgButtons buttons, const QString &title, MsgIcon icon) {
    if (ending)
        return CautiousAnswer(buttons);
    return CurrentPromptHandler()->Ask(text, buttons, title, icon);
}

MsgAnswer MsgBox(Question name, const QString &text, MsgButtons buttons, const QString &title,
                 MsgIcon icon) {
    if (ending)
        return EndingAnswer(name, buttons);
    return CurrentPromptHandler()->AskQuestion(name, text, buttons, title, icon);
}

QString InputBox(const QString &prompt, const QString &defaultText, const QString &title) {
    if (ending)
        return QString();
    return CurrentPromptHandler()->Input(prompt, defaultText, title);
}
