#include "packsmithcommand.h"

#include "packagesignature.h"
#include "packagewriter.h"
#include "readversiondate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <optional>

namespace {

constexpr int Done = 0;
constexpr int Failed = 1;
constexpr int BadUsage = 2;

const char Usage[] =
    "Usage:\n"
    "  packsmith --keygen DIR\n"
    "      Makes a signing key pair: writes the secret key to DIR/packsmith.key (keep it\n"
    "      private) and prints the public key, which Backup is built with\n"
    "      (cmake -DPELLMOOR_UPDATE_PUBLIC_KEY=...).\n"
    "  packsmith --version DD.MM.YY --key KEYFILE [--out DIR] FILE[=TARGET]...\n"
    "      Writes DIR/Backup.Upk holding the files and DIR/Backup.Ver with the version and\n"
    "      the signature (DIR defaults to the current folder). TARGET is where the file is\n"
    "      installed; %Backup% stands for the program directory, and the default is %Backup%\n"
    "      followed by the file's name.\n";

int Refuse(QTextStream &err, const QString &why) {
    err << "packsmith: " << why << '\n';
    return Failed;
}

int UsageError(QTextStream &err, const QString &why) {
    err << "packsmith: " << why << "\n\n" << Usage;
    return BadUsage;
}

int MakeKeys(const QString &dir, QTextStream &out, QTextStream &err) {
    const QString path = QDir(dir).filePath(QLatin1String(SecretKeyFileName));
    // A secret key that signed published packages cannot be made again; never overwrite one.
    if (QFileInfo::exists(path))
        return Refuse(err, path + QStringLiteral(" already exists; it is not replaced"));
    const SigningKeyPair keys = MakeSigningKeyPair();
    QFile file(path);
    if (keys.secretKeyBase64.isEmpty() || !QDir().mkpath(dir) ||
        !file.open(QIODevice::WriteOnly | QIODevice::NewOnly) ||
        !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
        file.write(keys.secretKeyBase64 + '\n') < 0 || !file.flush())
        return Refuse(err, path + QStringLiteral(": the key cannot be written"));
    out << keys.publicKeyBase64 << '\n';
    return Done;
}

// The version as the update check reads it: day, month and year, two digits each.
bool IsVersion(const QString &version) {
    static const QRegularExpression form(QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d\\d$"));
    return form.match(version).hasMatch() && ReadVersionDate(version).isValid();
}

// A target the updater would refuse is refused here already, before anything is published.
bool TargetStaysInside(const QString &target) {
    QString rest = target;
    if (rest.startsWith(QLatin1String(UpkProgramDirectoryMark)))
        rest.remove(0, qsizetype(sizeof(UpkProgramDirectoryMark) - 1));
    else if (QDir::isAbsolutePath(rest) || rest.startsWith(QLatin1Char('\\')))
        return false;
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = rest.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    return !parts.isEmpty() && !parts.contains(QStringLiteral("..")) &&
           !rest.contains(QLatin1Char('|'));
}

// The names the updater keeps for itself (kept copies, its waiting copy, the rollback list) or
// that its list could not hold; the updater refuses a package naming them.
bool TargetIsFree(const QString &target) {
    return !IsReservedTarget(target);
}

struct PackRequest {
    QString version, keyFile, outDir = QStringLiteral(".");
    QStringList files;
};

std::optional<PackageSource> ReadSource(const QString &argument, QString *why) {
    const qsizetype equals = argument.lastIndexOf(QLatin1Char('='));
    const QString path = equals < 0 ? argument : argument.left(equals);
    const QString target = equals < 0
                               ? QLatin1String(UpkProgramDirectoryMark) + QFileInfo(path).fileName()
                               : argument.mid(equals + 1);
    if (!TargetStaysInside(target)) {
        *why = target + QStringLiteral(": a target must stay inside the program directory");
        return std::nullopt;
    }
    if (!TargetIsFree(target)) {
        *why = target + QStringLiteral(": a target may not name a kept copy (.Old), a waiting "
                                       "copy (.this), the rollback list or hold a line break");
        return std::nullopt;
    }
    if (!QFileInfo(path).isFile() || !QFileInfo(path).isReadable()) {
        *why = path + QStringLiteral(": cannot be read");
        return std::nullopt;
    }
    return PackageSource{path, target};
}

int Pack(const PackRequest &request, QTextStream &out, QTextStream &err) {
    if (!IsVersion(request.version))
        return UsageError(err, request.version + QStringLiteral(": a version is DD.MM.YY"));
    if (request.keyFile.isEmpty() || request.files.isEmpty())
        return UsageError(err, QStringLiteral("--key and at least one file are needed"));
    QFile keyFile(request.keyFile);
    if (!keyFile.open(QIODevice::ReadOnly))
        return Refuse(err, request.keyFile + QStringLiteral(": cannot be read"));
    const QByteArray secretKey = keyFile.readAll().trimmed();
    QList<PackageSource> sources;
    for (const QString &argument : request.files) {
        QString why;
        const std::optional<PackageSource> source = ReadSource(argument, &why);
        if (!source)
            return Refuse(err, why);
        sources.append(*source);
    }
    QString why;
    if (!WritePackage(request.version, sources, secretKey, request.outDir, &why))
        return Refuse(err, why);
    out << QDir(request.outDir).filePath(QLatin1String(PackageFileName)) << '\n'
        << QDir(request.outDir).filePath(QLatin1String(VersionFileName)) << '\n';
    return Done;
}

} // namespace

int RunPacksmith(const QStringList &arguments, QTextStream &out, QTextStream &err) {
    if (arguments.isEmpty() || arguments.contains(QStringLiteral("--help"))) {
        (arguments.isEmpty() ? err : out) << Usage;
        return arguments.isEmpty() ? BadUsage : Done;
    }
    if (arguments.first() == QStringLiteral("--keygen")) {
        if (arguments.size() != 2)
            return UsageError(err, QStringLiteral("--keygen takes one folder"));
        return MakeKeys(arguments.at(1), out, err);
    }
    PackRequest request;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        QString *value = argument == QStringLiteral("--version") ? &request.version
                         : argument == QStringLiteral("--key")   ? &request.keyFile
                         : argument == QStringLiteral("--out")   ? &request.outDir
                                                                 : nullptr;
        if (value) {
            if (++i == arguments.size())
                return UsageError(err, argument + QStringLiteral(" needs a value"));
            *value = arguments.at(i);
        } else if (argument.startsWith(QStringLiteral("--"))) {
            return UsageError(err, argument + QStringLiteral(": unknown option"));
        } else {
            request.files.append(argument);
        }
    }
    return Pack(request, out, err);
}
