#include "infofile.h"

#include "clock.h"
#include "datetext.h"
#include "faultpoint.h"
#include "infofile_common.h"
#include "infofile_reader.h"
#include "model.h"
#include "modelchange.h"
#include "platform.h"
#include "prompt.h"
#include "saferead.h"
#include "statuslog.h"
#include "textutil.h"
#include "version.h"

#include <QFile>

#include <cerrno>

using infofile::IniReader;
using infofile::LoadError;

namespace {

// Collections are never sized from a count in the file alone: a damaged count must not
// allocate gigabytes before the lines run out.
qsizetype ReserveFor(int last) {
    return qBound(0, last + 1, 1 << 16);
}

int CountField(IniReader &r) {
    const int last = r.IntToken();
    if (last < -1)
        throw LoadError{infofile::ErrOverflow};
    return last;
}

// An index into a collection the file itself sizes: one outside it would have later code loop
// over, or allocate for, a range the file never held.
int IndexField(IniReader &r, int first, int last) {
    const int index = r.IntToken();
    if (index < first || index > last)
        throw LoadError{infofile::ErrSubscriptRange};
    return index;
}

// Formats before the media line give the number of media only in the header; beyond this many
// the count is damage, not history.
constexpr int MostUnlistedMedia = 1 << 20;

struct Header {
    int version = -1;
    int mediaLast = -1;
    int directoriesLast = -1;
    int backupsLast = -1;
    int filesLast = -1;
    int includeAllLast = -1;
    int excludesLast = -1;
};

// Reads the header up to and including RunAtStartup. Returns false for a version this program
// does not know, after its message.
bool ReadVersion(IniReader &r, Header &h, SettingsRecord &s) {
    r.NextLine();
    const QByteArrayView first = r.Token();
    if (first == "V") {
        h.version = r.IntToken();
        s.RunAtStartup = r.BoolToken();
    } else {
        h.version = -1;
        s.RunAtStartup = IniReader::ToBool(first);
    }
    return h.version <= CurrentIniVersion;
}

void ReadHeaderRest(IniReader &r, Header &h, Model &m) {
    SettingsRecord &s = m.Settings;
    if (h.version >= 2)
        s.CheckForUpdates = r.BoolToken();
    s.WriteAllAtOnce = r.BoolToken();
    s.WriteXpWay = r.BoolToken();
    h.mediaLast = CountField(r);
    s.BackupInterval = r.IntToken();
    s.MediaSize = r.DoubleToken();
    const QByteArrayView clusterField = r.Token();
    const QByteArrayView kindField = r.Token();
    if (IniReader::IsNumber(kindField)) {
        s.ClusterSize = IniReader::ToDouble(clusterField);
        s.MediaKind = IniReader::ToInt(kindField);
        s.MediaName = r.TextToken();
    } else {
        // Older files have no cluster size: what stood in its place was the medium kind.
        s.MediaKind = IniReader::ToInt(clusterField);
        s.MediaName = QString::fromUtf8(kindField);
        s.ClusterSize = 2048;
    }
    const QString dateText = r.TextToken();
    bool dateOk = false;
    s.LastBackupDate = ParseStoredDate(dateText, &dateOk);
    if (!dateOk)
        StatusPrint(QStringLiteral("LoadIniFile could not read the last backup date \"") +
                    dateText + QStringLiteral("\"; it is taken as never"));
    s.RemindFromDate = Today();
    h.directoriesLast = CountField(r);
    h.backupsLast = CountField(r);
    h.filesLast = CountField(r);
    h.includeAllLast = CountField(r);
    if (h.version >= 1)
        h.excludesLast = CountField(r);
    s.BackupDirectory = r.TextRest();
    if (h.version >= 7) {
        r.NextLine();
        s.TempDirectory = r.TextRest();
    }
}

void ReadDirectories(IniReader &r, const Header &h, Model &m) {
    m.Directories.reserve(ReserveFor(h.directoriesLast));
    for (int i = 0; i <= h.directoriesLast; ++i) {
        r.NextLine();
        clsDirectory dir;
        dir.IncludeSubdirs = r.BoolToken();
        dir.Patterns = r.TextToken();
        dir.SetNiceDirName(r.TextRest());
        m.Directories.append(dir);
    }
}

void ReadBackups(IniReader &r, const Header &h, Model &m) {
    m.Backups.reserve(ReserveFor(h.backupsLast));
    for (int i = 0; i <= h.backupsLast; ++i) {
        BackupRecord b;
        r.NextLine();
        b.WriteAllAtOnce = r.BoolToken();
        if (h.version >= 0)
            b.WriteXpWay = r.BoolToken();
        // A backup's first medium may be the one that was about to be written.
        b.FirstMedium = IndexField(r, 0, h.mediaLast + 1);
        b.MediaSize = r.DoubleToken();
        b.ClusterSize = h.version >= 0 ? r.DoubleToken() : 2048;
        b.MediaKind = r.IntToken();
        b.MediaName = r.TextToken();
        b.SetDate = r.TextToken();
        b.PatternsUsed = r.TextToken();
        if (h.version >= 8)
            b.FreshPoint = r.BoolToken();
        const int dirsLast = IniReader::ToInt(r.Rest());
        r.NextLine();
        b.Dirs.reserve(ReserveFor(dirsLast));
        for (int d = 0; d <= dirsLast; ++d)
            b.Dirs.append(r.TextToken());
        m.Backups.append(b);
    }
}

VersionRecord ReadVersionLine(IniReader &r, const Header &h) {
    VersionRecord v;
    r.NextLine();
    v.MediumIndex = IndexField(r, 0, h.mediaLast);
    v.Size = r.DoubleToken();
    v.BackupIndex = IndexField(r, 0, h.backupsLast);
    if (h.version >= 3)
        v.Spanned = r.BoolToken();
    // The pieces of a copy lie on media the file lists.
    if (h.version >= 4 && v.Spanned)
        v.SpanLength = IndexField(r, -1, h.mediaLast - v.MediumIndex);
    if (h.version >= 7) {
        v.Zipped = r.BoolToken();
        v.ZippedSize = r.DoubleToken();
    }
    v.StoredName = r.TextRest();
    v.ComputeLastMedium();
    return v;
}

void ReadFiles(IniReader &r, const Header &h, Model &m) {
    infofile::Progress progress(QStringLiteral("LoadIniFile"), QStringLiteral("Loading"));
    m.Files.reserve(ReserveFor(h.filesLast));
    QByteArray lastPathBytes;
    QString lastPath;
    for (int i = 0; i <= h.filesLast; ++i) {
        FileRecord f;
        r.NextLine();
        f.Name = r.TextToken();
        const int versionsLast = CountField(r);
        const QByteArrayView pathBytes = r.Rest();
        // Neighbouring entries mostly share their directory: share its text too.
        if (pathBytes != lastPathBytes) {
            lastPathBytes = pathBytes.toByteArray();
            lastPath = QString::fromUtf8(pathBytes);
            AddSlash(lastPath);
        }
        f.Path = lastPath;
        f.Versions.reserve(qMin(versionsLast + 1, 1024));
        for (int v = 0; v <= versionsLast; ++v)
            f.Versions.append(ReadVersionLine(r, h));
        m.Files.append(std::move(f));
        progress.Update(i, h.filesLast);
    }
    progress.Show(100);
}

void ReadTail(IniReader &r, const Header &h, Model &m) {
    r.NextLine();
    for (int i = 0; i <= h.includeAllLast; ++i)
        m.IncludeAll.append(r.TextToken());
    if (h.version >= 1) {
        for (int i = 0; i <= h.excludesLast; ++i) {
            r.NextLine();
            m.Excludes.append(r.TextRest());
        }
    }
    m.Media.reserve(ReserveFor(h.mediaLast));
    if (h.version >= 5) {
        r.NextLine();
        for (int i = 0; i <= h.mediaLast; ++i) {
            MediumRecord medium;
            medium.Available = r.BoolToken();
            medium.BackupIndex = IndexField(r, 0, qMax(0, h.backupsLast));
            if (h.version >= 6)
                medium.Deleted = r.BoolToken();
            m.Media.append(medium);
        }
        return;
    }
    // Older files know nothing of media records: every medium is available, and belongs to the
    // backup whose range of media holds it.
    if (h.mediaLast >= MostUnlistedMedia)
        throw LoadError{infofile::ErrSubscriptRange};
    for (int i = 0; i <= h.mediaLast; ++i)
        m.Media.append(MediumRecord());
    for (int b = 0; b <= m.BackupsLast(); ++b) {
        const int first = m.Backups[b].FirstMedium;
        const int last = b < m.BackupsLast() ? m.Backups[b + 1].FirstMedium - 1 : h.mediaLast;
        for (int i = qMax(0, first); i <= last && i <= h.mediaLast; ++i)
            m.Media[i].BackupIndex = b;
    }
}

QString LoadErrorDescription(int number) {
    switch (number) {
    case infofile::ErrInvalidCall:
        return QStringLiteral("Invalid procedure call or argument");
    case infofile::ErrOverflow:
        return QStringLiteral("Overflow");
    case infofile::ErrTypeMismatch:
        return QStringLiteral("Type mismatch");
    case infofile::ErrSubscriptRange:
        return QStringLiteral("Subscript out of range");
    default:
        return platform::FileErrorDescription(number);
    }
}

bool IsFileError(int number) {
    switch (number) {
    case platform::ErrBadFileNameOrNumber:
    case platform::ErrBadFileMode:
    case platform::ErrFileAlreadyOpen:
    case platform::ErrDeviceIO:
    case platform::ErrDiskFull:
    case platform::ErrInputPastEnd:
    case platform::ErrDeviceUnavailable:
    case platform::ErrPermissionDenied:
    case platform::ErrDiskNotReady:
    case platform::ErrPathFileAccess:
    case platform::ErrPathNotFound:
        return true;
    default:
        return false;
    }
}

void ReportLoadFailure(Model &model, const QString &path, int number,
                       const QString &reason = QString()) {
    const QString kind =
        IsFileError(number) ? QStringLiteral("A file error") : QStringLiteral("An unknown error");
    QString text = kind + QStringLiteral(" occured whilst loading ini file.\nLoad failed.\n") +
                   QStringLiteral("Error was : ") + QString::number(number) + QStringLiteral(". ") +
                   LoadErrorDescription(number);
    if (!reason.isEmpty())
        text += QLatin1Char('\n') + reason;
    StatusPrint(QStringLiteral("LoadIniFile failed - ") + path);
    MsgBox(text);
    infofile::MarkUnreadable(path);
    ResetSettings(model);
}

void ReportMissing(Model &model, const QString &path, bool createIfMissing) {
    MsgBox(QStringLiteral("Ini file was not found!\nThis probably means you have not used the "
                          "program before.\nWelcome!"));
    ResetSettings(model);
    if (createIfMissing)
        SaveIniFile(model, path, CurrentIniVersion);
}

void ReportTooNew() {
    MsgBox(QStringLiteral("This file is saved in a format designed after this program was "
                          "made!\nTo open this file, please download a newer copy of this "
                          "program :\n") +
           QString::fromLatin1(DownloadPageAddress));
}

} // namespace

