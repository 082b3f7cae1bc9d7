// The rules for keeping a rig on the wanted figures, as a plain state machine: each
// step gets the time and the figures of one tick, and sends at most one batch of
// commands through the connection it is given.
//
// - Only live figures are sent, and only what changed since the rig last took it.
// - Rx goes to the main VFO; Tx through split when it differs from Rx, split off when not.
// - While the rig transmits nothing is sent (in split the current VFO may be the Tx
//   one); it all follows on the first step after. The transmitter is never keyed or
//   unkeyed.
// - A rig that fails is closed and tried again after 1 s, 2 s, 4 s ... at most 30 s;
//   once it answers, everything is sent again (it may have been turned or restarted).
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "rig/rig_connection.h"
#include "rig/rig_figures.h"

namespace selvora {

struct RigStatus {
    enum class State { Waiting, Tracking, NoAnswer };
    State state = State::Waiting;
    std::string reason;  // why waiting, or why the rig does not answer
    friend bool operator==(const RigStatus&, const RigStatus&) = default;
};

inline constexpr std::chrono::milliseconds kFirstRetry{1000};
inline constexpr std::chrono::milliseconds kLongestRetry{30000};

class RigTracker {
  public:
    using TimePoint = std::chrono::steady_clock::time_point;

    void step(TimePoint now, const WantedFigures& wanted, RigConnection& rig);
    // Closes the connection; the rig stays where it is.
    void stop(RigConnection& rig);

    const RigStatus& status() const { return status_; }
    // Frequency and split commands sent so far (not reads).
    std::uint64_t commandsSent() const { return commandsSent_; }

  private:
    RigError sendChanges(const RigFigures& wanted, RigConnection& rig);
    RigError send(RigError result);
    void forgetRig();
    void fail(TimePoint now, std::string reason, RigConnection& rig);

    bool open_ = false;
    // What the rig last took from us; empty when unknown.
    std::optional<std::int64_t> rxHz_;
    std::optional<std::int64_t> txHz_;
    std::optional<bool> split_;
    std::chrono::milliseconds retryDelay_{0};
    TimePoint retryAt_{};
    RigStatus status_;
    std::uint64_t commandsSent_ = 0;
};

}  // namespace selvora
