#include "rig/rig_tracker.h"

#include <algorithm>

#include "common/megahertz.h"

namespace selvora {

namespace {

// "10368.100130 MHz is outside the rig's range", or with a transverter
// "10368.100130 MHz is 144.100130 MHz at the rig, outside its range".
std::string outsideRange(std::int64_t shownHz, std::int64_t rigHz, bool transverter,
                         std::string_view range) {
    if (transverter && rigHz > 0)
        return mhzText(shownHz) + " is " + mhzText(rigHz) + " at the rig, outside its " +
               std::string(range);
    return mhzText(shownHz) + " is outside the rig's " + std::string(range);
}

}  // namespace

void RigTracker::step(TimePoint now, const WantedFigures& wanted, RigConnection& rig) {
    if (!wanted.figures) {
        status_ = {RigStatus::State::Waiting, wanted.notLiveReason};
        return;
    }
    if (now < retryAt_) {
        status_.state = RigStatus::State::NoAnswer;  // keeps the last failure's reason
        return;
    }
    if (!open_ && !openRig(now, rig)) return;
    const Wanted figures = figuresFor(wanted);
    const bool held = holdReason(now, figures, rig).has_value();
    if (RigError error = held ? keepAlive(now, rig) : sendChanges(now, figures, rig))
        return fail(now, std::move(error->message), rig);
    retryDelay_ = std::chrono::milliseconds{0};
    if (std::optional<std::string> why = holdReason(now, figures, rig))
        status_ = {RigStatus::State::Waiting, std::move(*why)};
    else
        tracking(figures);
}

void RigTracker::stop(RigConnection& rig) {
    rig.close();  // also frees a connection that failed to open
    open_ = false;
    forgetRig();
}

RigTracker::Wanted RigTracker::figuresFor(const WantedFigures& wanted) const {
    const std::int64_t loHz = transverterLoHz(transverters_, wanted.bandMHz);
    const RigFigures& shown = *wanted.figures;
    return {shown, RigFigures{shown.rxHz - loHz, shown.txHz - loHz}, loHz != 0};
}

// Why nothing is sent for these figures, if so.
std::optional<std::string> RigTracker::holdReason(TimePoint now, const Wanted& wanted,
                                                  const RigConnection& rig) const {
    const RigFigures& onRig = wanted.onRig;
    if (onRig.rxHz <= 0 || !rig.canReceive(onRig.rxHz))
        return outsideRange(wanted.shown.rxHz, onRig.rxHz, wanted.transverter, "range");
    const bool split = !rxOnly() && onRig.txHz != onRig.rxHz;
    if (split && (onRig.txHz <= 0 || !rig.canTransmit(onRig.txHz)))
        return "Tx " +
               outsideRange(wanted.shown.txHz, onRig.txHz, wanted.transverter, "transmit range");
    // Tried again later, or at once for another MHz (a new sked or band).
    if (refusedRx_ && refusedRx_->hz / kHzPerMHz == onRig.rxHz / kHzPerMHz &&
        now - refusedRx_->at < kRefusedRxRetry)
        return "the rig refused " + mhzText(refusedRx_->hz) + " (" + refusedRx_->message + ")";
    return std::nullopt;
}

RigError RigTracker::sendChanges(TimePoint now, const Wanted& wanted, RigConnection& rig) {
    const RigFigures& onRig = wanted.onRig;
    const bool splitWanted = onRig.txHz != onRig.rxHz;
    const bool rxChange = rxHz_ != onRig.rxHz;
    const bool splitChange = !rxOnly() && split_ != splitWanted;
    const bool txChange = !rxOnly() && splitWanted && (txHz_ != onRig.txHz || splitChange);
    if (!rxChange && !splitChange && !txChange) return keepAlive(now, rig);

    // Nothing while the rig transmits: a rig in split may have made the Tx VFO the
    // current one, so even the Rx figure could move the transmitter. All of it
    // follows on the first tick after. A rig that cannot tell is taken as receiving.
    const PttReading ptt = rig.ptt();
    if (ptt.error && !ptt.error->refused) return ptt.error;
    lastAnswer_ = now;
    if (ptt.transmitting) return std::nullopt;
    if (rxChange && !cannotSelectVfo_) {
        RigError error = send(rig.selectMainVfo());
        if (error && !error->refused) return error;
        cannotSelectVfo_ = error.has_value();
    }
    if (!rxOnly() && !splitWanted && split_ != false)
        if (RigError error = sendSplit(false, rig)) return error;
    if (rxChange) {
        if (RigError error = sendRx(now, wanted, rig)) return error;
        if (rxHz_ != onRig.rxHz) return std::nullopt;  // refused: hold the rest too
    }
    // Split first: before it is on, some backends put a split frequency on the main VFO.
    if (!rxOnly() && splitWanted && split_ != true)
        if (RigError error = sendSplit(true, rig)) return error;
    if (rxOnly() || !splitWanted || txHz_ == onRig.txHz) return std::nullopt;
    RigError error = send(rig.setSplitFrequency(onRig.txHz));
    if (!error) {
        txHz_ = onRig.txHz;
        shown_.txHz = wanted.shown.txHz;
        return std::nullopt;
    }
    if (!error->refused) return error;
    // Split on with a Tx VFO that no one tuned would transmit who knows where.
    cannotSplit_ = true;
    const RigError undone = send(rig.setSplit(false));
    return undone && !undone->refused ? undone : std::nullopt;
}

RigError RigTracker::sendSplit(bool on, RigConnection& rig) {
    RigError error = send(rig.setSplit(on));
    if (error && !error->refused) return error;
    if (error) {
        cannotSplit_ = true;
        split_.reset();
        return std::nullopt;
    }
    split_ = on;
    if (!on) {
        txHz_.reset();
        shown_.txHz.reset();
    }
    return std::nullopt;
}

RigError RigTracker::sendRx(TimePoint now, const Wanted& wanted, RigConnection& rig) {
    RigError error = send(rig.setFrequency(wanted.onRig.rxHz));
    if (error && !error->refused) return error;
    if (error) {
        refusedRx_ = RefusedRx{wanted.onRig.rxHz, now, std::move(error->message)};
        return std::nullopt;
    }
    refusedRx_.reset();
    rxHz_ = wanted.onRig.rxHz;
    shown_.rxHz = wanted.shown.rxHz;
    return std::nullopt;
}

// A cheap read now and then, so a rig or rigctld that went away is noticed while the
// figures hold still. The answer itself does not matter.
RigError RigTracker::keepAlive(TimePoint now, RigConnection& rig) {
    if (now - lastAnswer_ < kKeepAliveInterval) return std::nullopt;
    const PttReading ptt = rig.ptt();
    if (ptt.error && !ptt.error->refused) return ptt.error;
    lastAnswer_ = now;
    return std::nullopt;
}

RigError RigTracker::send(RigError result) {
    ++commandsSent_;
    return result;
}

void RigTracker::tracking(const Wanted& wanted) {
    const std::string_view note = cannotSelectVfo_ ? kCannotSelectVfoNote
                                  : cannotSplit_   ? kCannotSplitNote
                                                   : std::string_view{};
    status_ = {RigStatus::State::Tracking,
               {},
               std::string(note),
               wanted.transverter ? rxHz_ : std::nullopt};
}

bool RigTracker::openRig(TimePoint now, RigConnection& rig) {
    if (RigError error = rig.open()) {
        fail(now, std::move(error->message), rig);
        return false;
    }
    open_ = true;
    lastAnswer_ = now;
    cannotSplit_ = false;
    cannotSelectVfo_ = false;
    refusedRx_.reset();
    return true;
}

void RigTracker::forgetRig() {
    rxHz_.reset();
    txHz_.reset();
    split_.reset();
    shown_ = {};
}

void RigTracker::fail(TimePoint now, std::string reason, RigConnection& rig) {
    stop(rig);
    retryDelay_ = retryDelay_.count() == 0 ? kFirstRetry : std::min(retryDelay_ * 2, kLongestRetry);
    retryAt_ = now + retryDelay_;
    status_ = {RigStatus::State::NoAnswer, std::move(reason)};
}

}  // namespace selvora
