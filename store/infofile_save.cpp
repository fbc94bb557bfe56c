#include "infofile.h"

#include "datetext.h"
#include "faultpoint.h"
#include "infofile_common.h"
#include "model.h"
#include "platform.h"
#include "prompt.h"
#include "servedsync.h"
#include "statuslog.h"
#include "storabletext.h"

#include <QSaveFile>

#include <cerrno>
#include <charconv>
#include <cmath>

namespace {

int ErrorOfLastCall(int fallback);

// Builds the text of the file and hands it to the file in chunks of a little over 10240
// characters, so that memory stays flat however long the history is.
class IniWriter {
public:
    explicit IniWriter(QSaveFile &file) : file(file) { buffer.reserve(16384); }

    void Text(const QString &text) { buffer += text.toUtf8(); }
    void Field(const QString &text) {
        Text(text);
        buffer += '|';
    }
    void Field(qint64 value) {
        buffer += QByteArray::number(value);
        buffer += '|';
    }
    void Field(bool value) { Field(qint64(value ? 1 : 0)); }
    void Field(double value) {
        Number(value);
        buffer += '|';
    }
    void Number(double value) {
        if (value == 0 || !std::isfinite(value)) {
            buffer += '0';
            return;
        }
        char digits[400];
        const auto result =
            std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed);
        buffer.append(digits, result.ptr - digits);
    }
    void EndLine() { buffer += "\r\n"; }

    // Path text reused from the previous file entry: most entries share their directory.
    void PathText(const QString &path) {
        if (path != lastPath) {
            lastPath = path;
            lastPathBytes = StoredDirectory(path).toUtf8();
        }
        buffer += lastPathBytes;
    }

    void FlushIfLong() {
        if (buffer.size() > 10240)
            Flush();
    }
    // Once a write has failed the rest is not written: the file will be thrown away.
    void Flush() {
        if (!buffer.isEmpty() && error == 0) {
            errno = 0;
            if (platform::InjectedFault(platform::FaultPoint::Write) != 0 ||
                file.write(buffer) != buffer.size())
                error = ErrorOfLastCall(platform::ErrDeviceIO);
        }
        buffer.clear();
    }
    int Error() const { return error; }

    // A directory as the file holds it: its trailing separator removed, the root kept whole.
    static QString StoredDirectory(const QString &dir) {
        if (dir.size() > 1 && dir.endsWith(platform::Separator()))
            return dir.left(dir.size() - 1);
        return dir;
    }

private:
    QSaveFile &file;
    QByteArray buffer;
    QString lastPath;
    QByteArray lastPathBytes;
    int error = 0;
};

void WriteHeader(IniWriter &w, const Model &m, int version, int filesWrittenLast) {
    const SettingsRecord &s = m.Settings;
    w.Field(QStringLiteral("V"));
    w.Field(qint64(version));
    w.Field(s.RunAtStartup);
    if (version >= 2)
        w.Field(s.CheckForUpdates);
    w.Field(s.WriteAllAtOnce);
    w.Field(s.WriteXpWay);
    w.Field(qint64(m.MediaLast()));
    w.Field(qint64(s.BackupInterval));
    w.Field(s.MediaSize);
    w.Field(s.ClusterSize);
    w.Field(qint64(s.MediaKind));
    w.Field(s.MediaName);
    w.Field(StoredDateText(s.LastBackupDate));
    w.Field(qint64(m.DirectoriesLast()));
    w.Field(qint64(m.BackupsLast()));
    w.Field(qint64(filesWrittenLast));
    w.Field(qint64(m.IncludeAllLast()));
    if (version >= 1)
        w.Field(qint64(m.ExcludesLast()));
    w.Text(s.BackupDirectory);
    w.EndLine();
    if (version >= 7) {
        w.Text(s.TempDirectory);
        w.EndLine();
    }
}

void WriteDirectoriesAndBackups(IniWriter &w, const Model &m, int version) {
    for (const clsDirectory &dir : m.Directories) {
        w.Field(dir.IncludeSubdirs);
        w.Field(dir.Patterns);
        w.Text(IniWriter::StoredDirectory(dir.NiceDirName()));
        w.EndLine();
    }
    for (const BackupRecord &b : m.Backups) {
        w.Field(b.WriteAllAtOnce);
        if (version >= 0)
            w.Field(b.WriteXpWay);
        w.Field(qint64(b.FirstMedium));
        w.Field(b.MediaSize);
        if (version >= 0)
            w.Field(b.ClusterSize);
        w.Field(qint64(b.MediaKind));
        w.Field(b.MediaName);
        w.Field(b.SetDate);
        w.Field(b.PatternsUsed);
        if (version >= 8)
            w.Field(b.FreshPoint);
        w.Text(QString::number(b.DirsLast()));
        w.EndLine();
        for (const QString &dir : b.Dirs)
            w.Field(dir);
        w.EndLine();
    }
}

void WriteVersion(IniWriter &w, const VersionRecord &v, int version) {
    w.Field(qint64(v.MediumIndex));
    w.Field(v.Size);
    w.Field(qint64(v.BackupIndex));
    if (version >= 3)
        w.Field(v.Spanned ? QStringLiteral("True") : QStringLiteral("False"));
    if (version >= 4 && v.Spanned)
        w.Field(qint64(v.SpanLength));
    if (version >= 7) {
        w.Field(v.Zipped);
        w.Field(v.ZippedSize);
    }
    w.Text(v.StoredName);
    w.EndLine();
}

