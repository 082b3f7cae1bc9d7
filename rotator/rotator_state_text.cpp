#include "rotator/rotator_state_text.h"

#include <cmath>

#include "common/numbers.h"

namespace selvora {

namespace {

std::string bodyName(PointAt body) {
    return std::string(pointAtName(body));
}

}  // namespace

// Rounded to tenths before the turn is taken off, so 359.96 reads 0.0, not 360.0.
std::string directionText(const AzEl& direction) {
    double azimuth = std::fmod(std::round(direction.azimuthDeg * 10) / 10, 360.0);
    if (azimuth < 0) azimuth += 360.0;
    return fixedText(azimuth, 1) + "° " + fixedText(direction.elevationDeg, 1) + "°";
}

std::string rotatorStateText(const RotatorStatus& status) {
    const std::string text = "antenna: ";
    const std::string body = bodyName(status.body);
    switch (status.state) {
        case RotatorStatus::State::Off:
            return text + "off";
        case RotatorStatus::State::Tracking:
            if (!status.position) return text + body;
            return text + body + " " + directionText(*status.position);
        case RotatorStatus::State::Holding:
            if (status.hold == NoMove::BelowLowestElevation)
                return text + "waiting, " + body + " below " +
                       numberText(status.lowestElevationDeg) + "°";
            return text + "waiting, " + body + " outside the range";
        case RotatorStatus::State::Refused:
            return text + "refused (" + status.reason + ")";
        case RotatorStatus::State::NoAnswer:
            return text + "no answer (" + status.reason + ")";
        case RotatorStatus::State::Stopped:
            return text + "stopped";
        case RotatorStatus::State::Parked:
            return text + "parked";
        case RotatorStatus::State::Waiting:
            break;
    }
    return text + (status.reason.empty() ? std::string("waiting") : status.reason);
}

}  // namespace selvora
