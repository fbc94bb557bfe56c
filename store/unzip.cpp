#include "unzip.h"

#include "cancelflag.h"
#include "doevents.h"
#include "patterns.h"
#include "platform.h"
#include "prompt.h"
#include "textutil.h"
#include "ziptime.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QScopeGuard>

#include <zip.h>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

namespace {

// The Unix file type bits that archives made on Unix carry in their external attributes.
constexpr quint32 TypeMask = 0170000;
constexpr quint32 LinkType = 0120000;
constexpr quint32 DirectoryType = 0040000;
constexpr size_t ChunkSize = 262144;
constexpr qint64 PumpEvery = 1048576;

struct Run {
    QString destination; // ends in the separator
    UnzipWrite write = UnzipWrite::Safe;
    UnzipEvents events = UnzipEvents::Quiet;
    qint64 sincePump = 0; // bytes written since the event pump last ran
    QStringList patterns;
    QString message;
    int code = 0;
    QString password;
    bool withoutPassword = false;
    bool keepExisting = false;
    qint64 sizeLimit = -1; // -1: entries of any size
    std::vector<char> buffer = std::vector<char>(ChunkSize);

    // After each mebibyte written, when pumped: lets events run and says whether the cancel
    // flag, set meanwhile, stops the extraction. A cancel is reported as such, whatever failed
    // before it.
    bool Stopped(const QString &name, qint64 written) {
        if (events != UnzipEvents::Pumped || code == UnzipCancelled)
            return code == UnzipCancelled;
        sincePump += written;
        if (sincePump >= PumpEvery) {
            sincePump = 0;
            DoEvents();
        }
        if (!CancelFlag())
            return false;
        message += QStringLiteral("  cancelled:  ") + name + QLatin1Char('\n');
        code = UnzipCancelled;
        return true;
    }

    void Fail(const QString &name, const QString &why, int failure) {
        message += QStringLiteral("  error:  ") + name + QStringLiteral("  (") + why +
                   QStringLiteral(")\n");
        if (code == 0)
            code = failure;
    }
};

int CodeOf(zip_error_t *error) {
    switch (zip_error_code_zip(error)) {
    case ZIP_ER_MEMORY:
        return UnzipOutOfMemory;
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
        return UnzipBadPassword;
    case ZIP_ER_COMPNOTSUPP:
    case ZIP_ER_ENCRNOTSUPP:
        return UnzipUnsupported;
    default:
        return UnzipDamaged;
    }
}

void FailWith(Run &run, const QString &name, zip_error_t *error) {
    run.Fail(name, QString::fromUtf8(zip_error_strerror(error)), CodeOf(error));
}

// Whether the name starts with a drive. Only Windows has drives; elsewhere "a:b.txt" is a name.
bool StartsWithDrive(const QString &name) {
#ifdef Q_OS_WIN
    return name.size() >= 2 && name.at(1) == QLatin1Char(':') && name.at(0).isLetter();
#else
    Q_UNUSED(name);
    return false;
#endif
}

// The parts of the entry's path below the destination; nothing when the name is absolute,
// starts with a drive or climbs with "..". On Windows a backslash counts as a separator, as
// archives made there use it; elsewhere it is part of a name.
std::optional<QStringList> PartsBelowDestination(QString name) {
    name.replace(platform::Separator(), QLatin1Char('/'));
    if (name.startsWith(QLatin1Char('/')) || StartsWithDrive(name))
        return std::nullopt;
    QStringList parts;
    for (const QString &part : name.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String(".."))
            return std::nullopt;
        if (part != QLatin1String("."))
            parts.append(part);
    }
    return parts;
}

bool Selected(const QString &name, const QStringList &patterns) {
    if (patterns.isEmpty())
        return true;
    return std::any_of(patterns.cbegin(), patterns.cend(),
                       [&](const QString &pattern) { return MatchesPattern(name, pattern); });
}

// Makes the first `count` parts as folders, one level at a time, so that a link already in the
// destination is never followed out of it. folder gets the last one, ending in the separator.
int MakeFolders(const QString &base, const QStringList &parts, qsizetype count, QString *folder) {
    QString path = base;
    for (qsizetype i = 0; i < count; ++i) {
        path += parts.at(i);
        const QFileInfo info(path);
        if (info.isSymLink())
            return UnzipRefused;
        if (info.exists() ? !info.isDir() : !QDir().mkdir(path))
            return UnzipWriteFailed;
        path += platform::Separator();
    }
    *folder = path;
    return 0;
}

