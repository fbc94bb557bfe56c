#include "platform.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace platform {

namespace {

// The access time is the copy's own; only the modification time says what the data is.
struct Times {
    struct timespec values[2];
};
Times TimesOf(const FileState &state) {
    qint64 seconds = state.modified / 1000000000;
    qint64 nanoseconds = state.modified % 1000000000;
    if (nanoseconds < 0) {
        --seconds;
        nanoseconds += 1000000000;
    }
    return {{{0, UTIME_OMIT}, {time_t(seconds), long(nanoseconds)}}};
}

mode_t ModeOf(const FileState &state) {
    return mode_t(KeptMode(state.mode));
}

} // namespace

bool ApplyModeAndTime(int descriptor, const FileState &state) {
    const Times times = TimesOf(state);
    const bool moded = ::fchmod(descriptor, ModeOf(state)) == 0;
    return ::futimens(descriptor, times.values) == 0 && moded;
}

} // namespace platform
