#pragma once
// Every question and message the program shows goes through here, with its exact text, so that
// the windows, the command line and the tests each answer them their own way.

#include "question.h"

#include <QString>

enum class MsgButtons { OK, OKCancel, YesNo, YesNoCancel };
enum class MsgAnswer { OK, Cancel, Yes, No };
enum class MsgIcon { None, Information, Question, Exclamation, Critical };

class PromptHandler {
public:
    virtual ~PromptHandler() = default;
    virtual MsgAnswer Ask(const QString &text, MsgButtons buttons, const QString &title,
                          MsgIcon icon) = 0;
    // A question with its name. A handler that answers by name overrides this; the others answer
    // it as they answer any text.
    virtual MsgAnswer AskQuestion(Question /*name*/, const QString &text, MsgButtons buttons,
                                  const QString &title, MsgIcon icon) {
        return Ask(text, buttons, title, icon);
    }
    // Returns the typed text, or an empty text when the user cancelled.
    virtual QString Input(const QString &prompt, const QString &defaultText,
                          const QString &title) = 0;
};

MsgAnswer MsgBox(const QString &text, MsgButtons buttons = MsgButtons::OK,
                 const QString &title = QString(), MsgIcon icon = MsgIcon::None);
// The same for a question that its callers answer by name.
MsgAnswer MsgBox(Question name, const QString &text, MsgButtons buttons,
                 const QString &title = QString(), MsgIcon icon = MsgIcon::None);
QString InputBox(const QString &prompt, const QString &defaultText = QString(),
                 const QString &title = QString());

// Installs the handler (not owned); nullptr restores the default, which writes the text to
// standard error and takes the cautious answer (OK, Cancel or No) without waiting.
void SetPromptHandler(PromptHandler *handler);
PromptHandler *CurrentPromptHandler();

// Once the program is ending under a run (the session closes), nobody can answer: no box is
// shown, every named question gets the answer that ends its run, and every other the cautious
// one.
void SetProgramEnding(bool ending);
bool ProgramEnding();

// The answer the default handler gives for a set of buttons.
MsgAnswer CautiousAnswer(MsgButtons buttons);
