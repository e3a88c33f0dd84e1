#pragma once

#include <atomic>
#include <chrono>
#include <exception>
#include <functional>
#include <future>
#include <memory>
#include <optional>

namespace wb {

/// Keeps work that was given up until it ends, at the latest when the program ends, so that nothing it
/// uses is destroyed under it.
void keepAbandoned(std::future<void> work);

/// Runs work(stop) on a worker thread while the calling thread runs poll() every tick; poll returns false
/// to give up. Then stop is set and runAside returns nothing at once: the work ends by itself later, so it
/// must own what it uses. The work's exception reaches the caller.
template <typename Result>
std::optional<Result> runAside(std::function<Result(const std::atomic<bool>& stop)> work,
    const std::function<bool()>& poll, std::chrono::milliseconds tick)
{
    struct Slot {
        std::atomic<bool> stop { false };
        std::optional<Result> result;
        std::exception_ptr error;
    };
    auto slot = std::make_shared<Slot>();
    std::future<void> done = std::async(std::launch::async, [slot, work = std::move(work)] {
        try {
            slot->result.emplace(work(slot->stop));
        } catch (...) {
            slot->error = std::current_exception();
        }
    });
    while (done.wait_for(tick) != std::future_status::ready) {
        if (!poll()) {
            slot->stop = true;
            keepAbandoned(std::move(done));
            return std::nullopt;
        }
    }
    done.get();
    if (slot->error)
        std::rethrow_exception(slot->error);
    return std::move(slot->result);
}

} // namespace wb
