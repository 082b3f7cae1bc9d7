// The tracker against a rotator in memory, on a clock the test moves: it steps rather
// than chatters, waits while the figures are not live or the moon is down, keeps a
// rotator that refuses a move, reconnects a lost one with back-off and sends the
// target again, and closing or stopping commands nothing more.
#include "rotator/rotator_tracker.h"

#include <gtest/gtest.h>

#include <memory>

#include "fake_rotator.h"
#include "rotator/rotator_state_text.h"

namespace selvora {
namespace {

using namespace std::chrono_literals;
using testing::FakeRotator;
using testing::FakeRotatorState;

class RotatorTrackerTest : public ::testing::Test {
  protected:
    RotatorTrackerTest() {
        state.clock = [this] { return now; };
    }

    static WantedPointing moon(double az, double el, int second = 0) {
        return {AzEl{az, el}, {}, PointAt::Moon, second};
    }

    // One tick's step, then the clock on by `tick`.
    void tick(const std::optional<WantedPointing>& wanted, std::chrono::milliseconds tick = 500ms) {
        tracker.step(now, wanted, rotator);
        now += tick;
    }

    std::string text() const { return rotatorStateText(tracker.status()); }

    std::chrono::steady_clock::time_point now{std::chrono::hours(1)};
    FakeRotatorState state;
    FakeRotator rotator{state};
    RotatorTracker tracker;
};

TEST_F(RotatorTrackerTest, FollowsAMovingMoonWithAHandfulOfMoves) {
    state.degreesPerSecond = 6;
    // 6 degrees of azimuth in a minute, a tick every half second.
    for (int i = 0; i < 120; ++i)
        tick(moon(120.0 + 6.0 * i / 120.0, 30.0));
    const std::size_t moves = state.moveCount();
    EXPECT_GE(moves, 5u);
    EXPECT_LE(moves, 8u);
    // Reads back about once a second, not on every tick.
    EXPECT_LE(state.count("get"), 62u);
    EXPECT_GE(state.count("get"), 55u);
    EXPECT_EQ(state.count("open"), 1u);
    EXPECT_NEAR(state.position.azimuthDeg, 126.0, 1.5);
    EXPECT_EQ(tracker.status().state, RotatorStatus::State::Tracking);
    EXPECT_TRUE(text().starts_with("antenna: moon 12")) << text();
}

TEST_F(RotatorTrackerTest, AMoveUnderWayIsLeftToArrive) {
    state.degreesPerSecond = 6;
    for (int i = 0; i < 40; ++i)  // 20 s: from 0 to 100 degrees takes about 17 s
        tick(moon(100, 20));
    EXPECT_EQ(state.moveCount(), 1u);
    EXPECT_EQ(state.position, (AzEl{100, 20}));
    EXPECT_EQ(text(), "antenna: moon 100.0° 20.0°");
}

TEST_F(RotatorTrackerTest, SendsNothingWhileNotLiveOrBelowTheLowestElevation) {
    const struct {
        WantedPointing wanted;
        MovePolicy policy;
        std::string shown;
    } cases[] = {
        {{std::nullopt, "waiting for azel.dat (not updating)", PointAt::Moon, 0},
         {},
         "antenna: waiting for azel.dat (not updating)"},
        {{std::nullopt, "waiting for azel.dat (not found)", PointAt::Sun, 0},
         {},
         "antenna: waiting for azel.dat (not found)"},
        {moon(120, -3), {}, "antenna: waiting, moon below 0°"},
        {moon(120, 4), MovePolicy{.minElevationDeg = 5}, "antenna: waiting, moon below 5°"},
        {moon(355, 40), MovePolicy{.minAzimuthDeg = 0, .maxAzimuthDeg = 350},
         "antenna: waiting, moon outside the range"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        FakeRotatorState fresh;
        fresh.clock = [this] { return now; };
        FakeRotator connection(fresh);
        RotatorTracker t(c.policy);
        for (int i = 0; i < 10; ++i) {
            t.step(now, c.wanted, connection);
            now += 500ms;
        }
        EXPECT_EQ(fresh.moveCount(), 0u);
        EXPECT_EQ(fresh.count("set"), 0u);
        EXPECT_EQ(rotatorStateText(t.status()), c.shown);
    }
}

TEST_F(RotatorTrackerTest, ARefusedMoveKeepsTheRotatorAndIsTriedAgainLater) {
    state.refuseMoves = true;
    for (int i = 0; i < 30; ++i)  // 15 s of refusals
        tick(moon(200, 30));
    EXPECT_EQ(state.count("open"), 1u);
    EXPECT_EQ(state.count("close"), 0u);
    // Tried again every few seconds, not on every tick.
    EXPECT_GE(state.count("set"), 4u);
    EXPECT_LE(state.count("set"), 6u);
    EXPECT_EQ(text(), "antenna: refused (Invalid parameter)");

    state.refuseMoves = false;
    for (int i = 0; i < 8; ++i)
        tick(moon(200, 30));
    // From north, 200 is nearer the other way round on this rotator.
    EXPECT_EQ(state.position, (AzEl{-160, 30}));
    EXPECT_EQ(text(), "antenna: moon 200.0° 30.0°");
    EXPECT_EQ(state.count("open"), 1u);
}

TEST_F(RotatorTrackerTest, ALostRotatorIsReopenedWithBackOffAndGetsTheTargetAgain) {
    tick(moon(150, 25), 1000ms);
    ASSERT_EQ(state.moveCount(), 1u);
    state.silent = true;
    tick(moon(150, 25));  // the read-back fails: closed
    EXPECT_EQ(text(), "antenna: no answer (IO error)");
    EXPECT_EQ(state.count("close"), 1u);
    // Reopened after 1 s, then 2 s, then 4 s: not on every tick.
    for (int i = 0; i < 14; ++i)
        tick(moon(150, 25));  // 7 s
    EXPECT_EQ(state.count("open"), 1u + 3u);
    EXPECT_EQ(text(), "antenna: no answer (IO error)");

    // Back, still where it was: the target goes out again all the same.
    state.silent = false;
    for (int i = 0; i < 20; ++i)
        tick(moon(150, 25));
    EXPECT_EQ(state.moveCount(), 2u);
    EXPECT_EQ(state.moves.back(), (AzEl{150, 25}));
    EXPECT_EQ(text(), "antenna: moon 150.0° 25.0°");
}

TEST_F(RotatorTrackerTest, StoppedOrParkedCommandsNothingUntilPointedAgain) {
    tick(moon(100, 20));
    tracker.stopAntenna(now, rotator);
    EXPECT_EQ(text(), "antenna: stopped");
    for (int i = 0; i < 10; ++i)
        tick(std::nullopt);  // the window posts nothing while stopped
    EXPECT_EQ(state.count("set"), 1u);
    EXPECT_EQ(text(), "antenna: stopped");

    tick(moon(140, 20));
    EXPECT_EQ(state.count("set"), 2u);
    tracker.park(now, rotator);
    EXPECT_EQ(state.count("park"), 1u);
    for (int i = 0; i < 4; ++i)
        tick(std::nullopt);
    EXPECT_EQ(state.count("set"), 2u);
    EXPECT_EQ(text(), "antenna: parked");
}

TEST_F(RotatorTrackerTest, ClosingSendsNothing) {
    tick(moon(100, 20));
    const std::size_t before = state.calls.size();
    tracker.close(rotator);
    ASSERT_EQ(state.calls.size(), before + 1);
    EXPECT_EQ(state.calls.back(), "close");
}

TEST_F(RotatorTrackerTest, MovesOnlyInTheMoveSeconds) {
    tracker = RotatorTracker(MovePolicy{.moveSeconds = MoveSeconds{50, 59}});
    std::vector<int> movedAt;
    for (int half = 0; half < 240; ++half) {  // two minutes, the moon 10 degrees a minute
        const int second = (half / 2) % 60;
        const std::size_t before = state.moveCount();
        tick(moon(100.0 + 10.0 * half / 120.0, 30.0, second));
        if (state.moveCount() > before) movedAt.push_back(second);
    }
    ASSERT_FALSE(movedAt.empty());
    for (const int second : movedAt)
        EXPECT_TRUE(second >= 50 && second <= 59) << second;
}

}  // namespace
}  // namespace selvora
