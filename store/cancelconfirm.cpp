#include "cancelconfirm.h"

#include "cancelflag.h"
#include "prompt.h"

bool ConfirmCancel(const std::function<void()> &hideForm, const char *word) {
    const QString question =
        QStringLiteral("Really ") + QString::fromLatin1(word) + QStringLiteral("?");
    if (MsgBox(Question::ReallyCancel, question, MsgButtons::YesNo) != MsgAnswer::Yes)
        return false;
    SetCancelFlag(true);
    if (hideForm)
        hideForm();
    return true;
}
