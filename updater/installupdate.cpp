#include "installupdate.h"

#include "fileops.h"
#include "installfiles.h"
#include "packagefile.h"
#include "packagetargets.h"
#include "platform.h"
#include "refittermessages.h"
#include "unzip.h"
#include "updateflagstore.h"
#include "upkbody.h"

#include <QFile>
#include <QTemporaryDir>

#include <optional>

namespace {

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

// The body, unpacked into a private folder inside the program directory so that no entry name
// can overwrite an installed file. Nothing when the package does not unzip.
std::optional<QByteArray> UnpackBody(const QString &packagePath) {
    const QTemporaryDir unpack(platform::ProgramDirectory() +
                               QStringLiteral("Refitter-unpack-XXXXXX"));
    const QString folder = unpack.path() + platform::Separator();
    const QString message = unpack.isValid()
                                ? UnzipFiles(packagePath, folder, {QStringLiteral("*")}, 1)
                                : QStringLiteral("Error!!!!!");
    const QString body = LastExtracted(message, folder);
    if (message.contains(QStringLiteral("Error!!!!!")) || body.isEmpty()) {
        RefitterMessage(QStringLiteral("Error In Unzipping Downloaded File!"));
        return std::nullopt;
    }
    DeletePackage(packagePath);
    QFile file(body);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Where each file goes; nothing (and the refusal shown) when any target leaves the program
// directory.
std::optional<QList<PackageFile>> PlaceFiles(const UpkBody &body) {
    QList<PackageFile> files;
    qint64 offset = 0;
    for (const UpkFile &file : body.files) {
        const std::optional<QString> path = ResolveTarget(file.target);
        if (!path) {
            RefuseFormat();
            return std::nullopt;
        }
        files.append(PackageFile{*path, offset, file.length});
        offset += file.length;
    }
    return files;
}

} // namespace

bool InstallUpdate(const QString &packagePath) {
    if (FileLength(packagePath) <= 0) {
        RefitterMessage(QStringLiteral("File Not Found or File Empty!"));
        return false;
    }
    const std::optional<QByteArray> bytes = UnpackBody(packagePath);
    if (!bytes)
        return false;
    if (bytes->isEmpty()) {
        RefitterMessage(QStringLiteral("Error in unzipping!\nYou may need to go to the website "
                                       "and redownload a whole new zip!"));
        return false;
    }
    UpkBody body;
    switch (ParseUpkBody(*bytes, &body)) {
    case UpkParse::BadFormat:
        RefuseFormat();
        return false;
    case UpkParse::BadLength:
        RefitterMessage(QStringLiteral("Upk package file length is incorrect!\nThis probably means "
                                       "the download didnt finish properly!"));
        return false;
    case UpkParse::Ok:
        break;
    }
    const std::optional<QList<PackageFile>> files = PlaceFiles(body);
    if (!files || !InstallFiles(*files, body.contents))
        return false;
    // The next start of Backup is the first with the new files: if it breaks off, the one after
    // rolls the update back.
    SetFlag(QLatin1String(FlagFirstRunAfterUpdate), true);
    SetFlag(QLatin1String(FlagErrorAfterUpdate), false);
    SetFlag(QLatin1String(FlagRolledBack), false);
    RefitterMessage(QStringLiteral("Update Done!\nUpdated version : ") + body.version);
    return true;
}
