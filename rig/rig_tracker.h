// The rules for keeping a rig on the wanted figures, as a plain state machine: each
// step gets the time and the figures of one tick, and sends at most one batch of
// commands through the connection it is given.
//
// - Only live figures are sent, and only what changed since the rig last took it: a
//   frequency the operator tuned by hand is not fought.
// - Rx goes to the main VFO, selected first; Tx through split when it differs from Rx,
//   split off when not. A transverter's LO for the band is taken off both.
// - While the rig transmits nothing is sent (in split the current VFO may be the Tx
//   one); it all follows on the first step after. The transmitter is never keyed or
//   unkeyed.
// - A figure outside the rig's ranges is not sent; the status says why.
// - A command the rig refuses keeps it open: a rig that cannot split (or select its
//   main VFO) is tracked on Rx alone, and the refused command is not asked again until
//   a reconnect; a refused Rx figure holds the rig where it is.
// - While nothing needs sending, the PTT is read every few seconds, so a rig that went
//   away is noticed.
// - A rig that fails is closed and tried again after 1 s, 2 s, 4 s ... at most 30 s;
//   once it answers, everything is sent again (it may have been turned or restarted).
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "rig/rig_connection.h"
#include "rig/rig_figures.h"
#include "rig/transverter.h"

namespace selvora {

struct RigStatus {
    enum class State { Waiting, Tracking, NoAnswer };
    State state = State::Waiting;
    std::string reason;  // why waiting, or why the rig does not answer
    // While tracking, what the rig does not follow: ", Rx only — the rig cannot split".
    std::string note;
    // The rig's own Rx frequency, when a transverter's LO is taken off the shown one.
    std::optional<std::int64_t> rigRxHz;
    friend bool operator==(const RigStatus&, const RigStatus&) = default;
};

// The shown figures (before any transverter's LO) the rig last took: a band WSJT-X
// reads back from the rig's dial is the echo of these.
struct ShownOnRig {
    std::optional<std::int64_t> rxHz;
    std::optional<std::int64_t> txHz;  // only while in split
    friend bool operator==(const ShownOnRig&, const ShownOnRig&) = default;
};

inline constexpr std::chrono::milliseconds kFirstRetry{1000};
inline constexpr std::chrono::milliseconds kLongestRetry{30000};
// Within this a lost rig shows, with the tick and a network time-out on top.
inline constexpr std::chrono::milliseconds kKeepAliveInterval{3000};
// A refused Rx figure is tried again after this, or at once on another MHz.
inline constexpr std::chrono::milliseconds kRefusedRxRetry{30000};

inline constexpr std::string_view kCannotSplitNote = ", Rx only — the rig cannot split";
inline constexpr std::string_view kCannotSelectVfoNote =
    ", Rx only on the VFO in use — the rig cannot select its main VFO";

class RigTracker {
  public:
    using TimePoint = std::chrono::steady_clock::time_point;

    void step(TimePoint now, const WantedFigures& wanted, RigConnection& rig);
    // Closes the connection; the rig stays where it is.
    void stop(RigConnection& rig);
    // Takes effect on the next step: the figures on the rig move by the LO's change.
    void setTransverters(TransverterOffsets offsets) { transverters_ = std::move(offsets); }

    const RigStatus& status() const { return status_; }
    const ShownOnRig& shownOnRig() const { return shown_; }
    // Frequency, VFO and split commands sent so far (not reads).
    std::uint64_t commandsSent() const { return commandsSent_; }

  private:
    struct Wanted {
        RigFigures shown;
        RigFigures onRig;  // less the transverter's LO
        bool transverter = false;
    };
    struct RefusedRx {
        std::int64_t hz;
        TimePoint at;
        std::string message;
    };

    Wanted figuresFor(const WantedFigures& wanted) const;
    bool rxOnly() const { return cannotSplit_ || cannotSelectVfo_; }
    std::optional<std::string> holdReason(TimePoint now, const Wanted& wanted,
                                          const RigConnection& rig) const;
    RigError sendChanges(TimePoint now, const Wanted& wanted, RigConnection& rig);
    RigError sendSplit(bool on, RigConnection& rig);
    RigError sendRx(TimePoint now, const Wanted& wanted, RigConnection& rig);
    RigError keepAlive(TimePoint now, RigConnection& rig);
    RigError send(RigError result);
    void tracking(const Wanted& wanted);
    bool openRig(TimePoint now, RigConnection& rig);
    void forgetRig();
    void fail(TimePoint now, std::string reason, RigConnection& rig);

    TransverterOffsets transverters_;
    bool open_ = false;
    TimePoint lastAnswer_{};
    // What the rig last took from us, as sent; empty when unknown.
    std::optional<std::int64_t> rxHz_;
    std::optional<std::int64_t> txHz_;
    std::optional<bool> split_;
    ShownOnRig shown_;
    // Refusals, kept until a reconnect.
    bool cannotSplit_ = false;
    bool cannotSelectVfo_ = false;
    std::optional<RefusedRx> refusedRx_;
    std::chrono::milliseconds retryDelay_{0};
    TimePoint retryAt_{};
    RigStatus status_;
    std::uint64_t commandsSent_ = 0;
};

}  // namespace selvora
