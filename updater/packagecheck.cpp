#include "packagecheck.h"

#include "packagesignature.h"
#include "platform.h"
#include "readversiondate.h"
#include "refittermessages.h"
#include "saferead.h"
#include "versionline.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString VersionFileName = QStringLiteral("Backup.Ver");

QByteArray LineOf(const QList<QByteArray> &lines, qsizetype index) {
    return index < lines.size() ? lines.at(index).trimmed() : QByteArray();
}

std::nullopt_t CannotCheck(const QString &why) {
    RefitterMessage(QStringLiteral("Upk package file cannot be checked!\n") + why);
    return std::nullopt;
}

} // namespace

QString HandedVersionFilePath() {
    return platform::ProgramDirectory() + VersionFileName;
}

bool IsInProgramDirectory(const QString &packagePath) {
    const QString folder = QFileInfo(packagePath).absoluteDir().canonicalPath();
    return !folder.isEmpty() &&
           platform::PathsEqual(folder, QDir(platform::ProgramDirectory()).canonicalPath());
}

std::optional<QString> CheckPackageSignature(QFile &package) {
    QByteArray text;
    const SafeRead read = ReadRegularFile(HandedVersionFilePath(), VersionFileReadLimit, &text);
    if (!read.Ok() && read.error == platform::ErrFileNotFound)
        return CannotCheck(QStringLiteral("Version file (") + VersionFileName +
                           QStringLiteral(") not found!"));
    if (!read.Ok())
        return CannotCheck(read.reason.isEmpty() ? platform::ErrorWasText(read.error)
                                                 : read.reason);
    const QList<QByteArray> lines = text.split('\n');
    const QByteArray firstLine = LineOf(lines, 0);
    const std::optional<VersionLine> line = ParseVersionLine(firstLine);
    if (!line || !ReadVersionDate(line->version).isValid())
        return CannotCheck(QStringLiteral("Incorrect Version file (") + VersionFileName +
                           QStringLiteral(") format!"));
    if (line->packageLength >= 0 && line->packageLength != package.size()) {
        RefitterMessage(QStringLiteral("Upk package file length is incorrect!\nThis probably means "
                                       "the download didnt finish properly!"));
        return std::nullopt;
    }
    if (!package.seek(0) || !VerifyUpdateSignature(firstLine, package, package.size(),
                                                   LineOf(lines, 1), UpdatePublicKey())) {
        RefitterMessage(QStringLiteral("Upk package file is not signed by the publisher!"));
        return std::nullopt;
    }
    return line->version;
}
