#include "nicecaption.h"

#include "prompt.h"

namespace {

constexpr double MarginTwips = 200;

// The length of the text up to the next place a line may end after `after` characters: just past
// the nearest separator, else the end of a text that does not end in a separator, else 0.
qsizetype NextCandidate(const QString &text, qsizetype after, const QString &separators) {
    qsizetype nearest = -1;
    for (const QChar separator : separators) {
        const qsizetype at = text.indexOf(separator, after);
        if (at >= 0 && (nearest < 0 || at < nearest))
            nearest = at;
    }
    if (nearest >= 0)
        return nearest + 1;
    if (!text.isEmpty() && !separators.contains(text.back()))
        return text.size();
    return 0;
}

void ReportEndlessWork(const QString &where, const QString &caption, const QString &remaining) {
    MsgBox(QStringLiteral("An error was encountered in 'NiceCaption'.\n") + where +
           QStringLiteral("\nCapt = ") + caption + QStringLiteral("\nTmpCapt = ") + remaining +
           QStringLiteral("\nPlease email me about this - see About for my email address."));
}

} // namespace

void NiceCaption(CaptionLabel *label, const QString &caption, const QString &separators,
                 int lineCount) {
    if (!label)
        return;
    if (label->WidthTwips() < MarginTwips || caption.isEmpty() || caption == QLatin1String("---") ||
        separators.isEmpty() || lineCount == 0) {
        label->SetCaption(caption);
        return;
    }
    QString shown;
    label->SetCaption(shown);
    const double available = label->WidthTwips() - MarginTwips;
    QString remaining = caption;
    int lineNumber = 0;
    qsizetype lastIndex = 0;
    for (;;) {
        const QString lineEnd =
            lineNumber == lineCount - 1 ? QStringLiteral("...") : QStringLiteral("\n");
        auto fits = [&](qsizetype length) {
            return label->TextWidthTwips(remaining.left(length) + lineEnd) <= available;
        };
        const qsizetype index = NextCandidate(remaining, lastIndex, separators);
        if (index <= lastIndex) {
            ReportEndlessWork(QStringLiteral("Index = LastIndex = ") + QString::number(index),
                              caption, remaining);
            return;
        }
        if (fits(index)) {
            lastIndex = index;
            if (index == remaining.size()) {
                label->SetCaption(shown + remaining);
                return;
            }
            continue;
        }
        qsizetype cut = lastIndex > 0 ? lastIndex : index;
        while (!fits(cut)) {
            if (--cut == 0) {
                ReportEndlessWork(QStringLiteral("LastIndex = 0"), caption, remaining);
                return;
            }
        }
        shown += remaining.left(cut) + lineEnd;
        label->SetCaption(shown);
        if (++lineNumber == lineCount)
            return;
        remaining = remaining.mid(cut);
        lastIndex = 0;
    }
}
