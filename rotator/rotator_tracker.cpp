#include "rotator/rotator_tracker.h"

#include <algorithm>
#include <utility>

namespace selvora {

void RotatorTracker::step(TimePoint now, const std::optional<WantedPointing>& wanted,
                          RotatorConnection& rotator) {
    if (wanted) {
        tracking_ = true;
        status_.body = wanted->body;
    }
    if (now < retryAt_) {
        status_.state = RotatorStatus::State::NoAnswer;  // keeps the last failure's reason
        return;
    }
    if (!ensureOpen(now, rotator)) return;
    if ((!position_ || now - lastRead_ >= kPositionInterval) && !readPosition(now, rotator)) return;
    // Moves are decided on a tick's pointing only: its second of the minute is fresh.
    if (tracking_ && wanted) follow(now, *wanted, rotator);
}

void RotatorTracker::stopAntenna(TimePoint now, RotatorConnection& rotator) {
    tracking_ = false;
    commanded_.reset();
    if (!ensureOpen(now, rotator)) return;
    ++commandsSent_;
    if (RotatorError error = rotator.stop()) {
        if (!error->refused) return fail(now, *error, rotator);
        status_.state = RotatorStatus::State::Refused;
        status_.reason = error->message;
        return;
    }
    status_.state = RotatorStatus::State::Stopped;
    status_.reason.clear();
}

void RotatorTracker::park(TimePoint now, RotatorConnection& rotator) {
    tracking_ = false;
    commanded_.reset();
    if (!ensureOpen(now, rotator)) return;
    ++commandsSent_;
    if (RotatorError error = rotator.park()) {
        if (!error->refused) return fail(now, *error, rotator);
        status_.state = RotatorStatus::State::Refused;
        status_.reason = error->message;
        return;
    }
    status_.state = RotatorStatus::State::Parked;
    status_.reason.clear();
}

void RotatorTracker::close(RotatorConnection& rotator) {
    rotator.close();  // also frees a connection that failed to open
    open_ = false;
}

bool RotatorTracker::ensureOpen(TimePoint now, RotatorConnection& rotator) {
    if (open_) return true;
    if (RotatorError error = rotator.open()) {
        fail(now, *error, rotator);
        return false;
    }
    open_ = true;
    range_ = allowedRange(rotator.range(), policy_);
    status_.range = range_;
    status_.lowestElevationDeg = range_->minElevationDeg;
    position_.reset();
    if (status_.state == RotatorStatus::State::Off ||
        status_.state == RotatorStatus::State::NoAnswer) {
        status_.state = RotatorStatus::State::Waiting;
        status_.reason.clear();
    }
    return true;
}

bool RotatorTracker::readPosition(TimePoint now, RotatorConnection& rotator) {
    const PositionReading reading = rotator.position();
    if (reading.error && !reading.error->refused) {
        fail(now, *reading.error, rotator);
        return false;
    }
    lastRead_ = now;
    if (!reading.error) {
        position_ = reading.position;
        status_.position = position_;
        retryDelay_ = std::chrono::milliseconds{0};
    }
    return true;
}

void RotatorTracker::follow(TimePoint now, const WantedPointing& wanted,
                            RotatorConnection& rotator) {
    using State = RotatorStatus::State;
    if (!wanted.target) {
        status_.state = State::Waiting;
        status_.reason = wanted.notLiveReason;
        return;
    }
    // After a reconnect the target goes out again, however near the antenna reads:
    // the rotator may have been restarted and forgotten it.
    MovePolicy policy = policy_;
    if (resend_) policy.toleranceDeg = 0;
    const MoveDecision decision =
        decideMove(*range_, policy, position_, *wanted.target, wanted.secondOfMinute);
    if (!decision.command) {
        const NoMove why = *decision.why;
        if (why == NoMove::BelowLowestElevation || why == NoMove::OutsideRange) {
            status_.state = State::Holding;
            status_.hold = why;
            return;
        }
        if (why == NoMove::WithinTolerance) {
            commanded_.reset();
            resend_ = false;
        }
        if (status_.state != State::Refused || why == NoMove::WithinTolerance) {
            status_.state = State::Tracking;
            status_.reason.clear();
        }
        return;
    }
    const AzEl& command = *decision.command;
    // A move under way to (nearly) the same place is left to arrive.
    if (!resend_ && commanded_ && now - commandedAt_ < kArrivalWait &&
        pointingErrorDeg(range_->kind, *commanded_, command) < policy_.toleranceDeg) {
        status_.state = State::Tracking;
        return;
    }
    if (refusedAt_ && now - *refusedAt_ < kRefusedRetry) return;
    ++commandsSent_;
    if (RotatorError error = rotator.setPosition(command)) {
        if (!error->refused) return fail(now, *error, rotator);
        refusedAt_ = now;
        commanded_.reset();
        status_.state = State::Refused;
        status_.reason = error->message;
        return;
    }
    commanded_ = command;
    commandedAt_ = now;
    refusedAt_.reset();
    resend_ = false;
    status_.state = State::Tracking;
    status_.reason.clear();
}

void RotatorTracker::fail(TimePoint now, const DeviceFailure& failure, RotatorConnection& rotator) {
    close(rotator);
    retryDelay_ = retryDelay_.count() == 0 ? kRotatorFirstRetry
                                           : std::min(retryDelay_ * 2, kRotatorLongestRetry);
    retryAt_ = now + retryDelay_;
    commanded_.reset();
    refusedAt_.reset();
    resend_ = true;
    status_.state = RotatorStatus::State::NoAnswer;
    status_.reason = failure.message;
}

}  // namespace selvora
