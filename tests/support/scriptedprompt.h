#pragma once
// A prompt handler for tests: it answers from a script and records every message and question.
// It fails the running test on a question nobody scripted (answering it cautiously, so a run
// still ends) and, when destroyed, on a scripted answer nothing asked for and on a message nobody
// expected that the test never read back (Texts(), Prompts()).

#include "prompt.h"

#include <QList>
#include <QMutex>
#include <QString>
#include <QStringList>

class QThread;

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

    // Queues the answer for the next times an engine asks this question (named questions are
    // answered this way).
    ScriptedPrompt &AnswerTo(Question name, MsgAnswer answer, int times = 1);
    // Queues the answer for the next box whose text contains textPart: a window's own box.
    ScriptedPrompt &AnswerWhen(const QString &textPart, MsgAnswer answer, int times = 1);
    // A box the test knows comes and leaves to the cautious answer: a message with only OK, or
    // a window's question nobody answers.
    ScriptedPrompt &Expect(const QString &textPart, int times = 1);
    // Every message with only an OK button may come, any number of times.
    ScriptedPrompt &ExpectAnyMessages();
    // Every question nobody answered takes the cautious answer without failing the test: for a
    // run whose questions are not what it tests, and that a person would stop by not answering.
    ScriptedPrompt &ExpectCautiousAnswers();
    // Scripted answers may stay unused: for a run whose course is not fixed.
    ScriptedPrompt &ExpectUnused();
    // Every prompt made from now on in this test program takes all three above: for the test
    // programs whose scripts still rely on cautious answers. Returns true.
    static bool LenientFromNowOn();
    // Queues the text for the next input box.
    ScriptedPrompt &Type(const QString &text);

    MsgAnswer Ask(const QString &text, MsgButtons buttons, const QString &title,
                  MsgIcon icon) override;
    MsgAnswer AskQuestion(Question name, const QString &text, MsgButtons buttons,
                          const QString &title, MsgIcon icon) override;
    QString Input(const QString &prompt, const QString &defaultText, const QString &title) override;

    // Read on the test's thread once the boxes have come.
    const QList<RecordedPrompt> &Prompts() const;
    QStringList Texts() const;
    // The answers and typed texts that were queued but never used.
    int Unused() const;
    // The boxes nobody scripted.
    int Unexpected() const;
    // Forgets the boxes seen so far (as read); the queued answers stay.
    void Clear();

private:
    struct Scripted {
        Question name;
        QString when;
        MsgAnswer answer;
        bool cautious;
    };
    MsgAnswer Answered(Question name, const QString &text, MsgButtons buttons, const QString &title,
                       MsgIcon icon);
    void Fail(const QString &why);
    void ReportFailures();

    mutable QMutex mutex;
    QList<Scripted> answers;
    QStringList typed;
    QList<RecordedPrompt> prompts;
    QStringList failures;       // waiting for the test's own thread
    mutable QStringList unread; // unexpected messages the test has not read back
    int unexpected = 0;
    bool anyMessages = false;
    bool anyQuestions = false;
    bool unusedAllowed = false;
    QThread *owner = nullptr;
    PromptHandler *previous = nullptr;
};

// The name of a question as the tests write it.
QString QuestionName(Question name);
