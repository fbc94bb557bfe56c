#pragma once
// Untested: written for the Windows build, never compiled here.
// Paths handed to the wide Win32 calls, and the start of the system's file times.

#include <QDir>
#include <QString>

#include <windows.h>

namespace platform {

// 100-nanosecond ticks from 1601-01-01 to 1970-01-01.
constexpr qint64 UnixEpochTicks = 116444736000000000LL;

// Keeps the converted text alive for the duration of the call it is passed to.
class WidePath {
public:
    explicit WidePath(const QString &path) : text(QDir::toNativeSeparators(path)) {}
    LPCWSTR get() const { return reinterpret_cast<LPCWSTR>(text.utf16()); }

private:
    QString text;
};

} // namespace platform
