#include "targetpath.h"

#include "platform.h"

namespace {

// The limits of the file systems written to CD and DVD.
constexpr int MaxRelative = 105;
constexpr int MaxComponent = 64;
constexpr int MaxTarget = 251;

bool ComponentTooLong(const QString &relativeDir) {
    const QChar sep = platform::Separator();
    qsizetype start = 0;
    while (start < relativeDir.size()) {
        qsizetype end = relativeDir.indexOf(sep, start);
        end = end < 0 ? relativeDir.size() : end + 1;
        if (end - start >= MaxComponent)
            return true;
        start = end;
    }
    return false;
}

} // namespace

bool UsableTarget(const QString &relativeDir, const QString &name, const QString &targetDir) {
    static const QString forbidden = QStringLiteral("/\\:;\"?*<>|");
    if (relativeDir.size() >= MaxRelative || relativeDir.size() + name.size() >= MaxRelative)
        return false;
    if (ComponentTooLong(relativeDir) || name.size() >= MaxComponent)
        return false;
    for (QChar c : name) {
        if (forbidden.contains(c))
            return false;
    }
    return TargetFits(targetDir + name);
}

QString SubstituteExtension(const QString &name) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    QString extension = dot < 0 ? name : name.mid(dot + 1);
    if (extension.size() >= 4)
        extension = QStringLiteral("txt");
    extension.prepend(QLatin1Char('.'));
    while (extension.size() < 4)
        extension += QLatin1Char('x');
    return extension;
}

QString ErrFileLine(const QString &substitute, const QString &original) {
    return QStringLiteral("\"") + substitute + QStringLiteral("\" <<<<< \"") + original +
           QStringLiteral("\"\r\n");
}

bool TargetFits(const QString &target) {
    return target.size() < MaxTarget;
}
