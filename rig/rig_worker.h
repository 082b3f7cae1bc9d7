// The thread that owns the rig connection. The window's tick hands it the latest
// wanted figures through a one-slot mailbox (the newest replaces any not yet taken,
// so nothing piles up while the rig is slow) and never waits for the rig.
#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "rig/rig_connection.h"
#include "rig/rig_tracker.h"

namespace selvora {

class RigWorker {
  public:
    explicit RigWorker(std::unique_ptr<RigConnection> connection);
    // Waits for the command in flight, closes the connection, leaves the rig as it is.
    ~RigWorker();
    RigWorker(const RigWorker&) = delete;
    RigWorker& operator=(const RigWorker&) = delete;

    // One tick's figures; returns at once.
    void post(WantedFigures wanted);

    RigStatus status() const;
    std::uint64_t commandsSent() const;
    // Steps taken so far (tests wait on it).
    std::uint64_t stepsTaken() const;

  private:
    void run();
    std::optional<WantedFigures> takeMailbox();

    std::unique_ptr<RigConnection> connection_;
    RigTracker tracker_;  // only the worker thread touches it

    mutable std::mutex mutex_;  // guards everything below
    std::condition_variable wake_;
    std::optional<WantedFigures> mailbox_;
    bool stopping_ = false;
    RigStatus status_;
    std::uint64_t commandsSent_ = 0;
    std::uint64_t stepsTaken_ = 0;

    std::thread thread_;  // last: starts once the rest exists
};

}  // namespace selvora
