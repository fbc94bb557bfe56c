#include "servedsync.h"

#include "doevents.h"
#include "platform.h"

#include <cerrno>
#include <chrono>
#include <future>
#include <utility>

bool SyncToDiskServingEvents(int fd) {
    auto sync = std::async(std::launch::async, [fd] {
        errno = 0;
        const bool synced = platform::SyncToDisk(fd);
        return std::pair<bool, int>(synced, errno);
    });
    do {
        DoEvents();
    } while (sync.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready);
    const auto [synced, error] = sync.get();
    errno = error;
    return synced;
}
