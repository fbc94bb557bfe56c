#include "fittingicon.h"

namespace {

bool IsWarning(const QString &text, const QString &title) {
    const QLatin1String warning("Warning!");
    return title.startsWith(warning) || text.startsWith(warning) ||
           text.contains(QLatin1String("Error was"), Qt::CaseInsensitive) ||
           text.contains(QLatin1String("error occur"), Qt::CaseInsensitive);
}

} // namespace

MsgIcon FittingIcon(const QString &text, MsgButtons buttons, const QString &title, MsgIcon asked) {
    if (asked != MsgIcon::None)
        return asked;
    if (IsWarning(text, title))
        return MsgIcon::Exclamation;
    if (buttons != MsgButtons::OK)
        return MsgIcon::Question;
    return MsgIcon::Information;
}
