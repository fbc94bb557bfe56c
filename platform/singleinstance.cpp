#include "platform.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace platform {

namespace {

QString LockFolder() {
#ifdef Q_OS_WIN
    // The runtime location on Windows is the home folder; the temporary folder is per user too.
    return QDir::tempPath();
#else
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
#endif
}

QString LockFileName(const QString &name) {
    QString safe = name;
    for (QChar &c : safe)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':'))
            c = QLatin1Char('_');
    return QDir(LockFolder()).filePath(safe + QStringLiteral(".lock"));
}

} // namespace

struct SingleInstanceLock::Impl {
    explicit Impl(const QString &name) : file(LockFileName(name)) {
        // Never stale by age: a long-running instance keeps its lock. A lock left by a process
        // that died is still recognised and taken over.
        file.setStaleLockTime(0);
    }
    QLockFile file;
};

SingleInstanceLock::SingleInstanceLock(const QString &name) : impl(std::make_unique<Impl>(name)) {}

SingleInstanceLock::~SingleInstanceLock() = default;

bool SingleInstanceLock::TryAcquire() {
    return impl->file.isLocked() || impl->file.tryLock(0);
}

bool SingleInstanceLock::IsHeld() const {
    return impl->file.isLocked();
}

} // namespace platform
