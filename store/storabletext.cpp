#include "storabletext.h"

#include "model.h"
#include "prompt.h"

namespace {

QString Named(const QString &what, const QString &text) {
    return what + QStringLiteral(" \"") + text + QLatin1Char('"');
}

// The first of the texts that cannot be stored, named; empty when there is none.
QString FirstUnstorable(const QString &what, const QStringList &texts) {
    for (const QString &text : texts) {
        if (!StorableText(text))
            return Named(what, text);
    }
    return QString();
}

QString UnstorableSetting(const SettingsRecord &s) {
    if (!StorableText(s.MediaName))
        return Named(QStringLiteral("the media name"), s.MediaName);
    if (!StorableText(s.BackupDirectory))
        return Named(QStringLiteral("the backup directory"), s.BackupDirectory);
    if (!StorableText(s.TempDirectory))
        return Named(QStringLiteral("the temporary zip directory"), s.TempDirectory);
    return QString();
}

QString UnstorableDirectory(const clsDirectory &dir) {
    if (!StorableText(dir.NiceDirName()))
        return Named(QStringLiteral("the directory to back up"), dir.NiceDirName());
    if (!StorableText(dir.Patterns))
        return Named(QStringLiteral("the patterns of the directory ") + dir.NiceDirName(),
                     dir.Patterns);
    return QString();
}

QString UnstorableBackup(const BackupRecord &b, int index) {
    const QString set = QStringLiteral(" of set ") + QString::number(index + 1);
    if (!StorableText(b.MediaName))
        return Named(QStringLiteral("the media name") + set, b.MediaName);
    if (!StorableText(b.SetDate))
        return Named(QStringLiteral("the set date") + set, b.SetDate);
    if (!StorableText(b.PatternsUsed))
        return Named(QStringLiteral("the patterns") + set, b.PatternsUsed);
    return FirstUnstorable(QStringLiteral("a directory") + set, b.Dirs);
}

QString UnstorableFile(const FileRecord &f) {
    if (!StorableText(f.Path) || !StorableText(f.Name))
        return Named(QStringLiteral("the file"), f.Path + f.Name);
    for (const VersionRecord &v : f.Versions) {
        if (!StorableText(v.StoredName))
            return Named(QStringLiteral("the stored copy"), v.StoredName);
    }
    return QString();
}

} // namespace

bool StorableText(QStringView text) {
    for (const QChar c : text) {
        if (c == u'|' || c == u'\n' || c == u'\r')
            return false;
    }
    return true;
}

QString UnstorableMessage(const QString &what, const QString &text) {
    return what + QStringLiteral(" (\"") + text +
           QStringLiteral("\") cannot be stored as it holds a '|' or a line break!");
}

bool CheckStorable(const QString &what, const QString &text) {
    if (StorableText(text))
        return true;
    MsgBox(UnstorableMessage(what, text));
    return false;
}

QString UnstorableField(const Model &model) {
    QString found = UnstorableSetting(model.Settings);
    for (qsizetype i = 0; found.isEmpty() && i < model.Directories.size(); ++i)
        found = UnstorableDirectory(model.Directories[i]);
    if (found.isEmpty())
        found = FirstUnstorable(QStringLiteral("the 'Include All' pattern"), model.IncludeAll);
    if (found.isEmpty())
        found = FirstUnstorable(QStringLiteral("the directory to exclude"), model.Excludes);
    for (qsizetype i = 0; found.isEmpty() && i < model.Backups.size(); ++i)
        found = UnstorableBackup(model.Backups[i], int(i));
    for (qsizetype i = 0; found.isEmpty() && i < model.Files.size(); ++i) {
        if (model.Files[i].IsWritten())
            found = UnstorableFile(model.Files[i]);
    }
    return found;
}
