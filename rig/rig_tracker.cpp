#include "rig/rig_tracker.h"

#include <algorithm>

namespace selvora {

void RigTracker::step(TimePoint now, const WantedFigures& wanted, RigConnection& rig) {
    if (!wanted.figures) {
        status_ = {RigStatus::State::Waiting, wanted.notLiveReason};
        return;
    }
    if (now < retryAt_) {
        status_.state = RigStatus::State::NoAnswer;  // keeps the last failure's reason
        return;
    }
    if (!open_) {
        if (RigError error = rig.open()) return fail(now, std::move(*error), rig);
        open_ = true;
    }
    if (RigError error = sendChanges(*wanted.figures, rig))
        return fail(now, std::move(*error), rig);
    retryDelay_ = std::chrono::milliseconds{0};
    status_ = {RigStatus::State::Tracking, {}};
}

void RigTracker::stop(RigConnection& rig) {
    rig.close();  // also frees a connection that failed to open
    open_ = false;
    forgetRig();
}

RigError RigTracker::sendChanges(const RigFigures& wanted, RigConnection& rig) {
    const bool splitWanted = wanted.txHz != wanted.rxHz;
    const bool rxChange = rxHz_ != wanted.rxHz;
    const bool splitChange = split_ != splitWanted;
    const bool txChange = splitWanted && (txHz_ != wanted.txHz || splitChange);
    if (!rxChange && !splitChange && !txChange) return std::nullopt;

    // Nothing while the rig transmits: a rig in split may have made the Tx VFO the
    // current one, so even the Rx figure could move the transmitter. All of it
    // follows on the first tick after.
    const PttReading ptt = rig.ptt();
    if (ptt.error) return ptt.error;
    if (ptt.transmitting) return std::nullopt;
    if (!splitWanted && splitChange) {
        if (RigError error = send(rig.setSplit(false))) return error;
        split_ = false;
        txHz_.reset();
    }
    if (rxChange) {
        if (RigError error = send(rig.setFrequency(wanted.rxHz))) return error;
        rxHz_ = wanted.rxHz;
    }
    // Split first: before it is on, some backends put a split frequency on the main VFO.
    if (splitWanted && splitChange) {
        if (RigError error = send(rig.setSplit(true))) return error;
        split_ = true;
    }
    if (txChange) {
        if (RigError error = send(rig.setSplitFrequency(wanted.txHz))) return error;
        txHz_ = wanted.txHz;
    }
    return std::nullopt;
}

RigError RigTracker::send(RigError result) {
    ++commandsSent_;
    return result;
}

void RigTracker::forgetRig() {
    rxHz_.reset();
    txHz_.reset();
    split_.reset();
}

void RigTracker::fail(TimePoint now, std::string reason, RigConnection& rig) {
    stop(rig);
    retryDelay_ = retryDelay_.count() == 0 ? kFirstRetry : std::min(retryDelay_ * 2, kLongestRetry);
    retryAt_ = now + retryDelay_;
    status_ = {RigStatus::State::NoAnswer, std::move(reason)};
}

}  // namespace selvora
