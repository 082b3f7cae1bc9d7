// When and where the antenna moves, as a pure function of the rotator's range, the
// operator's policy, where the antenna points now and where the target is:
//
// - a move only once the pointing error reaches the tolerance, so the rotator steps
//   instead of chattering; the error is the angle between the two directions on the
//   sky (a great circle), so near the zenith a big azimuth difference that points the
//   beam almost the same way moves nothing; a one-axis rotator counts its own axis only;
// - only in the move seconds, where set;
// - never below the lowest elevation (the operator's, never below the rotator's own);
// - never outside the range, narrowed by the operator's azimuth limits;
// - across north, of the azimuths that point the same way (az, az ± 360) the one inside
//   the range nearest to where the antenna is, so a rotator that turns beyond 360°
//   goes the short way without winding into its stop, and a 0…360 one goes the long
//   way only when it must.
#pragma once

#include <optional>
#include <string_view>

#include "common/az_el.h"
#include "rotator/rotator_connection.h"
#include "rotator/rotator_settings.h"

namespace selvora {

enum class NoMove {
    WithinTolerance,
    NotAMoveSecond,
    BelowLowestElevation,
    OutsideRange,
};

struct MoveDecision {
    std::optional<AzEl> command;  // in the rotator's own degrees; empty: no move
    std::optional<NoMove> why;    // set when there is no move
    friend bool operator==(const MoveDecision&, const MoveDecision&) = default;
};

// The range the antenna may use: the rotator's, narrowed by the operator's azimuth
// limits and lowest elevation.
RotatorRange allowedRange(const RotatorRange& rotator, const MovePolicy& policy);

// The angle between where the antenna points and the target, by the rotator's kind.
double pointingErrorDeg(RotatorKind kind, const AzEl& from, const AzEl& to);

// `current`: the position read back, in the rotator's degrees; empty while unknown,
// when any allowed target is commanded. `target`: azimuth 0…360 as azel.dat gives it.
MoveDecision decideMove(const RotatorRange& rotator, const MovePolicy& policy,
                        const std::optional<AzEl>& current, const AzEl& target, int secondOfMinute);

}  // namespace selvora
