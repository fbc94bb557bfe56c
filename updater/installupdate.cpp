#include "installupdate.h"

#include "fileops.h"
#include "installfiles.h"
#include "packagecheck.h"
#include "packagefile.h"
#include "packagetargets.h"
#include "platform.h"
#include "readversiondate.h"
#include "refittermessages.h"
#include "rollbacklist.h"
#include "saferead.h"
#include "unzip.h"
#include "updateflagstore.h"
#include "upkbody.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <optional>

namespace {

// However well a package compresses, its body may unpack to no more than this.
constexpr qint64 UnpackedBodyLimit = qint64(8) << 30;

void RefuseFormat() {
    RefitterMessage(QStringLiteral("Upk package file format is incorrect!"));
}

// The path of the file the unzip reported last: its lines end in the extracted file's path.
QString LastExtracted(const QString &message, const QString &folder) {
    const QStringList lines = message.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (lines.isEmpty())
        return QString();
    const QString &line = lines.last();
    const qsizetype at = line.indexOf(folder);
    return at < 0 ? QString() : line.mid(at).trimmed();
}

// The checked package, opened; nothing (and the refusal shown) when it is missing, empty, no
// regular file or too large.
bool OpenPackage(QFile &package, const QString &packagePath) {
    if (!IsInProgramDirectory(packagePath)) {
        RefitterMessage(QStringLiteral("Upk package file is not in the program directory!\n") +
                        packagePath);
        return false;
    }
    if (FileLength(packagePath) <= 0) {
        RefitterMessage(QStringLiteral("File Not Found or File Empty!"));
        return false;
    }
    const SafeRead opened = OpenRegularFile(package, packagePath, PackageReadLimit);
    if (!opened.Ok())
        RefitterMessage(
            QStringLiteral("Upk package file cannot be read!\n") +
            (opened.reason.isEmpty() ? platform::ErrorWasText(opened.error) : opened.reason));
    return opened.Ok();
}

bool IsNewer(const QString &packageVersion, const QString &installed) {
    return ReadVersionDate(packageVersion) > ReadVersionDate(installed);
}

// The body, unpacked from the very file that was checked into a private folder inside the
// program directory, so that no entry name can overwrite an installed file. Empty when the
// package does not unzip.
QString UnpackBody(QFile &package, const QTemporaryDir &unpack) {
    const QString folder = unpack.path() + platform::Separator();
    const QString message =
        unpack.isValid()
            ? UnzipOpenedFiles(package, folder, {QStringLiteral("*")}, 1, UnpackedBodyLimit)
            : QStringLiteral("Error!!!!!");
    const QString body = LastExtracted(message, folder);
    if (message.contains(QStringLiteral("Error!!!!!")) || body.isEmpty()) {
        RefitterMessage(
            message.contains(QStringLiteral("Error!!!!! ") + QString::number(UnzipTooLarge))
                ? QStringLiteral("Error In Unzipping Downloaded File!\nIt unpacks to more than "
                                 "the disk can take.")
                : QStringLiteral("Error In Unzipping Downloaded File!"));
        return QString();
    }
    return body;
}

// Where each file goes; nothing (and the refusal shown) when any target leaves the program
// directory, names what only the updater writes, or comes twice.
std::optional<QList<PackageFile>> PlaceFiles(const UpkBody &body) {
    const QString dir = platform::ProgramDirectory();
    QList<PackageFile> files;
    QSet<QString> seen;
    qint64 offset = body.contentsOffset;
    for (const UpkFile &file : body.files) {
        const std::optional<QString> path =
            IsReservedTarget(file.target) ? std::nullopt : ResolveTarget(file.target);
        if (!path || seen.contains(platform::ComparablePath(*path))) {
            RefuseFormat();
            return std::nullopt;
        }
        seen.insert(platform::ComparablePath(*path));
        // The updater's own file waits as ".this"; Backup keeps the running one when it swaps.
        const bool waiting =
            platform::PathsEqual(*path, UpdaterOwnPath() + QStringLiteral(".this"));
        const QString name = (waiting ? UpdaterOwnPath() : *path).mid(dir.size());
        files.append(PackageFile{*path, name, !waiting, offset, file.length});
        offset += file.length;
    }
    return files;
}

// Reads the body's header and installs its files from it. The version the body states, or
// nothing with the failure shown.
std::optional<QString> InstallBody(const QString &bodyPath, const RollbackRecord &next) {
    QFile body(bodyPath);
    if (!body.open(QIODevice::ReadOnly) || body.size() == 0) {
        RefitterMessage(QStringLiteral("Error in unzipping!\nYou may need to go to the website "
                                       "and redownload a whole new zip!"));
        return std::nullopt;
    }
    UpkBody parsed;
    switch (ReadUpkHeader(body, &parsed)) {
    case UpkParse::BadFormat:
        RefuseFormat();
        return std::nullopt;
    case UpkParse::BadLength:
        RefitterMessage(QStringLiteral("Upk package file length is incorrect!\nThis probably means "
                                       "the download didnt finish properly!"));
        return std::nullopt;
    case UpkParse::Ok:
        break;
    }
    const std::optional<QList<PackageFile>> files = PlaceFiles(parsed);
    if (!files || !InstallFiles(*files, body, next))
        return std::nullopt;
    return parsed.version;
}

} // namespace

bool InstallUpdate(const QString &packagePath, bool forced) {
    QFile package;
    if (!OpenPackage(package, packagePath))
        return false;
    const std::optional<QString> version = CheckPackageSignature(package);
    if (!version)
        return false;
    const QString installed = InstalledVersion();
    if (!forced && !IsNewer(*version, installed)) {
        RefitterMessage(QStringLiteral("Upk package file is not newer than the installed "
                                       "version!\nInstalled version : ") +
                        installed + QStringLiteral("\nPackage version : ") + *version);
        return false;
    }
    const QTemporaryDir unpack(platform::ProgramDirectory() +
                               QStringLiteral("Refitter-unpack-XXXXXX"));
    const QString body = UnpackBody(package, unpack);
    package.close();
    if (body.isEmpty())
        return false;
    DeletePackage(packagePath);
    const std::optional<QString> done = InstallBody(body, RollbackRecord{*version, installed, {}});
    if (!done)
        return false;
    // The next start of Backup is the first with the new files: if it breaks off, the one after
    // rolls the update back.
    SetFlag(QLatin1String(FlagFirstRunAfterUpdate), true);
    SetFlag(QLatin1String(FlagErrorAfterUpdate), false);
    SetFlag(QLatin1String(FlagRolledBack), false);
    RefitterMessage(QStringLiteral("Update Done!\nUpdated version : ") + *done);
    return true;
}
