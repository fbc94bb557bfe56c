#include "statusline.h"

#include "datetext.h"
#include "duecheck.h"
#include "historyrows.h"

#include <QLocale>

namespace {

QString DueText(const QDate &due, const QDate &today) {
    if (due == today)
        return QStringLiteral("today");
    if (due == today.addDays(1))
        return QStringLiteral("tomorrow");
    return QLocale::system().toString(due, QStringLiteral("ddd")) + QLatin1Char(' ') +
           ShortDateText(due);
}

} // namespace

QString ControlStatusText(const Model &model, const QDate &today, bool readOnly) {
    const bool nothingChosen = model.DirectoriesLast() == -1 && model.IncludeAllLast() == -1;
    // Setup is not offered from write-protected media.
    if (nothingChosen)
        return readOnly ? QStringLiteral("Not set up yet")
                        : QStringLiteral("Not set up yet: press Setup");
    const QString last = model.Settings.LastBackupDate.isValid() ? LastBackupText(model)
                                                                 : QStringLiteral("none yet");
    QString text = QStringLiteral("Last backup: ") + last;
    // No backup can be made from there, so none is due.
    if (readOnly)
        return text;
    const QDate due = NextDueDate(model.Settings, today);
    if (due.isValid())
        text += QStringLiteral("\nNext backup due: ") + DueText(due, today);
    return text;
}

QString WidestStatusText() {
    const QDate wide(2026, 12, 30); // a Wednesday, the widest day name
    return QStringLiteral("Last backup: ") + ShortDateText(wide) + QStringLiteral(" 00:00:00") +
           QStringLiteral("\nNext backup due: ") + DueText(wide, wide.addDays(-7));
}
