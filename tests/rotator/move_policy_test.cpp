// The move policy, one case a line: the tolerance (on the sky, not per axis), the move
// seconds, the operator's limits and lowest elevation, the way across north on the
// three usual ranges, and one-axis rotators.
#include "rotator/move_policy.h"

#include <gtest/gtest.h>

#include <optional>

namespace selvora {
namespace {

constexpr RotatorRange kPastNorthBothWays{-180, 450, 0, 90, RotatorKind::AzEl};
constexpr RotatorRange kPastNorth{0, 450, 0, 90, RotatorKind::AzEl};
constexpr RotatorRange kOneTurn{0, 360, 0, 90, RotatorKind::AzEl};
constexpr RotatorRange kAzimuthOnly{0, 360, 0, 0, RotatorKind::AzimuthOnly};
constexpr RotatorRange kElevationOnly{0, 0, 0, 90, RotatorKind::ElevationOnly};
constexpr RotatorRange kHighLowest{0, 360, 5, 85, RotatorKind::AzEl};

MovePolicy policy(double tolerance = 1.0) {
    MovePolicy p;
    p.toleranceDeg = tolerance;
    return p;
}
MovePolicy inSeconds(int first, int last) {
    MovePolicy p;
    p.moveSeconds = MoveSeconds{first, last};
    return p;
}
MovePolicy lowest(double deg) {
    MovePolicy p;
    p.minElevationDeg = deg;
    return p;
}
MovePolicy azimuthLimits(std::optional<double> min, std::optional<double> max) {
    MovePolicy p;
    p.minAzimuthDeg = min;
    p.maxAzimuthDeg = max;
    return p;
}

MoveDecision move(double az, double el) {
    return {AzEl{az, el}, std::nullopt};
}
MoveDecision none(NoMove why) {
    return {std::nullopt, why};
}

TEST(MovePolicy, DecidesEachCaseAsTheOperatorWould) {
    const std::optional<AzEl> unknown;
    const struct {
        const char* what;
        RotatorRange range;
        MovePolicy policy;
        std::optional<AzEl> current;
        AzEl target;
        int second;
        MoveDecision expected;
    } cases[] = {
        // clang-format off
        // Tolerance: reached moves, short of it holds; near the zenith an azimuth step
        // is a small angle on the sky.
        {"error just short of tolerance", kOneTurn, policy(1.0), AzEl{100, 0}, {100.99, 0}, 0, none(NoMove::WithinTolerance)},
        {"error just past tolerance", kOneTurn, policy(1.0), AzEl{100, 0}, {101.01, 0}, 0, move(101.01, 0)},
        {"elevation error alone", kOneTurn, policy(1.0), AzEl{100, 30}, {100, 31.5}, 0, move(100, 31.5)},
        {"big dish, small tolerance", kOneTurn, policy(0.2), AzEl{100, 30}, {100, 30.25}, 0, move(100, 30.25)},
        {"144 MHz array, wide tolerance", kOneTurn, policy(3.0), AzEl{100, 30}, {102, 31}, 0, none(NoMove::WithinTolerance)},
        {"5 deg azimuth at 85 deg elevation is under 1 deg", kOneTurn, policy(1.0), AzEl{100, 85}, {105, 85}, 0, none(NoMove::WithinTolerance)},
        {"unknown position always moves", kOneTurn, policy(1.0), unknown, {100, 30}, 0, move(100, 30)},

        // Move seconds, inclusive, and a span across the minute.
        {"inside move seconds", kOneTurn, inSeconds(50, 59), AzEl{100, 30}, {110, 30}, 50, move(110, 30)},
        {"last move second", kOneTurn, inSeconds(50, 59), AzEl{100, 30}, {110, 30}, 59, move(110, 30)},
        {"before move seconds", kOneTurn, inSeconds(50, 59), AzEl{100, 30}, {110, 30}, 49, none(NoMove::NotAMoveSecond)},
        {"across the minute", kOneTurn, inSeconds(55, 5), AzEl{100, 30}, {110, 30}, 3, move(110, 30)},
        {"outside a span across the minute", kOneTurn, inSeconds(55, 5), AzEl{100, 30}, {110, 30}, 30, none(NoMove::NotAMoveSecond)},
        {"within tolerance is said before the seconds", kOneTurn, inSeconds(50, 59), AzEl{100, 30}, {100.5, 30}, 10, none(NoMove::WithinTolerance)},

        // Lowest elevation: the operator's, never below the rotator's own.
        {"moon below the horizon", kOneTurn, policy(), AzEl{100, 0}, {120, -2}, 0, none(NoMove::BelowLowestElevation)},
        {"below the operator's lowest", kOneTurn, lowest(10), AzEl{100, 12}, {120, 9}, 0, none(NoMove::BelowLowestElevation)},
        {"at the operator's lowest", kOneTurn, lowest(10), AzEl{100, 12}, {120, 10}, 0, move(120, 10)},
        {"operator lower than the rotator", kHighLowest, lowest(0), AzEl{100, 10}, {120, 3}, 0, none(NoMove::BelowLowestElevation)},
        {"above the rotator's highest", kHighLowest, policy(), AzEl{100, 80}, {120, 87}, 0, none(NoMove::OutsideRange)},

        // Azimuth limits narrow the range: a mast that must not pass 350.
        {"beyond the operator's limit", kOneTurn, azimuthLimits(std::nullopt, 350), AzEl{340, 30}, {355, 30}, 0, none(NoMove::OutsideRange)},
        {"inside the operator's limits", kOneTurn, azimuthLimits(90, 350), AzEl{200, 30}, {300, 30}, 0, move(300, 30)},
        {"a hill to the east", kOneTurn, azimuthLimits(120, std::nullopt), AzEl{200, 30}, {100, 30}, 0, none(NoMove::OutsideRange)},
        {"limits never widen the rotator", kOneTurn, azimuthLimits(-90, 400), AzEl{10, 30}, {350, 30}, 0, move(350, 30)},

        // Across north on -180...450: the short way, never into a stop.
        {"-180..450: 350 to 10 goes on to 370", kPastNorthBothWays, policy(), AzEl{350, 30}, {10, 30}, 0, move(370, 30)},
        {"-180..450: 10 to 350 goes back to -10", kPastNorthBothWays, policy(), AzEl{10, 30}, {350, 30}, 0, move(-10, 30)},
        {"-180..450: from 440 on to 5 stays on this turn", kPastNorthBothWays, policy(), AzEl{440, 30}, {5, 30}, 0, move(365, 30)},
        {"-180..450: at 440, 100 is back a turn", kPastNorthBothWays, policy(), AzEl{440, 30}, {100, 30}, 0, move(100, 30)},
        {"-180..450: from -160, 190 is -170 on this turn", kPastNorthBothWays, policy(), AzEl{-160, 30}, {190, 30}, 0, move(-170, 30)},
        {"-180..450: read 370 is on 10", kPastNorthBothWays, policy(), AzEl{370, 30}, {10.5, 30}, 0, none(NoMove::WithinTolerance)},
        {"-180..450: unknown, the middle of the range decides", kPastNorthBothWays, policy(), unknown, {10, 30}, 0, move(10, 30)},

        // 0...450.
        {"0..450: 350 to 10 goes on to 370", kPastNorth, policy(), AzEl{350, 30}, {10, 30}, 0, move(370, 30)},
        {"0..450: 10 to 350 goes the long way, no -10", kPastNorth, policy(), AzEl{10, 30}, {350, 30}, 0, move(350, 30)},
        {"0..450: 100 to 95 never winds to 455", kPastNorth, policy(), AzEl{100, 30}, {95, 30}, 0, move(95, 30)},

        // 0...360: the long way only when it must.
        {"0..360: 350 to 10 must go round", kOneTurn, policy(), AzEl{350, 30}, {10, 30}, 0, move(10, 30)},
        {"0..360: north reads as 360 when nearer", kOneTurn, policy(), AzEl{355, 30}, {0, 30}, 0, move(360, 30)},
        {"0..360: an azimuth above 360 is a bearing", kOneTurn, policy(), AzEl{100, 30}, {370, 30}, 0, move(10, 30)},

        // One-axis rotators count their own axis and leave the other as it is.
        {"azimuth-only moves on azimuth", kAzimuthOnly, policy(), AzEl{100, 0}, {103, 40}, 0, move(103, 0)},
        {"azimuth-only ignores elevation error", kAzimuthOnly, policy(), AzEl{100, 0}, {100.5, 60}, 0, none(NoMove::WithinTolerance)},
        {"azimuth-only still waits below the horizon", kAzimuthOnly, policy(), AzEl{100, 0}, {120, -1}, 0, none(NoMove::BelowLowestElevation)},
        {"elevation-only moves on elevation", kElevationOnly, policy(), AzEl{0, 10}, {250, 20}, 0, move(0, 20)},
        {"elevation-only ignores azimuth error", kElevationOnly, policy(), AzEl{0, 20}, {250, 20.5}, 0, none(NoMove::WithinTolerance)},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const MoveDecision got = decideMove(c.range, c.policy, c.current, c.target, c.second);
        EXPECT_EQ(got.why, c.expected.why);
        ASSERT_EQ(got.command.has_value(), c.expected.command.has_value());
        if (got.command) {
            EXPECT_NEAR(got.command->azimuthDeg, c.expected.command->azimuthDeg, 1e-9);
            EXPECT_NEAR(got.command->elevationDeg, c.expected.command->elevationDeg, 1e-9);
        }
    }
}

TEST(MovePolicy, PointingErrorIsTheAngleOnTheSky) {
    const struct {
        AzEl from, to;
        double degrees;
    } cases[] = {
        {{0, 0}, {90, 0}, 90},      // along the horizon
        {{10, 0}, {350, 0}, 20},    // across north
        {{-10, 30}, {350, 30}, 0},  // the same bearing on another turn
        {{0, 0}, {0, 45}, 45},      // straight up
        {{0, 90}, {180, 90}, 0},    // the zenith has no azimuth
        {{0, 60}, {180, 60}, 60},   // over the zenith
    };
    for (const auto& c : cases)
        EXPECT_NEAR(pointingErrorDeg(RotatorKind::AzEl, c.from, c.to), c.degrees, 1e-9)
            << c.from.azimuthDeg << "/" << c.from.elevationDeg << " to " << c.to.azimuthDeg << "/"
            << c.to.elevationDeg;
}

}  // namespace
}  // namespace selvora
