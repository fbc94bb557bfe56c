#pragma once
// A prompt handler for tests: it answers from a script and records every message and question.
// A message nobody scripted an answer for is answered cautiously and counted as unexpected.

#include "prompt.h"

#include <QList>
#include <QString>
#include <QStringList>

struct RecordedPrompt {
    QString text;
    MsgButtons buttons = MsgButtons::OK;
    QString title;
    MsgIcon icon = MsgIcon::None;
    bool input = false;
    Question question = Question::Unnamed;
};

class ScriptedPrompt : public PromptHandler {
public:
    // Installs itself as the prompt handler; the destructor restores the previous one.
    ScriptedPrompt();
    ~ScriptedPrompt() override;

    // Queues the answer for the next message box.
    ScriptedPrompt &Answer(MsgAnswer answer);
    // Queues the answer for the next message box whose text contains textPart.
    ScriptedPrompt &AnswerWhen(const QString &textPart, MsgAnswer answer);
    // Queues the text for the next input box.
    ScriptedPrompt &Type(const QString &text);

    MsgAnswer Ask(const QString &text, MsgButtons buttons, const QString &title,
                  MsgIcon icon) override;
    MsgAnswer AskQuestion(Question name, const QString &text, MsgButtons buttons,
                          const QString &title, MsgIcon icon) override;
    QString Input(const QString &prompt, const QString &defaultText, const QString &title) override;

    const QList<RecordedPrompt> &Prompts() const { return prompts; }
    QStringList Texts() const;
    // The answers and typed texts that were queued but never used.
    int Unused() const { return int(answers.size() + typed.size()); }
    int Unexpected() const { return unexpected; }
    void Clear();

private:
    struct Scripted {
        QString when;
        MsgAnswer answer;
    };
    QList<Scripted> answers;
    QStringList typed;
    QList<RecordedPrompt> prompts;
    int unexpected = 0;
    PromptHandler *previous = nullptr;
};
