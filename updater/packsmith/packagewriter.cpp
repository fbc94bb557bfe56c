#include "packagewriter.h"

#include "packagesignature.h"
#include "versionline.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>

#include <zip.h>

#include <memory>

namespace {

constexpr qint64 CopyBlock = qint64(1) << 20;

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

// The body: the header, then each file's bytes copied in blocks. A file that changes size
// while it is copied is an error, as the header would no longer match.
bool WriteBody(const QString &version, const QList<PackageSource> &files, const QString &path,
               QString *error) {
    QList<UpkFile> listed;
    for (const PackageSource &file : files)
        listed.append(UpkFile{file.target, QFileInfo(file.path).size()});
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(UpkHeaderText(version, listed)) < 0) {
        *error = path + QStringLiteral(": ") + out.errorString();
        return false;
    }
    for (qsizetype i = 0; i < files.size(); ++i) {
        QFile in(files.at(i).path);
        if (!in.open(QIODevice::ReadOnly)) {
            *error = files.at(i).path + QStringLiteral(": cannot be read");
            return false;
        }
        qint64 copied = 0;
        while (!in.atEnd()) {
            const QByteArray block = in.read(CopyBlock);
            if (block.isEmpty() || out.write(block) != block.size()) {
                *error = files.at(i).path + QStringLiteral(": cannot be copied");
                return false;
            }
            copied += block.size();
        }
        if (copied != listed.at(i).length) {
            *error = files.at(i).path + QStringLiteral(": changed while it was read");
            return false;
        }
    }
    if (!out.flush()) {
        *error = path + QStringLiteral(": ") + out.errorString();
        return false;
    }
    return true;
}

// The body file deflated into a zip file as its one entry, read from disk as the zip is made.
bool ZipBodyFile(const QString &bodyPath, const QString &zipPath, QString *error) {
    int openError = ZIP_ER_OK;
    zip_t *archive =
        zip_open(QFile::encodeName(zipPath).constData(), ZIP_CREATE | ZIP_TRUNCATE, &openError);
    if (!archive) {
        zip_error_t zipError;
        zip_error_init_with_code(&zipError, openError);
        *error = zipPath + QStringLiteral(": ") + LibzipError(&zipError);
        zip_error_fini(&zipError);
        return false;
    }
    zip_source_t *entry = zip_source_file(archive, QFile::encodeName(bodyPath).constData(), 0, -1);
    const bool added =
        entry && zip_file_add(archive, UpkBodyEntryName, entry, ZIP_FL_ENC_UTF_8) >= 0;
    if (!added && entry)
        zip_source_free(entry);
    if (!added || zip_close(archive) != 0) {
        *error = zipPath + QStringLiteral(": ") + QString::fromUtf8(zip_strerror(archive));
        zip_discard(archive);
        return false;
    }
    return true;
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

bool WritePackage(const QString &version, const QList<PackageSource> &files,
                  const QByteArray &secretKeyBase64, const QString &outDir, QString *error) {
    if (!QDir().mkpath(outDir)) {
        *error = outDir + QStringLiteral(": the folder cannot be made");
        return false;
    }
    // The work folder lies beside the output, so the finished package is renamed into place.
    const QTemporaryDir work(QDir(outDir).filePath(QStringLiteral("packsmith-XXXXXX")));
    const QString body = work.filePath(QLatin1String(UpkBodyEntryName));
    const QString zipped = work.filePath(QLatin1String(PackageFileName));
    if (!work.isValid() || !WriteBody(version, files, body, error) ||
        !ZipBodyFile(body, zipped, error))
        return false;
    QFile package(zipped);
    if (!package.open(QIODevice::ReadOnly)) {
        *error = zipped + QStringLiteral(": ") + package.errorString();
        return false;
    }
    // The length travels in the signed line, so a download is held to what was published.
    const QByteArray versionLine = VersionLineText(version, package.size());
    const QByteArray signature = SignUpdate(versionLine, package, secretKeyBase64);
    package.close();
    if (signature.isEmpty()) {
        *error = QStringLiteral("the key file does not hold a secret signing key");
        return false;
    }
    // The old version file goes first: a server never offers a new version with an old package.
    const QDir dir(outDir);
    const QString versionPath = dir.filePath(QLatin1String(VersionFileName));
    const QString packagePath = dir.filePath(QLatin1String(PackageFileName));
    if (QFile::exists(versionPath) && !QFile::remove(versionPath)) {
        *error = versionPath + QStringLiteral(": cannot be replaced");
        return false;
    }
    if ((QFile::exists(packagePath) && !QFile::remove(packagePath)) ||
        !QFile::rename(zipped, packagePath)) {
        *error = packagePath + QStringLiteral(": cannot be replaced");
        return false;
    }
    return SaveFile(versionPath, VersionFileText(versionLine, signature), error);
}
