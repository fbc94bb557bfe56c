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
    // The last two fields are split off first: a directory's name may itself hold a '|'.
    const QString answer = Next();
    const qsizetype last = answer.lastIndexOf(QLatin1Char('|'));
    const qsizetype middle = last > 0 ? answer.lastIndexOf(QLatin1Char('|'), last - 1) : -1;
    if (middle < 0)
        return false;
    entry.SetNiceDirName(answer.left(middle));
    entry.Patterns = answer.mid(middle + 1, last - middle - 1);
    entry.IncludeSubdirs = answer.mid(last + 1) == QLatin1String("1");
    return true;
}

QString ScriptedSelector::GetFile(const QString &path, bool /*nameAllowed*/, const QString &filter,
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
