#include "presenters/WorkAside.h"

#include <mutex>
#include <vector>

namespace wb {

void keepAbandoned(std::future<void> work)
{
    // Destroyed at program end, before the statics the work may use: each future waits for its work.
    static std::mutex guard;
    static std::vector<std::future<void>> kept;
    std::lock_guard lock(guard);
    std::erase_if(kept, [](const std::future<void>& done) {
        return done.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    });
    kept.push_back(std::move(work));
}

} // namespace wb
