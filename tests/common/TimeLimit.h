#pragma once

// Runs work that could hang (reading from a FIFO or a device) on a thread of
// its own, so that a test fails instead of stopping the whole run.

#include "common/SanitizerBuild.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <thread>

namespace TimeLimit {

// The result of `work`, or nothing when it has not finished within `limit`
// (ten times that under a sanitizer, which slows every step). A thread that
// is still running then is left behind, as it cannot be stopped, so `work`
// must own everything it uses (capture by value). The result is handed back
// through an atomic flag, which ThreadSanitizer sees (it cannot see into the
// standard library's futures, nor into its timed waits).
template <class Work>
auto resultWithin(std::chrono::milliseconds limit, Work work) -> std::optional<decltype(work())>
{
    using Result = decltype(work());
    struct Slot
    {
        std::optional<Result> result;
        std::atomic<bool> done {false};
    };
    auto slot = std::make_shared<Slot>();
    std::thread([slot, work = std::move(work)]() mutable {
        slot->result = work();
        slot->done.store(true, std::memory_order_release);
    }).detach();
    const auto deadline = std::chrono::steady_clock::now() + (SanitizerBuild::active ? limit * 10 : limit);
    while (!slot->done.load(std::memory_order_acquire)) {
        if (std::chrono::steady_clock::now() >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return std::move(slot->result);
}

} // namespace TimeLimit
