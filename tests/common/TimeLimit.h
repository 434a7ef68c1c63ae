#pragma once

// Runs work that could hang (reading from a FIFO or a device) on a thread of
// its own, so that a test fails instead of stopping the whole run.

#include "common/SanitizerBuild.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace TimeLimit {

// The result of `work`, or nothing when it has not finished within `limit`
// (ten times that under a sanitizer, which slows every step). A thread that
// is still running then is left behind, as it cannot be stopped, so `work`
// must own everything it uses (capture by value). The result comes back
// under a lock, which ThreadSanitizer sees (it cannot see into the standard
// library's futures).
template <class Work>
auto resultWithin(std::chrono::milliseconds limit, Work work) -> std::optional<decltype(work())>
{
    using Result = decltype(work());
    struct Slot
    {
        std::mutex lock;
        std::condition_variable ready;
        std::optional<Result> result;
    };
    auto slot = std::make_shared<Slot>();
    std::thread([slot, work = std::move(work)]() mutable {
        Result result = work();
        const std::lock_guard hold(slot->lock);
        slot->result = std::move(result);
        slot->ready.notify_all();
    }).detach();
    std::unique_lock hold(slot->lock);
    if (!slot->ready.wait_for(hold, SanitizerBuild::active ? limit * 10 : limit,
                              [&] { return slot->result.has_value(); }))
        return std::nullopt;
    return std::move(slot->result);
}

} // namespace TimeLimit