namespace {

// Reads the file's text into the model. A version this program does not know changes nothing
// but RunAtStartup, after its message; any other fault throws LoadError.
bool ReadModel(Model &model, const QString &path, QByteArray text) {
    IniReader reader(std::move(text));
    Header header;
    Model loaded;
    ResetSettings(loaded);
    if (!ReadVersion(reader, header, loaded.Settings)) {
        model.Settings.RunAtStartup = loaded.Settings.RunAtStartup;
        infofile::MarkUnreadable(path);
        ReportTooNew();
        return false;
    }
    ReadHeaderRest(reader, header, loaded);
    ReadDirectories(reader, header, loaded);
    ReadBackups(reader, header, loaded);
    ReadFiles(reader, header, loaded);
    ReadTail(reader, header, loaded);
    model = std::move(loaded);
    infofile::ForgetUnreadable(path);
    return true;
}

} // namespace

bool LoadIniFile(const QString &path, bool createIfMissing) {
    return LoadIniFile(TheModel(), path, createIfMissing);
}

bool LoadIniFile(Model &model, const QString &path, bool createIfMissing) {
    // Only the program's own model has windows that must let go of it first.
    if (&model == &TheModel())
        AnnounceModelChange();
    StatusPrint(QStringLiteral("LoadIniFile Start - ") + path);
    bool result = false;
    {
        infofile::BusyBracket busy;
        QFile file;
        // An information file may come from a medium or an import: a pipe, a device or a
        // file too large to be one is refused as it is opened, never waited on or read whole.
        SafeRead opened;
        if (platform::InjectedFault(platform::FaultPoint::Open) != 0)
            opened.error = platform::FileErrorFromSystem(errno);
        else
            opened = OpenRegularFile(file, path, InfoFileReadLimit);
        if (!opened.Ok()) {
            if (opened.error == platform::ErrFileNotFound || !QFile::exists(path))
                ReportMissing(model, path, createIfMissing);
            else
                ReportLoadFailure(model, path, opened.error, opened.reason);
        } else {
            QByteArray text;
            SafeRead read;
            if (platform::InjectedFault(platform::FaultPoint::Read) != 0)
                read.error = platform::FileErrorFromSystem(errno);
            else
                read = ReadOpenedFile(file, path, InfoFileReadLimit, &text);
            file.close();
            if (!read.Ok()) {
                ReportLoadFailure(model, path, read.error, read.reason);
            } else {
                try {
                    result = ReadModel(model, path, std::move(text));
                } catch (const LoadError &error) {
                    ReportLoadFailure(model, path, error.number);
                }
            }
        }
    }
    StatusPrint(QStringLiteral("LoadIniFile End"));
    return result;
}
