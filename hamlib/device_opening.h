// Opening a Hamlib device (rig_open, rot_open) without letting it hang the caller, and
// how long a device may take, the same for every kind. `Device` tells the handle and
// its calls: `using Handle = RIG;` and static `int open(Handle*)`, `void close(Handle*)`
// and `void cleanup(Handle*)`.
#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

#include "hamlib/hamlib_codes.h"

namespace selvora {

// A shared rigctld or rotctld answers slowly only when its device does; the window must
// not wait Hamlib's 10 s (and 10 s more on closing) to learn that it is gone. Hamlib 4.6
// puts NET rigctl's own 10 s back when it opens, so these are set again once it is open;
// `timeout_retry` (rigs, Hamlib 4.6 only) would read each answer twice.
inline constexpr const char* kNetworkTimeoutMs = "1500";
inline constexpr const char* kNetworkRetries = "0";
inline constexpr const char* kNetworkTimeoutRetries = "0";

// How long an open may take before the device counts as silent. Hamlib 4.6 opens NET
// rigctl with three exchanges of 10 s each whatever time-out it was given, so the open
// is not left to Hamlib's time-outs alone.
inline constexpr std::chrono::milliseconds kOpenDeadline{3000};
inline constexpr const char* kSilentDevice = "Communication timed out";

// The open on a thread of its own, waited for until a deadline. An open that overruns
// goes on alone: the next wait takes its device if it opened after all, so one device is
// never opened twice at once (a serial port held by the first open would refuse the
// second). Given up for good, the thread cleans the device up itself when Hamlib returns.
template <typename Device>
class DeviceOpening {
  public:
    using Handle = typename Device::Handle;

    explicit DeviceOpening(Handle* handle) : state_(std::make_shared<State>(handle)) {
        std::thread([state = state_] {
            const int code = Device::open(state->handle);
            const std::lock_guard lock(state->mutex);
            state->code = code;
            if (state->givenUp) cleanUp(std::exchange(state->handle, nullptr), code);
            state->done.notify_all();
        }).detach();
    }
    ~DeviceOpening() {
        const std::lock_guard lock(state_->mutex);
        if (state_->code)
            cleanUp(state_->handle, *state_->code);
        else
            state_->givenUp = true;
    }
    DeviceOpening(const DeviceOpening&) = delete;
    DeviceOpening& operator=(const DeviceOpening&) = delete;

    // The open's result, or nullopt while it has not returned by `deadline`.
    std::optional<int> waitUntil(std::chrono::steady_clock::time_point deadline) {
        std::unique_lock lock(state_->mutex);
        state_->done.wait_until(lock, deadline, [&] { return state_->code.has_value(); });
        return state_->code;
    }

    // Once waitUntil() has a result: the device, now the caller's to close and clean up.
    Handle* take() {
        const std::lock_guard lock(state_->mutex);
        state_->code.reset();
        return std::exchange(state_->handle, nullptr);
    }

  private:
    struct State {
        explicit State(Handle* h) : handle(h) {}
        std::mutex mutex;  // guards all below
        std::condition_variable done;
        Handle* handle;
        std::optional<int> code;
        bool givenUp = false;
    };

    static void cleanUp(Handle* handle, int code) {
        if (handle == nullptr) return;
        if (hamlibOutcome(code) == HamlibOutcome::Done) Device::close(handle);
        Device::cleanup(handle);
    }

    std::shared_ptr<State> state_;
};

}  // namespace selvora
