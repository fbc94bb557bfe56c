#include "packagewriter.h"

#include "packagesignature.h"
#include "versionline.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <zip.h>

#include <memory>

namespace {

QString LibzipError(zip_error_t *error) {
    return QString::fromUtf8(zip_error_strerror(error));
}

bool SaveFile(const QString &path, const QByteArray &bytes, QString *error) {
    QSaveFile out(path);
    if (out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.commit())
        return true;
    *error = path + QStringLiteral(": ") + out.errorString();
    return false;
}

} // namespace

QByteArray ZipPackage(const QByteArray &body, QString *error, const QString &entryName) {
    zip_error_t zipError;
    zip_error_init(&zipError);
    // The archive is built in memory: the buffer source keeps the result once the zip is closed.
    zip_source_t *buffer = zip_source_buffer_create(nullptr, 0, 0, &zipError);
    zip_t *archive =
        buffer ? zip_open_from_source(buffer, ZIP_CREATE | ZIP_TRUNCATE, &zipError) : nullptr;
    if (!archive) {
        *error = LibzipError(&zipError);
        if (buffer)
            zip_source_free(buffer);
        zip_error_fini(&zipError);
        return QByteArray();
    }
    zip_source_keep(buffer);
    const auto release =
        std::unique_ptr<zip_source_t, decltype(&zip_source_free)>(buffer, zip_source_free);
    zip_source_t *entry =
        zip_source_buffer(archive, body.constData(), zip_uint64_t(body.size()), 0);
    const bool added = entry && zip_file_add(archive, entryName.toUtf8().constData(), entry,
                                             ZIP_FL_ENC_UTF_8) >= 0;
    if (!added) {
        if (entry)
            zip_source_free(entry);
        *error = QString::fromUtf8(zip_strerror(archive));
        zip_discard(archive);
        return QByteArray();
    }
    if (zip_close(archive) != 0) {
        *error = QString::fromUtf8(zip_strerror(archive));
        zip_discard(archive);
        return QByteArray();
    }
    QByteArray bytes;
    zip_stat_t stat;
    if (zip_source_stat(buffer, &stat) == 0 && zip_source_open(buffer) == 0) {
        bytes.resize(qsizetype(stat.size));
        const zip_int64_t got = zip_source_read(buffer, bytes.data(), stat.size);
        zip_source_close(buffer);
        if (got != zip_int64_t(stat.size))
            bytes.clear();
    }
    if (bytes.isEmpty())
        *error = QStringLiteral("the package could not be read back");
    zip_error_fini(&zipError);
    return bytes;
}

QByteArray VersionFileText(const QByteArray &versionLine, const QByteArray &signatureBase64) {
    return versionLine + "\r\n" + signatureBase64 + "\r\n";
}

bool WritePackage(const QString &version, const QList<UpkSource> &files,
                  const QByteArray &secretKeyBase64, const QString &outDir, QString *error) {
    const QByteArray package = ZipPackage(ComposeUpkBody(version, files), error);
    if (package.isEmpty())
        return false;
    // The length travels in the signed line, so a download is held to what was published.
    const QByteArray versionLine = VersionLineText(version, package.size());
    const QByteArray signature = SignUpdate(versionLine, package, secretKeyBase64);
    if (signature.isEmpty()) {
        *error = QStringLiteral("the key file does not hold a secret signing key");
        return false;
    }
    const QDir dir(outDir);
    if (!QDir().mkpath(outDir)) {
        *error = outDir + QStringLiteral(": the folder cannot be made");
        return false;
    }
    // The old version file goes first: a server never offers a new version with an old package.
    const QString versionPath = dir.filePath(QLatin1String(VersionFileName));
    if (QFile::exists(versionPath) && !QFile::remove(versionPath)) {
        *error = versionPath + QStringLiteral(": cannot be replaced");
        return false;
    }
    return SaveFile(dir.filePath(QLatin1String(PackageFileName)), package, error) &&
           SaveFile(versionPath, VersionFileText(versionLine, signature), error);
}