QFileDevice::Permissions PermissionsOf(quint32 mode) {
    QFileDevice::Permissions permissions;
    const QFileDevice::Permission owner[] = {QFileDevice::ExeOwner, QFileDevice::WriteOwner,
                                             QFileDevice::ReadOwner};
    const QFileDevice::Permission user[] = {QFileDevice::ExeUser, QFileDevice::WriteUser,
                                            QFileDevice::ReadUser};
    const QFileDevice::Permission group[] = {QFileDevice::ExeGroup, QFileDevice::WriteGroup,
                                             QFileDevice::ReadGroup};
    const QFileDevice::Permission other[] = {QFileDevice::ExeOther, QFileDevice::WriteOther,
                                             QFileDevice::ReadOther};
    for (int bit = 0; bit < 3; ++bit) {
        if (mode & (1u << (bit + 6)))
            permissions |= owner[bit] | user[bit];
        if (mode & (1u << (bit + 3)))
            permissions |= group[bit];
        if (mode & (1u << bit))
            permissions |= other[bit];
    }
    return permissions;
}

// Judged from the size the entry states, before anything is written: an archive of a few
// kilobytes can unfold to more than any disk holds.
bool TooLarge(const Run &run, const zip_stat_t &stat, const QString &folder) {
    if (run.sizeLimit < 0)
        return false;
    if (!(stat.valid & ZIP_STAT_SIZE) || stat.size > zip_uint64_t(run.sizeLimit))
        return true;
    const qint64 free = platform::FreeSpace(folder);
    return free >= 0 && stat.size > zip_uint64_t(free);
}

bool MayWrite(Run &run, const QString &target) {
    const QFileInfo info(target);
    if (!info.exists() && !info.isSymLink())
        return true;
    if (run.keepExisting)
        return false;
    switch (MsgBox(Question::OverwriteFile,
                   QStringLiteral("Overwrite ") + target + QLatin1Char('?'),
                   MsgButtons::YesNoCancel, QStringLiteral("VBUnZip32 - File Already Exists!"),
                   MsgIcon::Exclamation)) {
    case MsgAnswer::Yes:
        return true;
    case MsgAnswer::Cancel:
        run.keepExisting = true;
        return false;
    default:
        return false;
    }
}

zip_file_t *OpenEntry(Run &run, zip_t *archive, zip_uint64_t index, bool encrypted,
                      const QString &name) {
    for (;;) {
        if (encrypted && run.password.isEmpty() && !run.withoutPassword) {
            run.password = InputBox(QStringLiteral("Please Enter The Password!"));
            // An empty answer means: go on without, and do not ask again.
            run.withoutPassword = run.password.isEmpty();
        }
        if (encrypted && run.withoutPassword) {
            run.Fail(name, QStringLiteral("no password"), UnzipBadPassword);
            return nullptr;
        }
        zip_error_clear(archive);
        zip_file_t *file = encrypted ? zip_fopen_index_encrypted(archive, index, 0,
                                                                 run.password.toUtf8().constData())
                                     : zip_fopen_index(archive, index, 0);
        if (file)
            return file;
        if (!encrypted || zip_error_code_zip(zip_get_error(archive)) != ZIP_ER_WRONGPASSWD) {
            FailWith(run, name, zip_get_error(archive));
            return nullptr;
        }
        run.password.clear();
    }
}

bool Commit(QFileDevice &out) {
    if (auto *save = qobject_cast<QSaveFile *>(&out))
        return save->commit();
    out.close();
    return out.error() == QFileDevice::NoError;
}

// Writes the block, or passes over it where it holds only zeros: the unpacked disk image of a
// virtual machine keeps its holes, as its copy would.
bool WriteOrPass(QFileDevice &out, const char *data, qint64 length) {
    static const std::array<char, ChunkSize> zeros{};
    if (std::memcmp(data, zeros.data(), size_t(length)) == 0)
        return out.seek(out.pos() + length);
    return out.write(data, length) == length;
}

// A file that ends in a hole gets its last byte written, so its length is right.
bool EndAt(QFileDevice &out, qint64 length) {
    if (length == 0 || out.size() >= length)
        return true;
    return out.seek(length - 1) && out.write("", 1) == 1;
}

