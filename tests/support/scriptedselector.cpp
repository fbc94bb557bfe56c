#include "scriptedselector.h"

#include "clsDirectory.h"

ScriptedSelector::ScriptedSelector() : previous(CurrentSelectorHandler()) {
    SetSelectorHandler(this);
}

ScriptedSelector::~ScriptedSelector() {
    SetSelectorHandler(previous);
}

QString ScriptedSelector::Next() {
    return answers.isEmpty() ? QString() : answers.takeFirst();
}

QString ScriptedSelector::GetDirectory(const QString &start, const QString &caption) {
    calls.append({QStringLiteral("directory"), start, caption, QString()});
    const QString answer = Next();
    return answer.isEmpty() ? start : answer;
}

bool ScriptedSelector::GetAdvancedDirectory(clsDirectory &entry, const QString &caption) {
    calls.append({QStringLiteral("advanced"), entry.NiceDirName(), caption, QString()});
    const QStringList parts = Next().split(QLatin1Char('|'));
    if (parts.size() != 3)
        return false;
    entry.SetNiceDirName(parts[0]);
    entry.Patterns = parts[1];
    entry.IncludeSubdirs = parts[2] == QLatin1String("1");
    return true;
}

QString ScriptedSelector::GetFile(const QString &path, bool nameAllowed, const QString &filter,
                                  const QString &caption) {
    calls.append({QStringLiteral("file"), path, caption, filter});
    return Next();
}

QString ScriptedSelector::GetPattern(const QString &pattern) {
    calls.append({QStringLiteral("pattern"), pattern, QString(), QString()});
    return Next();
}

void ScriptedSelector::ShowRange(RangeRows &rows) {
    calls.append({QStringLiteral("range"), QString(), QString(), QString()});
    if (onRange)
        onRange(rows);
}
