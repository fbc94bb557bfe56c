#include "zipper.h"

#include "doevents.h"
#include "statuslog.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <zip.h>

#include <cmath>
#include <sys/stat.h>

namespace {

// Progress units are 32 KiB of input, the granularity the estimate is made in.
constexpr double UnitBytes = 32768;

// The level a user gets from zip: the best level (what 0 means to the library) is several times
// slower on text with long repeats for a few percent less space.
constexpr zip_uint32_t DeflateLevel = 6;

struct ZipState {
    qint64 estimated = -1;
    qint64 counted = 0;
    double percent = -1;
    double totalBytes = 0;
    bool abort = false;
    QString statusText;
    std::function<void(double)> listener;
};

ZipState &State() {
    static ZipState state;
    return state;
}

void Progress(zip_t *, double fraction, void *) {
    ZipState &s = State();
    const qint64 units = qint64(fraction * s.totalBytes / UnitBytes);
    if (units > s.counted) {
        s.counted = units;
        if (s.estimated > 0) {
            s.percent = std::floor(double(s.counted) / double(s.estimated) * 10000) / 100;
            StatusPrint(QString::number(s.percent) + QStringLiteral("%"));
            if (s.listener)
                s.listener(s.percent);
        }
    }
    DoEvents();
}

int Cancelled(zip_t *, void *) {
    return State().abort ? 1 : 0;
}

void Report(const QString &text) {
    State().statusText += text;
    StatusPrint(text);
}

// The files to add: each name, or with recurse the files below a named directory.
QStringList Sources(const QString &rootDir, const QStringList &names, int count, bool recurse) {
    QStringList sources;
    for (int i = 0; i < count; ++i) {
        const QString path = rootDir + names.at(i);
        if (recurse && QFileInfo(path).isDir()) {
            QDirIterator it(path, QDir::Files | QDir::Hidden | QDir::NoSymLinks,
                            QDirIterator::Subdirectories);
            while (it.hasNext())
                sources.append(it.next());
        } else {
            sources.append(path);
        }
    }
    return sources;
}

void AppendEstimateLine(int count, double totalBytes) {
    const ZipState &s = State();
    QFile file(QDir::current().filePath(QStringLiteral("ZipEstimates.txt")));
    if (!file.open(QIODevice::Append))
        return;
    const QString line = QStringLiteral("%1,%2,%3,%4,%5\r\n")
                             .arg(count)
                             .arg(qint64(totalBytes))
                             .arg(s.estimated)
                             .arg(s.counted)
                             .arg(s.estimated - s.counted);
    file.write(line.toUtf8());
}

// The entry carries the file's mode as a Unix zip tool writes it, and its time.
bool KeepModeAndTime(zip_t *archive, zip_uint64_t index, const platform::FileState &state) {
    const zip_uint32_t attributes = (zip_uint32_t(S_IFREG) | (state.mode & 0777)) << 16;
    return zip_file_set_mtime(archive, index, time_t(state.modified / 1000000000), 0) == 0 &&
           zip_file_set_external_attributes(archive, index, 0, ZIP_OPSYS_UNIX, attributes) == 0;
}

int AddAll(zip_t *archive, const QStringList &sources, const QList<platform::FileState> &states) {
    for (qsizetype i = 0; i < sources.size(); ++i) {
        const QString &source = sources.at(i);
        zip_source_t *data = zip_source_file(archive, QFile::encodeName(source).constData(), 0, -1);
        if (!data)
            return zip_error_code_zip(zip_get_error(archive));
        const QByteArray entry = QFileInfo(source).fileName().toUtf8();
        const zip_int64_t index = zip_file_add(archive, entry.constData(), data, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(data);
            return zip_error_code_zip(zip_get_error(archive));
        }
        zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, DeflateLevel);
        if (i < states.size() && !KeepModeAndTime(archive, zip_uint64_t(index), states.at(i)))
            return zip_error_code_zip(zip_get_error(archive));
    }
    return ZIP_ER_OK;
}

int WriteArchive(const QString &zipFile, const QStringList &sources,
                 const QList<platform::FileState> &states) {
    int error = 0;
    zip_t *archive =
        zip_open(QFile::encodeName(zipFile).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        return error;
    zip_register_progress_callback_with_state(archive, 0.001, Progress, nullptr, nullptr);
    zip_register_cancel_callback_with_state(archive, Cancelled, nullptr, nullptr);
    int result = AddAll(archive, sources, states);
    if (result == ZIP_ER_OK && zip_close(archive) == 0)
        return ZIP_ER_OK;
    if (result == ZIP_ER_OK)
        result = zip_error_code_zip(zip_get_error(archive));
    Report(QString::fromUtf8(zip_strerror(archive)) + QStringLiteral("\n"));
    zip_discard(archive);
    return result == ZIP_ER_OK ? ZIP_ER_INTERNAL : result;
}

} // namespace

qint64 ZipEstimateUnits(double totalBytes) {
    return qint64(std::nearbyint(std::fabs(totalBytes / UnitBytes - 2)));
}

int ZipFiles(const QString &zipFile, const QString &rootDir, const QStringList &names, int count,
             bool recurse, const QList<platform::FileState> &states) {
    ZipState &s = State();
    s.statusText.clear();
    s.percent = -1;
    if (s.estimated > 0)
        StatusPrint(QStringLiteral("Todo:%1 Done:%2 Diff:%3")
                        .arg(s.estimated)
                        .arg(s.counted)
                        .arg(s.estimated - s.counted));
    s.counted = 0;
    s.abort = false;
    if (count < 0 || count > MaxZipNames || count > names.size())
        return ZIP_ER_INVAL;

    double total = 0;
    for (int i = 0; i < count; ++i)
        total += double(QFileInfo(rootDir + names.at(i)).size());
    s.totalBytes = total;
    s.estimated = ZipEstimateUnits(total);

    // A state belongs to a name only while each name is one file.
    const int result = WriteArchive(zipFile, Sources(rootDir, names, count, recurse),
                                    recurse ? QList<platform::FileState>() : states);
    AppendEstimateLine(count, total);
    return result;
}

void ZipAbort() {
    State().abort = true;
}

double ZipPercentDone() {
    return State().percent;
}

QString ZipStatusText() {
    return State().statusText;
}

void SetZipProgressListener(std::function<void(double percent)> listener) {
    State().listener = std::move(listener);
}
