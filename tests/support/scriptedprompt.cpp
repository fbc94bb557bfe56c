#include "scriptedprompt.h"

#include <QMutexLocker>
#include <QTest>
#include <QThread>

QString QuestionName(Question name) {
    switch (name) {
    case Question::Unnamed:
        return QStringLiteral("Unnamed");
    case Question::MediumWritten:
        return QStringLiteral("MediumWritten");
    case Question::MustCancel:
        return QStringLiteral("MustCancel");
    case Question::MustStop:
        return QStringLiteral("MustStop");
    case Question::StopBackup:
        return QStringLiteral("StopBackup");
    case Question::Paused:
        return QStringLiteral("Paused");
    case Question::DirectoryNotCleared:
        return QStringLiteral("DirectoryNotCleared");
    case Question::PathTooLong:
        return QStringLiteral("PathTooLong");
    case Question::ReallyCancel:
        return QStringLiteral("ReallyCancel");
    case Question::MediaNotFound:
        return QStringLiteral("MediaNotFound");
    case Question::LookForMediaDirectory:
        return QStringLiteral("LookForMediaDirectory");
    case Question::SkipMedium:
        return QStringLiteral("SkipMedium");
    case Question::MediumUnavailable:
        return QStringLiteral("MediumUnavailable");
    case Question::AbortOperation:
        return QStringLiteral("AbortOperation");
    case Question::OverwriteFile:
        return QStringLiteral("OverwriteFile");
    case Question::UseSuggestedPattern:
        return QStringLiteral("UseSuggestedPattern");
    case Question::MakeDirectory:
        return QStringLiteral("MakeDirectory");
    case Question::MakeBackupFolder:
        return QStringLiteral("MakeBackupFolder");
    }
    return QStringLiteral("Question %1").arg(int(name));
}

namespace {
bool lenient = false;
} // namespace

ScriptedPrompt::ScriptedPrompt()
    : anyMessages(lenient), anyQuestions(lenient), unusedAllowed(lenient),
      owner(QThread::currentThread()), previous(CurrentPromptHandler()) {
    SetPromptHandler(this);
}

bool ScriptedPrompt::LenientFromNowOn() {
    lenient = true;
    return true;
}

ScriptedPrompt::~ScriptedPrompt() {
    SetPromptHandler(previous == this ? nullptr : previous);
    if (!unusedAllowed) {
        for (const Scripted &s : std::as_const(answers)) {
            Fail(s.name != Question::Unnamed
                     ? QStringLiteral("answer to %1 never asked for").arg(QuestionName(s.name))
                     : QStringLiteral("box \"%1\" never came").arg(s.when));
        }
        for (const QString &text : std::as_const(unread))
            Fail(QStringLiteral("unexpected message nobody read: \"%1\"").arg(text));
        for (const QString &text : std::as_const(typed))
            Fail(QStringLiteral("typed text \"%1\" never asked for").arg(text));
    }
    ReportFailures();
}

ScriptedPrompt &ScriptedPrompt::AnswerTo(Question name, MsgAnswer answer, int times) {
    QMutexLocker lock(&mutex);
    for (int i = 0; i < times; ++i)
        answers.append({name, QString(), answer, false});
    return *this;
}

ScriptedPrompt &ScriptedPrompt::AnswerWhen(const QString &textPart, MsgAnswer answer, int times) {
    QMutexLocker lock(&mutex);
    for (int i = 0; i < times; ++i)
        answers.append({Question::Unnamed, textPart, answer, false});
    return *this;
}

ScriptedPrompt &ScriptedPrompt::Expect(const QString &textPart, int times) {
    QMutexLocker lock(&mutex);
    for (int i = 0; i < times; ++i)
        answers.append({Question::Unnamed, textPart, MsgAnswer::OK, true});
    return *this;
}

ScriptedPrompt &ScriptedPrompt::ExpectAnyMessages() {
    anyMessages = true;
    return *this;
}

ScriptedPrompt &ScriptedPrompt::ExpectCautiousAnswers() {
    anyQuestions = true;
    return *this;
}