// A damaged entry or a full disk leaves no partial file: a safe write goes to a temporary file
// beside the target, renamed only when the whole entry came out intact; a scratch write is
// removed when it fails.
void WriteEntry(Run &run, zip_file_t *file, const zip_stat_t &stat, quint32 mode,
                std::optional<qint64> seconds, const QString &target, const QString &name) {
    // A link in the way is replaced, never written through.
    if (QFileInfo(target).isSymLink() && !QFile::remove(target)) {
        run.Fail(name, QStringLiteral("cannot replace the link"), UnzipWriteFailed);
        return;
    }
    const bool scratch = run.write == UnzipWrite::Scratch;
    bool committed = false;
    // Declared before the file, so that the file is closed when the guard removes it.
    const auto removeUncommitted = qScopeGuard([&] {
        if (scratch && !committed)
            QFile::remove(target);
    });
    std::unique_ptr<QFileDevice> device;
    if (scratch)
        device = std::make_unique<QFile>(target);
    else
        device = std::make_unique<QSaveFile>(target);
    QFileDevice &out = *device;
    if (!out.open(QIODevice::WriteOnly)) {
        run.Fail(name, out.errorString(), UnzipWriteFailed);
        return;
    }
    zip_uint64_t total = 0;
    for (;;) {
        const zip_int64_t got = zip_fread(file, run.buffer.data(), run.buffer.size());
        if (got < 0) {
            FailWith(run, name, zip_file_get_error(file));
            return;
        }
        if (got == 0)
            break;
        if (!WriteOrPass(out, run.buffer.data(), got)) {
            run.Fail(name, out.errorString(), UnzipWriteFailed);
            return;
        }
        total += zip_uint64_t(got);
        // Never more than the entry claims, whatever its compressed data unfolds to.
        if ((stat.valid & ZIP_STAT_SIZE) && total > stat.size) {
            run.Fail(name, QStringLiteral("entry longer than its stated size"), UnzipDamaged);
            return;
        }
        if (run.Stopped(name, got))
            return;
    }
    if ((stat.valid & ZIP_STAT_SIZE) && total != stat.size) {
        run.Fail(name, QStringLiteral("entry shorter than its stated size"), UnzipDamaged);
        return;
    }
    if (!EndAt(out, qint64(total)) || !out.flush()) {
        run.Fail(name, out.errorString(), UnzipWriteFailed);
        return;
    }
    if (!seconds && (stat.valid & ZIP_STAT_MTIME))
        seconds = qint64(stat.mtime);
    if (seconds)
        out.setFileTime(QDateTime::fromSecsSinceEpoch(*seconds, Qt::UTC),
                        QFileDevice::FileModificationTime);
    if (!Commit(out)) {
        run.Fail(name, out.errorString(), UnzipWriteFailed);
        return;
    }
    committed = true;
    if (mode & 0777)
        QFile::setPermissions(target, PermissionsOf(mode));
    const bool stored = (stat.valid & ZIP_STAT_COMP_METHOD) && stat.comp_method == ZIP_CM_STORE;
    run.message += (stored ? QStringLiteral(" extracting: ") : QStringLiteral("  inflating: ")) +
                   target + QLatin1Char('\n');
}

