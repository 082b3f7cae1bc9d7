#include "rotator/move_policy.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace selvora {

namespace {

constexpr double kDegrees = std::numbers::pi / 180.0;

// An azimuth as a bearing from 0 up to 360.
double bearing(double azimuthDeg) {
    const double wrapped = std::fmod(azimuthDeg, 360.0);
    return wrapped < 0 ? wrapped + 360.0 : wrapped;
}

// The smaller angle between two bearings, 0…180.
double azimuthGapDeg(double a, double b) {
    const double gap = std::fabs(bearing(a) - bearing(b));
    return std::min(gap, 360.0 - gap);
}

// Of the azimuths that point as `target` does, the one inside [min, max] nearest to
// `from`; none when no turn of it lies inside.
std::optional<double> reachableAzimuth(double target, double from, double minDeg, double maxDeg) {
    const double base = bearing(target);
    std::optional<double> best;
    for (const double turns : {-2.0, -1.0, 0.0, 1.0, 2.0}) {
        const double candidate = base + 360.0 * turns;
        if (candidate < minDeg || candidate > maxDeg) continue;
        if (!best || std::fabs(candidate - from) < std::fabs(*best - from)) best = candidate;
    }
    return best;
}

MoveDecision noMove(NoMove why) {
    return {std::nullopt, why};
}

}  // namespace

RotatorRange allowedRange(const RotatorRange& rotator, const MovePolicy& policy) {
    RotatorRange allowed = rotator;
    if (policy.minAzimuthDeg)
        allowed.minAzimuthDeg = std::max(allowed.minAzimuthDeg, *policy.minAzimuthDeg);
    if (policy.maxAzimuthDeg)
        allowed.maxAzimuthDeg = std::min(allowed.maxAzimuthDeg, *policy.maxAzimuthDeg);
    allowed.minElevationDeg = std::max(allowed.minElevationDeg, policy.minElevationDeg);
    return allowed;
}

// The angle on the sky: an azimuth step counts for less the higher the antenna looks,
// which is what moves the beam off the moon.
double pointingErrorDeg(RotatorKind kind, const AzEl& from, const AzEl& to) {
    switch (kind) {
        case RotatorKind::AzimuthOnly:
            return azimuthGapDeg(from.azimuthDeg, to.azimuthDeg);
        case RotatorKind::ElevationOnly:
            return std::fabs(from.elevationDeg - to.elevationDeg);
        case RotatorKind::AzEl:
            break;
    }
    const double el1 = from.elevationDeg * kDegrees;
    const double el2 = to.elevationDeg * kDegrees;
    const double dAz = (to.azimuthDeg - from.azimuthDeg) * kDegrees;
    // The haversine form keeps its digits for the small angles a tolerance is about.
    const double h = std::pow(std::sin((el2 - el1) / 2), 2) +
                     std::cos(el1) * std::cos(el2) * std::pow(std::sin(dAz / 2), 2);
    return 2 * std::asin(std::sqrt(std::clamp(h, 0.0, 1.0))) / kDegrees;
}

MoveDecision decideMove(const RotatorRange& rotator, const MovePolicy& policy,
                        const std::optional<AzEl>& current, const AzEl& target,
                        int secondOfMinute) {
    const RotatorRange range = allowedRange(rotator, policy);
    const bool turnsAzimuth = range.kind != RotatorKind::ElevationOnly;
    const bool turnsElevation = range.kind != RotatorKind::AzimuthOnly;

    // Below the lowest elevation the antenna waits where it is, whatever its axes.
    if (target.elevationDeg < range.minElevationDeg) return noMove(NoMove::BelowLowestElevation);
    if (turnsElevation && target.elevationDeg > range.maxElevationDeg)
        return noMove(NoMove::OutsideRange);

    AzEl command{range.minAzimuthDeg, range.minElevationDeg};
    if (turnsElevation) command.elevationDeg = target.elevationDeg;
    if (turnsAzimuth) {
        const double from =
            current ? current->azimuthDeg : (range.minAzimuthDeg + range.maxAzimuthDeg) / 2;
        const std::optional<double> azimuth =
            reachableAzimuth(target.azimuthDeg, from, range.minAzimuthDeg, range.maxAzimuthDeg);
        if (!azimuth) return noMove(NoMove::OutsideRange);
        command.azimuthDeg = *azimuth;
    } else if (current) {
        command.azimuthDeg = current->azimuthDeg;
    }
    if (!turnsElevation && current) command.elevationDeg = current->elevationDeg;

    if (current && pointingErrorDeg(range.kind, *current, target) < policy.toleranceDeg)
        return noMove(NoMove::WithinTolerance);
    if (policy.moveSeconds && !isMoveSecond(*policy.moveSeconds, secondOfMinute))
        return noMove(NoMove::NotAMoveSecond);
    return {command, std::nullopt};
}

}  // namespace selvora
