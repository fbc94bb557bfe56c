#include "refittermessages.h"

QString RefitterTitle() {
    return QStringLiteral("Refitter - V") + QLatin1String(RefitterVersion);
}

MsgAnswer RefitterMessage(const QString &text, MsgButtons buttons) {
    return MsgBox(text, buttons, RefitterTitle());
}