ScriptedPrompt &ScriptedPrompt::ExpectUnused() {
    unusedAllowed = true;
    return *this;
}

ScriptedPrompt &ScriptedPrompt::Type(const QString &text) {
    QMutexLocker lock(&mutex);
    typed.append(text);
    return *this;
}

MsgAnswer ScriptedPrompt::Ask(const QString &text, MsgButtons buttons, const QString &title,
                              MsgIcon icon) {
    return Answered(Question::Unnamed, text, buttons, title, icon);
}

MsgAnswer ScriptedPrompt::AskQuestion(Question name, const QString &text, MsgButtons buttons,
                                      const QString &title, MsgIcon icon) {
    return Answered(name, text, buttons, title, icon);
}

MsgAnswer ScriptedPrompt::Answered(Question name, const QString &text, MsgButtons buttons,
                                   const QString &title, MsgIcon icon) {
    {
        QMutexLocker lock(&mutex);
        prompts.append({text, buttons, title, icon, false, name});
        for (qsizetype i = 0; i < answers.size(); ++i) {
            const Scripted &s = answers[i];
            // A named question is answered by its name only, so that rewording it cannot
            // silently change which answer a test gives.
            const bool matches = s.name != Question::Unnamed
                                     ? s.name == name
                                     : name == Question::Unnamed && text.contains(s.when);
            if (!matches)
                continue;
            const Scripted taken = answers.takeAt(i);
            return taken.cautious ? CautiousAnswer(buttons) : taken.answer;
        }
        ++unexpected;
    }
    if (buttons == MsgButtons::OK) {
        // A message the test reads back afterwards is noticed there.
        if (!anyMessages) {
            QMutexLocker lock(&mutex);
            unread.append(text);
        }
    } else if (!anyQuestions) {
        Fail(name != Question::Unnamed
                 ? QStringLiteral("unexpected question %1: \"%2\"").arg(QuestionName(name), text)
                 : QStringLiteral("unexpected question: \"%1\"").arg(text));
    }
    return CautiousAnswer(buttons);
}

QString ScriptedPrompt::Input(const QString &prompt, const QString & /*defaultText*/,
                              const QString &title) {
    {
        QMutexLocker lock(&mutex);
        prompts.append({prompt, MsgButtons::OKCancel, title, MsgIcon::None, true});
        if (!typed.isEmpty())
            return typed.takeFirst();
        ++unexpected;
    }
    Fail(QStringLiteral("unexpected input box: \"%1\"").arg(prompt));
    return QString();
}

void ScriptedPrompt::Fail(const QString &why) {
    {
        QMutexLocker lock(&mutex);
        failures.append(why);
    }
    // QTest may only be called from the test's thread; another thread's failure waits for it.
    if (QThread::currentThread() == owner)
        ReportFailures();
}

void ScriptedPrompt::ReportFailures() {
    QStringList pending;
    {
        QMutexLocker lock(&mutex);
        pending.swap(failures);
    }
    for (const QString &why : std::as_const(pending)) {
        const QByteArray text = QStringLiteral("Scripted prompt: %1").arg(why).toUtf8();
        if (QTest::currentTestFunction())
            QTest::qFail(text.constData(), __FILE__, __LINE__);
        else
            qCritical("%s", text.constData());
    }
}

const QList<RecordedPrompt> &ScriptedPrompt::Prompts() const {
    QMutexLocker lock(&mutex);
    unread.clear();
    return prompts;
}

QStringList ScriptedPrompt::Texts() const {
    QMutexLocker lock(&mutex);
    unread.clear();
    QStringList texts;
    for (const RecordedPrompt &p : prompts)
        texts.append(p.text);
    return texts;
}

int ScriptedPrompt::Unused() const {
    QMutexLocker lock(&mutex);
    return int(answers.size() + typed.size());
}

int ScriptedPrompt::Unexpected() const {
    QMutexLocker lock(&mutex);
    return unexpected;
}

void ScriptedPrompt::Clear() {
    QMutexLocker lock(&mutex);
    prompts.clear();
    unread.clear();
}
