// The worker thread: the tick's post never waits for a hanging rotator, a stalled call
// shows, a stop drops a pointing not yet taken, and letting the worker go neither waits
// for the rotator nor commands anything.
#include "rotator/rotator_worker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "fake_rotator.h"

namespace selvora {
namespace {

using namespace std::chrono_literals;
using testing::FakeRotator;
using testing::FakeRotatorState;

// Bounded: the machine may be slow, but a fault must not hang the suite.
template <typename Condition>
bool eventually(Condition condition) {
    for (int i = 0; i < 1000; ++i) {
        if (condition()) return true;
        std::this_thread::sleep_for(10ms);
    }
    return condition();
}

WantedPointing moon(double az, double el) {
    return {AzEl{az, el}, {}, PointAt::Moon, 0};
}

// A clock the test moves by hand, so "stalled" does not hang on the machine's speed.
struct TestClock {
    std::shared_ptr<std::atomic<std::int64_t>> ms = std::make_shared<std::atomic<std::int64_t>>(0);
    RotatorWorker::Clock clock() const {
        return [ms = ms] { return std::chrono::steady_clock::time_point{} + 1ms * ms->load(); };
    }
};

TEST(RotatorWorker, PostsNeverWaitForAHangingRotatorAndTheStallShows) {
    auto state = std::make_shared<FakeRotatorState>();
    TestClock time;
    state->clock = time.clock();
    state->hangMoves = true;
    {
        RotatorWorker worker(time.clock());
        worker.configure({std::make_unique<FakeRotator>(*state), {}});
        worker.post(moon(100, 20));
        ASSERT_TRUE(eventually([&] {
            const std::lock_guard lock(state->mutex);
            return state->insideMove;
        }));
        for (int i = 0; i < 50; ++i)  // returns at once, the newest replacing the rest
            worker.post(moon(100 + i, 20));
        *time.ms += kRotatorStalledCall.count();
        EXPECT_EQ(worker.status().reason, kRotatorStalledReason);
        EXPECT_EQ(worker.status().state, RotatorStatus::State::Waiting);
        state->release();
        ASSERT_TRUE(eventually([&] { return state->moveCount() == 2; }));
        // The newest pointing, not each of the fifty.
        EXPECT_EQ(state->moves.back(), (AzEl{149, 20}));
    }
    EXPECT_TRUE(eventually([&] { return state->count("close") == 1; }));
}

TEST(RotatorWorker, LettingGoCommandsNothingAndDoesNotWaitForAHungRotator) {
    auto state = std::make_shared<FakeRotatorState>();
    state->clock = std::chrono::steady_clock::now;
    {
        RotatorWorker worker;
        worker.configure({std::make_unique<FakeRotator>(*state), {}});
        worker.post(moon(100, 20));
        ASSERT_TRUE(eventually([&] { return state->moveCount() == 1; }));
    }
    ASSERT_TRUE(eventually([&] { return state->count("close") == 1; }));
    {
        const std::lock_guard lock(state->mutex);
        EXPECT_EQ(state->calls.back(), "close");
        EXPECT_EQ(std::count(state->calls.begin(), state->calls.end(), "stop"), 0);
        EXPECT_EQ(std::count(state->calls.begin(), state->calls.end(), "park"), 0);
    }

    // A rotator hung in a move: the worker is let go all the same.
    auto hung = std::make_shared<FakeRotatorState>();
    hung->clock = std::chrono::steady_clock::now;
    hung->hangMoves = true;
    {
        RotatorWorker worker;
        worker.configure({std::make_unique<FakeRotator>(*hung), {}});
        worker.post(moon(100, 20));
        ASSERT_TRUE(eventually([&] {
            const std::lock_guard lock(hung->mutex);
            return hung->insideMove;
        }));
    }
    // The thread still holds its rotator; released, it closes it and ends.
    hung->release();
    EXPECT_TRUE(eventually([&] { return hung->count("close") == 1; }));
}

TEST(RotatorWorker, AStopDropsAPointingNotYetTakenAndTheNextPostTracksAgain) {
    auto state = std::make_shared<FakeRotatorState>();
    state->clock = std::chrono::steady_clock::now;
    state->hangMoves = true;
    {
        RotatorWorker worker;
        worker.configure({std::make_unique<FakeRotator>(*state), {}});
        worker.post(moon(100, 20));
        ASSERT_TRUE(eventually([&] {
            const std::lock_guard lock(state->mutex);
            return state->insideMove;
        }));
        worker.post(moon(120, 20));  // not taken before the stop: dropped
        worker.stopAntenna();
        state->release();
        ASSERT_TRUE(
            eventually([&] { return worker.status().state == RotatorStatus::State::Stopped; }));
        EXPECT_EQ(state->count("set"), 1u);
        EXPECT_EQ(state->count("stop"), 1u);

        worker.post(moon(140, 20));
        ASSERT_TRUE(eventually([&] { return state->moveCount() == 2; }));
        EXPECT_EQ(state->moves.back(), (AzEl{140, 20}));
        EXPECT_TRUE(
            eventually([&] { return worker.status().state == RotatorStatus::State::Tracking; }));
    }
    EXPECT_TRUE(eventually([&] { return state->count("close") == 1; }));
}

}  // namespace
}  // namespace selvora
