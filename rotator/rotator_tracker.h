// The rules for keeping the antenna on the target, as a plain state machine: each step
// gets the time, and the wanted pointing when a tick posted one, and makes at most a
// few calls through the connection it is given.
//
// - The position is read back about once a second, so the window shows where the
//   antenna is and a silent rotator is noticed within seconds.
// - A move is decided by the move policy from that position; a move under way is not
//   commanded again while the rotator heads for it, only after kArrivalWait without
//   arriving.
// - A move the rotator refuses (a soft error: out of its range, say) keeps it open; the
//   move is tried again after kRefusedRetry.
// - A rotator that fails is closed and tried again after 1 s, 2 s, 4 s ... at most 30 s;
//   once it answers, the target is sent again (it may have been restarted).
// - Stopped or parked, it commands nothing more until the next wanted pointing.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "common/az_el.h"
#include "rotator/move_policy.h"
#include "rotator/rotator_connection.h"
#include "rotator/rotator_settings.h"
#include "rotator/wanted_pointing.h"

namespace selvora {

struct RotatorStatus {
    enum class State {
        Off,       // no rotator
        Waiting,   // connected, not following: `reason` says why
        Tracking,  // following `body`
        Holding,   // following `body` but the target is out of reach: `hold` says why
        Refused,   // the rotator refused the last move: `reason` is its word
        NoAnswer,  // the rotator does not answer: `reason` says how
        Stopped,
        Parked,
    };
    State state = State::Off;
    std::string reason;
    PointAt body = PointAt::Moon;
    std::optional<NoMove> hold;         // BelowLowestElevation or OutsideRange
    double lowestElevationDeg = 0;      // the lowest the antenna goes, for "below 0°"
    std::optional<AzEl> position;       // read back, in the rotator's degrees
    std::optional<RotatorRange> range;  // the allowed range, once open
    friend bool operator==(const RotatorStatus&, const RotatorStatus&) = default;
};

inline constexpr std::chrono::milliseconds kRotatorFirstRetry{1000};
inline constexpr std::chrono::milliseconds kRotatorLongestRetry{30000};
inline constexpr std::chrono::milliseconds kPositionInterval{1000};
inline constexpr std::chrono::milliseconds kRefusedRetry{3000};
inline constexpr std::chrono::milliseconds kArrivalWait{20000};

class RotatorTracker {
  public:
    using TimePoint = std::chrono::steady_clock::time_point;

    explicit RotatorTracker(MovePolicy policy = {}) : policy_(policy) {}

    // `wanted`: a tick's new pointing, or none when the step only keeps up the
    // read-back. A wanted pointing after stop() or park() tracks again.
    void step(TimePoint now, const std::optional<WantedPointing>& wanted,
              RotatorConnection& rotator);
    // rot_stop; nothing more is commanded until the next wanted pointing.
    void stopAntenna(TimePoint now, RotatorConnection& rotator);
    void park(TimePoint now, RotatorConnection& rotator);
    // Closes the connection; the antenna stays where it is.
    void close(RotatorConnection& rotator);

    const RotatorStatus& status() const { return status_; }
    // Move, stop and park commands sent so far (not reads).
    std::uint64_t commandsSent() const { return commandsSent_; }

  private:
    bool ensureOpen(TimePoint now, RotatorConnection& rotator);
    bool readPosition(TimePoint now, RotatorConnection& rotator);
    void follow(TimePoint now, const WantedPointing& wanted, RotatorConnection& rotator);
    void fail(TimePoint now, const DeviceFailure& failure, RotatorConnection& rotator);

    MovePolicy policy_;
    bool open_ = false;
    bool resend_ = false;   // after a reconnect: send the target whatever the tolerance
    bool tracking_ = true;  // false once stopped or parked, until the next wanted pointing
    std::optional<AzEl> position_;
    std::optional<RotatorRange> range_;
    TimePoint lastRead_{};
    std::optional<AzEl> commanded_;  // the move under way
    TimePoint commandedAt_{};
    std::optional<TimePoint> refusedAt_;
    std::chrono::milliseconds retryDelay_{0};
    TimePoint retryAt_{};
    RotatorStatus status_;
    std::uint64_t commandsSent_ = 0;
};

}  // namespace selvora
