#pragma once

// Runs work that could hang (reading from a FIFO or a device) on a thread of
// its own, so that a test fails instead of stopping the whole run.

#include <chrono>
#include <future>
#include <memory>
#include <optional>
#include <thread>

namespace TimeLimit {

// The result of `work`, or nothing when it has not finished within `limit`.
// A thread that is still running then is left behind, as it cannot be
// stopped, so `work` must own everything it uses (capture by value).
template <class Work>
auto resultWithin(std::chrono::milliseconds limit, Work work) -> std::optional<decltype(work())>
{
    using Result = decltype(work());
    auto promise = std::make_shared<std::promise<Result>>();
    std::future<Result> future = promise->get_future();
    std::thread([promise, work = std::move(work)]() mutable { promise->set_value(work()); }).detach();
    if (future.wait_for(limit) != std::future_status::ready)
        return std::nullopt;
    return future.get();
}

}
