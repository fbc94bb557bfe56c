#include "updateflagstore.h"

#include "platform.h"

bool GetFlag(const QString &key) {
    return platform::GetSetting(key, QStringLiteral("False"))
               .compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0;
}

void SetFlag(const QString &key, bool value) {
    platform::SaveSetting(key, value ? QStringLiteral("True") : QStringLiteral("False"));
}
