#include "zipfiletarget.h"

#include <QFile>

#include <zip.h>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

class FileTarget {
public:
    explicit FileTarget(const QString &path) : path(QFile::encodeName(path)) {
        zip_error_init(&error);
    }
    ~FileTarget() {
        Close();
        zip_error_fini(&error);
    }

    zip_int64_t Command(void *data, zip_uint64_t len, zip_source_cmd_t cmd) {
        switch (cmd) {
        case ZIP_SOURCE_STAT:
            // Always a new archive: there is nothing to read.
            return Fail(ZIP_ER_READ, ENOENT);
        case ZIP_SOURCE_BEGIN_WRITE:
            fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
            return fd < 0 ? Fail(ZIP_ER_OPEN, errno) : 0;
        case ZIP_SOURCE_WRITE:
            return Write(static_cast<const char *>(data), len);
        case ZIP_SOURCE_SEEK_WRITE: {
            const auto *args = ZIP_SOURCE_GET_ARGS(zip_source_args_seek_t, data, len, &error);
            if (!args)
                return -1;
            return ::lseek(fd, off_t(args->offset), args->whence) < 0 ? Fail(ZIP_ER_SEEK, errno)
                                                                      : 0;
        }
        case ZIP_SOURCE_TELL_WRITE: {
            const off_t at = ::lseek(fd, 0, SEEK_CUR);
            return at < 0 ? Fail(ZIP_ER_TELL, errno) : zip_int64_t(at);
        }
        case ZIP_SOURCE_COMMIT_WRITE:
            return Close() ? 0 : Fail(ZIP_ER_WRITE, errno);
        case ZIP_SOURCE_ROLLBACK_WRITE:
            Close();
            ::unlink(path.constData());
            return 0;
        case ZIP_SOURCE_REMOVE:
            return ::unlink(path.constData()) < 0 && errno != ENOENT ? Fail(ZIP_ER_REMOVE, errno)
                                                                     : 0;
        case ZIP_SOURCE_ERROR:
            return zip_error_to_data(&error, data, len);
        case ZIP_SOURCE_FREE:
            delete this;
            return 0;
        case ZIP_SOURCE_SUPPORTS:
            // The reading commands are listed because the library only writes to a source that
            // could also be read; a new archive is never read back.
            return zip_source_make_command_bitmap(
                ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, ZIP_SOURCE_SEEK, ZIP_SOURCE_TELL,
                ZIP_SOURCE_SUPPORTS, ZIP_SOURCE_BEGIN_WRITE, ZIP_SOURCE_COMMIT_WRITE,
                ZIP_SOURCE_ROLLBACK_WRITE, ZIP_SOURCE_WRITE, ZIP_SOURCE_SEEK_WRITE,
                ZIP_SOURCE_TELL_WRITE, ZIP_SOURCE_REMOVE, -1);
        default:
            return Fail(ZIP_ER_OPNOTSUPP);
        }
    }

private:
    zip_int64_t Fail(int code, int systemError = 0) {
        zip_error_set(&error, code, systemError);
        return -1;
    }

    zip_int64_t Write(const char *data, zip_uint64_t len) {
        zip_uint64_t done = 0;
        while (done < len) {
            const ssize_t n = ::write(fd, data + done, size_t(len - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return Fail(ZIP_ER_WRITE, n < 0 ? errno : ENOSPC);
            done += zip_uint64_t(n);
        }
        return zip_int64_t(done);
    }

    bool Close() {
        if (fd < 0)
            return true;
        const bool closed = ::close(fd) == 0;
        fd = -1;
        return closed;
    }

    QByteArray path;
    int fd = -1;
    zip_error_t error;
};

zip_int64_t Callback(void *state, void *data, zip_uint64_t len, zip_source_cmd_t cmd) {
    return static_cast<FileTarget *>(state)->Command(data, len, cmd);
}

} // namespace

zip *OpenNewArchive(const QString &path, int &error) {
    zip_error_t failure;
    zip_error_init(&failure);
    auto *target = new FileTarget(path);
    zip_source_t *source = zip_source_function_create(Callback, target, &failure);
    if (!source) {
        delete target;
        error = zip_error_code_zip(&failure);
        zip_error_fini(&failure);
        return nullptr;
    }
    zip_t *archive = zip_open_from_source(source, ZIP_CREATE | ZIP_TRUNCATE, &failure);
    if (!archive) {
        zip_source_free(source);
        error = zip_error_code_zip(&failure);
    }
    zip_error_fini(&failure);
    return archive;
}
