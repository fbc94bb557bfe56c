#include "detailscommand.h"

#include "historyrows.h"
#include "inioption.h"
#include "model.h"
#include "sortorder.h"
#include "textutil.h"

#include <QStringList>

namespace {

void PrintBackups(const Model &m) {
    PrintLine(QStringLiteral("Backups :"));
    for (const BackupRow &row : BackupRows(m)) {
        PrintLine(row.text);
        if (row.medium != -1)
            continue;
        const BackupRecord &b = m.Backups[row.backup];
        PrintLine(QStringLiteral("  Media Name : ") + b.MediaName +
                  QStringLiteral(", Media Size : ") + MediaSizeText(b) +
                  QStringLiteral(", Write Method : ") + WriteMethodText(b) +
                  QStringLiteral(", Fresh Backup Point : ") + YesNoText(b.FreshPoint));
    }
}

// Files by lower-cased name, as the window lists them, each followed by its versions.
void PrintFiles(const Model &m) {
    PrintLine(QStringLiteral("Files :"));
    QList<int> order(m.Files.size());
    QStringList keys;
    for (qsizetype i = 0; i < m.Files.size(); ++i) {
        order[i] = int(i);
        keys.append(m.Files[i].Name.toLower());
    }
    SortByKey(order, keys);
    for (qsizetype row = 0; row < order.size(); ++row) {
        const FileRecord &f = m.Files[order[row]];
        PrintLine(QString::number(row + 1) + QStringLiteral(". ") + f.Name + QStringLiteral(" - ") +
                  f.Path + QStringLiteral(" - Times Backed Up : ") +
                  QString::number(f.VersionsLast() + 1));
        for (int v = 0; v <= f.VersionsLast(); ++v) {
            const VersionRecord &version = f.Versions[v];
            QString text = QStringLiteral("   ") + VersionRowText(m, f, v) +
                           QStringLiteral(", On Media ") + MediaRangeText(version) +
                           QStringLiteral(", Size : ") + FormatSize(version.Size);
            if (version.Zipped)
                text += QStringLiteral(", Zipped : ") + FormatSize(version.ZippedSize);
            PrintLine(text);
        }
    }
}

void PrintDetails() {
    const Model &m = TheModel();
    PrintLine(QStringLiteral("Last Backup : ") + LastBackupText(m));
    PrintLine(QStringLiteral("Total Media Used : ") +
              (m.MediaLast() < 0 ? QStringLiteral("None") : QString::number(m.MediaLast() + 1)));
    PrintLine(QString());
    PrintBackups(m);
    PrintLine(QString());
    PrintFiles(m);
}

} // namespace

int RunDetails(const CommandLine &line) {
    return ReportOnProgramIniFile(line, QStringLiteral("details"), PrintDetails);
}
