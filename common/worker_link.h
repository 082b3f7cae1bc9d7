// What a station device's worker thread and the window's side share besides their
// figures: one lock and one wake-up, the call in flight (so a stalled device shows), and
// the letting go (the window waits a short grace for the device to be closed, never for
// a hanging call). A worker's own shared state derives from it.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <utility>

namespace selvora {

struct WorkerLink {
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    explicit WorkerLink(Clock c) : clock(std::move(c)) {}

    const Clock clock;
    mutable std::mutex mutex;  // guards everything below, and all a worker adds
    std::condition_variable wake;
    bool stopping = false;
    bool finished = false;
    std::optional<std::chrono::steady_clock::time_point> callStarted;  // a call in flight

    // The window's side: `change` made under the lock, and the thread woken to see it.
    template <typename Change>
    void tell(Change change) {
        const std::lock_guard lock(mutex);
        change();
        wake.notify_all();
    }

    // Under the lock: a call has been in flight for `limit` or longer.
    bool stalled(std::chrono::milliseconds limit) const {
        return callStarted && clock() - *callStarted >= limit;
    }

    // The window's side, once: the thread told to stop, waited for up to `grace`.
    void letGo(std::chrono::milliseconds grace) {
        std::unique_lock lock(mutex);
        stopping = true;
        wake.notify_all();
        wake.wait_for(lock, grace, [&] { return finished; });
    }

    // The thread's last act, once its device is closed.
    void finish() {
        const std::lock_guard lock(mutex);
        finished = true;
        wake.notify_all();
    }
};

}  // namespace selvora
