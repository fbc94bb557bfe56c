#include "scriptedprompt.h"

ScriptedPrompt::ScriptedPrompt() : previous(CurrentPromptHandler()) {
    SetPromptHandler(this);
}

ScriptedPrompt::~ScriptedPrompt() {
    SetPromptHandler(previous == this ? nullptr : previous);
}

ScriptedPrompt &ScriptedPrompt::Answer(MsgAnswer answer) {
    answers.append({QString(), answer});
    return *this;
}

ScriptedPrompt &ScriptedPrompt::AnswerWhen(const QString &textPart, MsgAnswer answer) {
    answers.append({textPart, answer});
    return *this;
}

ScriptedPrompt &ScriptedPrompt::Type(const QString &text) {
    typed.append(text);
    return *this;
}

MsgAnswer ScriptedPrompt::Ask(const QString &text, MsgButtons buttons, const QString &title,
                              MsgIcon icon) {
    prompts.append({text, buttons, title, icon, false});
    for (qsizetype i = 0; i < answers.size(); ++i) {
        if (answers[i].when.isEmpty() || text.contains(answers[i].when)) {
            const MsgAnswer answer = answers.takeAt(i).answer;
            return answer;
        }
    }
    if (buttons != MsgButtons::OK)
        ++unexpected;
    return CautiousAnswer(buttons);
}

MsgAnswer ScriptedPrompt::AskQuestion(Question name, const QString &text, MsgButtons buttons,
                                      const QString &title, MsgIcon icon) {
    const MsgAnswer answer = Ask(text, buttons, title, icon);
    prompts.last().question = name;
    return answer;
}

QString ScriptedPrompt::Input(const QString &prompt, const QString & /*defaultText*/,
                              const QString &title) {
    prompts.append({prompt, MsgButtons::OKCancel, title, MsgIcon::None, true});
    if (typed.isEmpty()) {
        ++unexpected;
        return QString();
    }
    return typed.takeFirst();
}

QStringList ScriptedPrompt::Texts() const {
    QStringList texts;
    for (const RecordedPrompt &p : prompts)
        texts.append(p.text);
    return texts;
}

void ScriptedPrompt::Clear() {
    answers.clear();
    typed.clear();
    prompts.clear();
    unexpected = 0;
}
