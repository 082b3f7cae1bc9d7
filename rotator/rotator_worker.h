// The thread that owns the rotator connection. The window's tick hands it the latest
// wanted pointing through a one-slot mailbox (the newest replaces any not yet taken)
// and never waits for the rotator; between ticks the thread wakes by itself to read
// the position back and to reconnect.
//
// The thread owns its state, so the worker can be let go while a rotator call hangs:
// the process may end with the thread still blocked in it.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "rotator/move_policy.h"
#include "rotator/rotator_connection.h"
#include "rotator/rotator_tracker.h"
#include "rotator/wanted_pointing.h"

namespace selvora {

struct RotatorSetup {
    std::unique_ptr<RotatorConnection> connection;  // null: no rotator, nothing is opened
    MovePolicy policy;
};

// A rotator call in flight this long shows as "waiting for the rotator".
inline constexpr std::chrono::milliseconds kRotatorStalledCall{3000};
inline constexpr std::string_view kRotatorStalledReason = "waiting for the rotator";
// How long letting the worker go waits for the rotator to be closed cleanly.
inline constexpr std::chrono::milliseconds kRotatorCloseGrace{300};
// How often the thread wakes by itself.
inline constexpr std::chrono::milliseconds kRotatorWake{250};

class RotatorWorker {
  public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // No rotator until configure(); `clock` tells the tracker's time.
    explicit RotatorWorker(Clock clock = std::chrono::steady_clock::now);
    // Closes the connection, leaving the antenna where it is, if the rotator lets it
    // within kRotatorCloseGrace; else returns and leaves the thread to end on its own.
    ~RotatorWorker();
    RotatorWorker(const RotatorWorker&) = delete;
    RotatorWorker& operator=(const RotatorWorker&) = delete;

    // Returns at once. On its next step the worker closes the rotator in use (the
    // antenna stays where it is) and tracks with this one.
    void configure(RotatorSetup setup);
    // One tick's pointing; returns at once. Tracks again after stopAntenna() or park().
    void post(WantedPointing wanted);
    // Returns at once: rot_stop, and nothing more commanded until the next post();
    // a pointing posted before and not yet taken is dropped.
    void stopAntenna();
    // Returns at once: rot_park, then as stopAntenna().
    void park();

    // Waiting with kRotatorStalledReason while a call has been in flight for
    // kRotatorStalledCall.
    RotatorStatus status() const;
    std::uint64_t commandsSent() const;
    // Ticks' pointings taken so far (tests wait on it).
    std::uint64_t stepsTaken() const;

  private:
    struct Shared;
    static void run(const std::shared_ptr<Shared>& shared);

    std::shared_ptr<Shared> shared_;
};

}  // namespace selvora