void WriteFiles(IniWriter &w, Model &m, int version) {
    infofile::Progress progress(QStringLiteral("SaveIniFile"), QStringLiteral("Saving"));
    const qsizetype last = m.Files.size() - 1;
    for (qsizetype i = 0; i <= last; ++i) {
        FileRecord &f = m.Files[i];
        if (!f.IsWritten())
            continue;
        w.FlushIfLong();
        if (!f.Path.endsWith(platform::Separator()))
            f.Path += platform::Separator();
        w.Field(f.Name);
        w.Field(qint64(f.VersionsLast()));
        w.PathText(f.Path);
        w.EndLine();
        QString defaultName;
        for (VersionRecord &v : f.Versions) {
            if (!v.StoredName.isEmpty()) {
                if (defaultName.isEmpty())
                    defaultName = f.DefaultStoredName();
                if (v.StoredName == defaultName)
                    v.StoredName.clear();
            }
            WriteVersion(w, v, version);
        }
        progress.Update(i, last);
    }
}

void WriteTail(IniWriter &w, const Model &m, int version) {
    for (const QString &pattern : m.IncludeAll)
        w.Field(pattern);
    w.EndLine();
    if (version >= 1) {
        for (const QString &exclude : m.Excludes) {
            w.Text(exclude);
            w.EndLine();
        }
    }
    if (version >= 5) {
        for (const MediumRecord &medium : m.Media) {
            w.Field(medium.Available);
            w.Field(qint64(medium.BackupIndex));
            if (version >= 6)
                w.Field(medium.Deleted);
        }
        w.EndLine();
    }
}

// The numbered error behind the call that just failed; fallback when it left errno unset.
int ErrorOfLastCall(int fallback) {
    return errno ? platform::FileErrorFromSystem(errno) : fallback;
}

// Puts the completed text on the disk and in place of the old file. Every step is checked:
// a full disk may only show when the last bytes are flushed or synced, and the old file must
// not be replaced by a short one.
int Complete(QSaveFile &file) {
    errno = 0;
    if (platform::InjectedFault(platform::FaultPoint::Flush) != 0 || !file.flush() ||
        !SyncToDiskServingEvents(file.handle()))
        return ErrorOfLastCall(platform::ErrDeviceIO);
    errno = 0;
    if (!file.commit())
        return ErrorOfLastCall(platform::ErrDeviceIO);
    return 0;
}

void ReportSaveError(int number) {
    MsgBox(QStringLiteral("A file error occured whilst saving ini file.\nSave failed.\n") +
           platform::ErrorWasText(number));
}

} // namespace

bool SaveIniFile(const QString &path, int version) {
    return SaveIniFile(TheModel(), path, version);
}

bool SaveIniFile(Model &m, const QString &path, int version) {
    StatusPrint(QStringLiteral("SaveIniFile Start - ") + path);
    if (version < 0 || version > CurrentIniVersion) {
        StatusPrint(QStringLiteral("SaveIniFile cannot write format ") + QString::number(version));
        return false;
    }
    infofile::BusyBracket busy;
    int filesWritten = 0;
    for (const FileRecord &f : m.Files)
        filesWritten += f.IsWritten() ? 1 : 0;

    // A text the file cannot hold would make it unreadable, and with it the whole history:
    // nothing is written and the file in place stays.
    const QString unstorable = UnstorableField(m);
    if (!unstorable.isEmpty()) {
        MsgBox(QStringLiteral("The ini file cannot be saved as ") + unstorable +
               QStringLiteral(" holds a '|' or a line break.\nSave failed."));
        StatusPrint(QStringLiteral("SaveIniFile refused, the previous file is unchanged"));
        return false;
    }
    if (!infofile::MoveAsideIfUnreadable(path)) {
        ReportSaveError(platform::ErrPathFileAccess);
        return false;
    }
    QSaveFile file(path);
    errno = 0;
    // Unbuffered, so that each write reports its own failure: a buffer flushed only when the
    // file is committed would hide a full disk.
    if (platform::InjectedFault(platform::FaultPoint::Open) != 0 ||
        !file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        int number = ErrorOfLastCall(platform::ErrPathNotFound);
        if (number == platform::ErrFileNotFound)
            number = platform::ErrPathNotFound; // the file is being created: its folder is missing
        ReportSaveError(number);
        return false;
    }
    IniWriter w(file);
    WriteHeader(w, m, version, filesWritten - 1);
    WriteDirectoriesAndBackups(w, m, version);
    WriteFiles(w, m, version);
    WriteTail(w, m, version);
    w.Flush();
    const int number = w.Error() ? w.Error() : Complete(file);
    if (number != 0) {
        file.cancelWriting();
        ReportSaveError(number);
        StatusPrint(QStringLiteral("SaveIniFile failed, the previous file is unchanged"));
        return false;
    }
    StatusPrint(QStringLiteral("SaveIniFile End"));
    return true;
}
