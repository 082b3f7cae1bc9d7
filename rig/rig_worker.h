// The thread that owns the rig connection. The window's tick hands it the latest
// wanted figures through a one-slot mailbox (the newest replaces any not yet taken,
// so nothing piles up while the rig is slow) and never waits for the rig. The worker
// is started once; a new rig or transverter table reaches it through the mailbox too.
//
// The thread owns its state, so the worker can be let go while a rig call hangs: the
// process may end with the thread still blocked in it.
#pragma once

#include <chrono>
#include <functional>
#include <memory>

#include "rig/rig_connection.h"
#include "rig/rig_tracker.h"
#include "rig/transverter.h"

namespace selvora {

struct RigSetup {
    std::unique_ptr<RigConnection> connection;  // null: no rig, nothing is opened
    TransverterOffsets transverters;
};

// A rig call in flight this long shows as "waiting for the rig".
inline constexpr std::chrono::milliseconds kStalledCall{3000};
inline constexpr std::string_view kStalledReason = "waiting for the rig";
// How long letting the worker go waits for the rig to be closed cleanly.
inline constexpr std::chrono::milliseconds kCloseGrace{300};

class RigWorker {
  public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // No rig until configure(); `clock` tells how long a call has been in flight.
    explicit RigWorker(Clock clock = std::chrono::steady_clock::now);
    explicit RigWorker(std::unique_ptr<RigConnection> connection,
                       Clock clock = std::chrono::steady_clock::now);
    // Closes the connection, leaving the rig as it is, if the rig lets it within
    // kCloseGrace; else returns and leaves the thread to end on its own.
    ~RigWorker();
    RigWorker(const RigWorker&) = delete;
    RigWorker& operator=(const RigWorker&) = delete;

    // Returns at once. On its next step the worker closes the rig in use (the rig stays
    // where it is) and tracks with this one; everything is sent to it afresh.
    void configure(RigSetup setup);
    // One tick's figures; returns at once.
    void post(WantedFigures wanted);

    // Waiting with kStalledReason while a rig call has been in flight for kStalledCall.
    RigStatus status() const;
    ShownOnRig shownOnRig() const;
    std::uint64_t commandsSent() const;
    // Ticks' figures taken so far (tests wait on it).
    std::uint64_t stepsTaken() const;

  private:
    struct Shared;
    static void run(const std::shared_ptr<Shared>& shared);

    std::shared_ptr<Shared> shared_;
};

}  // namespace selvora