// Returns whether the entry was one of those asked for.
bool ExtractEntry(Run &run, zip_t *archive, zip_uint64_t index) {
    zip_stat_t stat;
    if (zip_stat_index(archive, index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_NAME))
        return false;
    const QString name = QString::fromUtf8(stat.name);
    if (!Selected(name, run.patterns))
        return false;
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    zip_file_get_external_attributes(archive, index, 0, &system, &attributes);
    const quint32 mode = system == ZIP_OPSYS_UNIX ? attributes >> 16 : 0;
    const std::optional<QStringList> parts = PartsBelowDestination(name);
    if (!parts) {
        run.Fail(name, QStringLiteral("refused, it would be written outside ") + run.destination,
                 UnzipRefused);
        return true;
    }
    if ((mode & TypeMask) == LinkType) {
        run.Fail(name, QStringLiteral("refused, links are not extracted"), UnzipRefused);
        return true;
    }
    const bool directory = name.endsWith(QLatin1Char('/')) ||
                           name.endsWith(platform::Separator()) ||
                           (mode & TypeMask) == DirectoryType;
    if (directory || parts->isEmpty()) {
        QString folder;
        if (const int failure = MakeFolders(run.destination, *parts, parts->size(), &folder))
            run.Fail(name, QStringLiteral("cannot create the folder"), failure);
        return true;
    }
    QString folder;
    if (const int failure = MakeFolders(run.destination, *parts, parts->size() - 1, &folder)) {
        run.Fail(name, QStringLiteral("cannot create its folder"), failure);
        return true;
    }
    const QString target = folder + parts->last();
    if (!MayWrite(run, target))
        return true;
    if (TooLarge(run, stat, folder)) {
        run.Fail(name, QStringLiteral("larger than the disk may take"), UnzipTooLarge);
        return true;
    }
    const bool encrypted =
        (stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE;
    zip_file_t *file = OpenEntry(run, archive, index, encrypted, name);
    if (!file)
        return true;
    WriteEntry(run, file, stat, mode, ExactEntryTime(archive, index), target, name);
    zip_fclose(file);
    return true;
}

QByteArray ArchiveName(const QString &path) {
#ifdef Q_OS_WIN
    return path.toUtf8(); // the library takes UTF-8 there
#else
    return QFile::encodeName(path);
#endif
}

QString Finish(const Run &run) {
    if (run.code == 0)
        return run.message;
    return run.message + QStringLiteral("\n\nError!!!!! ") + QString::number(run.code) +
           QStringLiteral("\n\n");
}

int DuplicateDescriptor(int fd) {
#ifdef Q_OS_WIN
    return ::_dup(fd);
#else
    return ::dup(fd);
#endif
}

void CloseDescriptor(int fd) {
#ifdef Q_OS_WIN
    ::_close(fd);
#else
    ::close(fd);
#endif
}

// Extracts from an open archive into run's destination; the archive is the caller's to close.
QString Extract(Run &run, zip_t *zip, const QString &archive) {
    if (run.destination.isEmpty() || !QDir().mkpath(run.destination)) {
        run.Fail(run.destination, QStringLiteral("cannot create the folder"), UnzipWriteFailed);
        return Finish(run);
    }
    bool matched = false;
    const zip_int64_t entries = zip_get_num_entries(zip, 0);
    for (zip_int64_t i = 0; i < entries && !run.Stopped(archive, 0); ++i)
        matched = ExtractEntry(run, zip, zip_uint64_t(i)) || matched;
    if (run.code == UnzipCancelled)
        return Finish(run);
    if (!matched)
        run.Fail(archive, QStringLiteral("no entry matched"), UnzipNoMatch);
    return Finish(run);
}

QString OpenFailed(Run &run, const QString &archive, int openError) {
    zip_error_t error;
    zip_error_init_with_code(&error, openError);
    run.Fail(archive, QString::fromUtf8(zip_error_strerror(&error)), UnzipArchiveUnreadable);
    zip_error_fini(&error);
    return Finish(run);
}

Run MakeRun(const QString &destination, const QStringList &patterns, int patternCount,
            UnzipWrite write, UnzipEvents events) {
    Run run;
    run.destination = AddSlashed(destination);
    run.write = write;
    run.events = events;
    run.patterns = patterns.mid(0, std::max(0, patternCount));
    return run;
}

} // namespace

QString UnzipFiles(const QString &archive, const QString &destination, const QStringList &patterns,
                   int patternCount, UnzipWrite write, UnzipEvents events) {
    Run run = MakeRun(destination, patterns, patternCount, write, events);
    int openError = ZIP_ER_OK;
    std::unique_ptr<zip_t, decltype(&zip_discard)> zip(
        zip_open(ArchiveName(archive).constData(), ZIP_RDONLY, &openError), zip_discard);
    if (!zip)
        return OpenFailed(run, archive, openError);
    return Extract(run, zip.get(), archive);
}

QString UnzipOpenedFiles(QFile &archive, const QString &destination, const QStringList &patterns,
                         int patternCount, qint64 sizeLimit) {
    Run run = MakeRun(destination, patterns, patternCount, UnzipWrite::Safe, UnzipEvents::Quiet);
    run.sizeLimit = sizeLimit;
    // The library closes what it is given, so it gets a descriptor of its own.
    const int fd = archive.isOpen() ? DuplicateDescriptor(archive.handle()) : -1;
    if (fd < 0)
        return OpenFailed(run, archive.fileName(), ZIP_ER_OPEN);
    int openError = ZIP_ER_OK;
    std::unique_ptr<zip_t, decltype(&zip_discard)> zip(zip_fdopen(fd, 0, &openError), zip_discard);
    if (!zip) {
        CloseDescriptor(fd);
        return OpenFailed(run, archive.fileName(), openError);
    }
    return Extract(run, zip.get(), archive.fileName());
}
