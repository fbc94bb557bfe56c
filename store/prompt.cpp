#include "prompt.h"

#include <cstdio>

namespace {

class StandardErrorPrompt : public PromptHandler {
public:
    MsgAnswer Ask(const QString &text, MsgButtons buttons, const QString &title,
                  MsgIcon icon) override {
        const QString shown = title.isEmpty() ? text : title + QStringLiteral(": ") + text;
        std::fprintf(stderr, "%s\n", shown.toLocal8Bit().constData());
        return CautiousAnswer(buttons);
    }
    QString Input(const QString &prompt, const QString &defaultText,
                  const QString &title) override {
        std::fprintf(stderr, "%s\n", prompt.toLocal8Bit().constData());
        return QString();
    }
};

StandardErrorPrompt standardErrorPrompt;
PromptHandler *installed = nullptr;

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

MsgAnswer MsgBox(const QString &text, MsgButtons buttons, const QString &title, MsgIcon icon) {
    return CurrentPromptHandler()->Ask(text, buttons, title, icon);
}

MsgAnswer MsgBox(Question name, const QString &text, MsgButtons buttons, const QString &title,
                 MsgIcon icon) {
    return CurrentPromptHandler()->AskQuestion(name, text, buttons, title, icon);
}

QString InputBox(const QString &prompt, const QString &defaultText, const QString &title) {
    return CurrentPromptHandler()->Input(prompt, defaultText, title);
}
