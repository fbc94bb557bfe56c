#include "restoreanswers.h"

CliPrompt::Decider RestoreAnswers(bool skipMissing) {
    return [skipMissing](const QString &text, MsgButtons buttons) {
        const auto is = [&text](const char *start) {
            return text.startsWith(QLatin1String(start));
        };
        // Searching again would find nothing new, and nobody can insert a disc or point at a
        // folder: the dialogue goes straight to skipping or to cancelling.
        if (is("Automatic search could not find media") && buttons == MsgButtons::YesNoCancel)
            return skipMissing ? MsgAnswer::No : MsgAnswer::Cancel;
        if (is("Would you like to look for the directory where "))
            return MsgAnswer::No;
        if (is("Do you need to skip backup media number "))
            return MsgAnswer::Yes;
        // For this run only: a restore never saves the information file anyway.
        if (is("Should backup media number "))
            return MsgAnswer::No;
        if (is("Really "))
            return MsgAnswer::Yes;
        // The rest (a failed copy's "Abort current operation?" among them) gets the cautious
        // answer, so one unreadable file does not abandon the others.
        return CautiousAnswer(buttons);
    };
}
