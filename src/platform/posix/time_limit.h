// Waiting a bounded time for a call into a service that may hang (winbind asking a domain
// controller that went away). The call runs on a thread of its own; one that overruns is
// abandoned, not stopped: it finishes later into state it shares with nobody who waits.
#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

namespace vtx::platform {

// The result of `work()`, or nothing when it did not finish within `limit`.
template <class Work>
auto within_limit(std::chrono::milliseconds limit, Work work) -> std::optional<decltype(work())> {
    using Result = decltype(work());
    struct Shared {
        std::mutex lock;
        std::condition_variable finished;
        std::optional<Result> result;
    };
    auto shared = std::make_shared<Shared>();
    std::thread([shared, work = std::move(work)]() mutable {
        Result r = work();
        std::lock_guard<std::mutex> hold(shared->lock);
        shared->result = std::move(r);
        shared->finished.notify_one();
    }).detach();
    std::unique_lock<std::mutex> hold(shared->lock);
    shared->finished.wait_for(hold, limit, [&] { return shared->result.has_value(); });
    return std::move(shared->result);
}

} // namespace vtx::platform
