// The antenna's state in the operator's words, each state once, and the read-back
// position as a bearing whatever turn the rotator is on.
#include "rotator/rotator_state_text.h"

#include <gtest/gtest.h>

namespace selvora {
namespace {

RotatorStatus status(RotatorStatus::State state, std::string reason = {},
                     std::optional<AzEl> position = std::nullopt, PointAt body = PointAt::Moon) {
    RotatorStatus s;
    s.state = state;
    s.reason = std::move(reason);
    s.position = position;
    s.body = body;
    return s;
}

RotatorStatus holding(NoMove why, double lowest) {
    RotatorStatus s = status(RotatorStatus::State::Holding);
    s.hold = why;
    s.lowestElevationDeg = lowest;
    return s;
}

TEST(RotatorStateText, SaysWhatTheAntennaIsDoing) {
    using State = RotatorStatus::State;
    const struct {
        RotatorStatus status;
        const char* text;
    } cases[] = {
        {status(State::Off), "antenna: off"},
        {status(State::Tracking, {}, AzEl{123.4, 45.6}), "antenna: moon 123.4° 45.6°"},
        {status(State::Tracking, {}, AzEl{200.06, 12}, PointAt::Sun), "antenna: sun 200.1° 12.0°"},
        {status(State::Tracking), "antenna: moon"},
        {status(State::Tracking, {}, AzEl{400, 10}), "antenna: moon 40.0° 10.0°"},
        {status(State::Tracking, {}, AzEl{-10, 10}), "antenna: moon 350.0° 10.0°"},
        {status(State::Tracking, {}, AzEl{359.96, -0.01}), "antenna: moon 0.0° 0.0°"},
        {holding(NoMove::BelowLowestElevation, 0), "antenna: waiting, moon below 0°"},
        {holding(NoMove::BelowLowestElevation, 7.5), "antenna: waiting, moon below 7.5°"},
        {holding(NoMove::OutsideRange, 0), "antenna: waiting, moon outside the range"},
        {status(State::Waiting, "waiting for azel.dat (not updating)"),
         "antenna: waiting for azel.dat (not updating)"},
        {status(State::Waiting), "antenna: waiting"},
        {status(State::Refused, "Invalid parameter"), "antenna: refused (Invalid parameter)"},
        {status(State::NoAnswer, "IO error"), "antenna: no answer (IO error)"},
        {status(State::Stopped, {}, AzEl{1, 2}), "antenna: stopped"},
        {status(State::Parked), "antenna: parked"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rotatorStateText(c.status), c.text);
}

}  // namespace
}  // namespace selvora
