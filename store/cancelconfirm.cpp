#include "cancelconfirm.h"

#include "cancelflag.h"
#include "prompt.h"

bool ConfirmCancel(const std::function<void()> &hideForm) {
    const QString question =
        QStringLiteral("Really ") + QStringLiteral("cancel") + QStringLiteral("?");
    if (MsgBox(Question::ReallyCancel, question, MsgButtons::YesNo) != MsgAnswer::Yes)
        return false;
    SetCancelFlag(true);
    if (hideForm)
        hideForm();
    return true;
}
