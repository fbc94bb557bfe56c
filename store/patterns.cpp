#include "patterns.h"

#include "prompt.h"

#include <QStringList>

namespace {

// The characters a pattern list may not hold, in the order the repair removes them.
constexpr QStringView ForbiddenCharacters = u"/\\:\"<>| ";

inline char16_t Folded(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80)
        return (u >= u'A' && u <= u'Z') ? char16_t(u + (u'a' - u'A')) : u;
    return QChar(u).toCaseFolded().unicode();
}

// Units taken by the character at i, so that '?' and '*' step over a surrogate pair as one.
inline qsizetype CharLength(QStringView text, qsizetype i) {
    if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
        return 2;
    return 1;
}

} // namespace

bool MatchesPattern(QStringView name, QStringView pattern) {
    // Names without an extension are still "all files".
    if (pattern == u"*.*")
        return true;

    // Iterative match; on a mismatch only the last '*' needs to take one more character, which
    // keeps this linear for the patterns people write and free of allocations.
    qsizetype n = 0;
    qsizetype p = 0;
    qsizetype starP = -1;
    qsizetype starN = 0;
    while (n < name.size()) {
        if (p < pattern.size()) {
            const QChar pc = pattern.at(p);
            if (pc == u'*') {
                starP = ++p;
                starN = n;
                continue;
            }
            if (pc == u'?') {
                n += CharLength(name, n);
                ++p;
                continue;
            }
            if (Folded(pc) == Folded(name.at(n))) {
                ++n;
                ++p;
                continue;
            }
        }
        if (starP < 0)
            return false;
        starN += CharLength(name, starN);
        n = starN;
        p = starP;
    }
    while (p < pattern.size() && pattern.at(p) == u'*')
        ++p;
    return p == pattern.size();
}

bool MatchesPatternList(QStringView name, QStringView patternList) {
    qsizetype start = 0;
    while (true) {
        const qsizetype end = patternList.indexOf(u';', start);
        const QStringView one = patternList.mid(start, end < 0 ? -1 : end - start);
        if (MatchesPattern(name, one))
            return true;
        if (end < 0)
            return false;
        start = end + 1;
    }
}

bool IsExcludePattern(QStringView entry) {
    return !entry.isEmpty() && !entry.contains(u'/') && !entry.contains(u'\\') &&
           !entry.contains(u':');
}

QString ExcludePatternList(const QStringList &excludes) {
    QStringList patterns;
    for (const QString &entry : excludes) {
        if (IsExcludePattern(entry))
            patterns.append(entry);
    }
    return patterns.join(QLatin1Char(';'));
}

QString ValidatePattern(const QString &pattern, bool ask, bool reportValid) {
    QString s;
    s.reserve(pattern.size());
    for (const QChar c : pattern) {
        if (!ForbiddenCharacters.contains(c))
            s += c;
    }
    while (s.contains(QLatin1String(";;")))
        s.replace(QLatin1String(";;"), QLatin1String(";"));
    if (s.endsWith(QLatin1Char(';')))
        s.chop(1);

    if (s == pattern) {
        if (reportValid)
            MsgBox(QStringLiteral("Pattern is valid."));
        return pattern;
    }
    if (!ask)
        return s;

    const QStringList question = {
        QStringLiteral("File patterns cannot contain any of : '") + ForbiddenCharacters.toString() +
            QStringLiteral("' ."),
        QStringLiteral("File patterns cannot contain ';;' ."),
        QStringLiteral("File patterns cannot end in ';'"),
        QStringLiteral("To seperate multiple patterns, use ';'"),
        QString(),
        QStringLiteral("A suggested valid pattern is :"),
        s,
        QStringLiteral("Use this pattern?"),
    };
    if (MsgBox(Question::UseSuggestedPattern, question.join(QLatin1Char('\n')),
               MsgButtons::YesNo) == MsgAnswer::Yes)
        return s;
    return QString();
}

QString MergePatterns(const QString &first, const QString &second) {
    const QString a = ValidatePattern(first, false, false);
    const QString b = ValidatePattern(second, false, false);
    if (a.isEmpty())
        return b;

    QString r = QLatin1Char(';') + a + QLatin1Char(';');
    for (const QString &p : b.split(QLatin1Char(';'))) {
        // A leading ';' survives validation; appending its empty pattern would put ";;" into
        // the result.
        if (p.isEmpty())
            continue;
        if (!r.contains(QLatin1Char(';') + p + QLatin1Char(';')))
            r += p + QLatin1Char(';');
    }
    return r.mid(1, r.size() - 2);
}

void ShowPatternHelp() {
    const QStringList lines = {
        QStringLiteral("Patterns are a string used to match filenames."),
        QStringLiteral("There are some special characters used for matching."),
        QString(),
        QStringLiteral("* Means match 0 or more characters"),
        QStringLiteral("     e.g. read*.txt means all documents starting with"),
        QStringLiteral("     read and ending with .txt with anything in between."),
        QStringLiteral("? Means match exactly 1 character"),
        QStringLiteral("     e.g. read??.txt means all documents starting with"),
        QStringLiteral("     read and ending with .txt with 2 characters in between."),
        QString(),
        QStringLiteral("Multiple patterns can be seperated with a ; ."),
    };
    MsgBox(lines.join(QLatin1Char('\n')));
}
