#include "terminalrestoreview.h"

void TerminalRestoreView::Show(const QString &current) {
    QString line = QStringLiteral("Restoring ") + restored + QStringLiteral(", ") + total;
    if (!current.isEmpty())
        line += QStringLiteral(" - ") + current;
    progress.Show(line);
}
