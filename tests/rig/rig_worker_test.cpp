// The worker thread: the tick's post never waits for a slow rig, only the newest
// figures are sent once the rig is free again, a stalled rig shows, and letting the
// worker go never waits for the rig.
#include "rig/rig_worker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <future>
#include <mutex>
#include <thread>

namespace selvora {
namespace {

using namespace std::chrono_literals;

// A rig whose every frequency command hangs until the test lets it go, as a serial rig
// does for seconds when it is switched off.
struct HangingRigState {
    std::mutex mutex;
    std::condition_variable released;
    bool hanging = true;
    bool entered = false;  // the worker is inside setFrequency
    std::vector<std::int64_t> frequencies;
    int closes = 0;
};

class HangingRig final : public RigConnection {
  public:
    explicit HangingRig(HangingRigState& state) : state_(state) {}
    RigError open() override { return std::nullopt; }
    void close() override {
        const std::lock_guard lock(state_.mutex);
        ++state_.closes;
    }
    RigError setFrequency(std::int64_t hz) override {
        std::unique_lock lock(state_.mutex);
        state_.entered = true;
        state_.released.wait(lock, [&] { return !state_.hanging; });
        state_.frequencies.push_back(hz);
        return std::nullopt;
    }
    FrequencyReading frequency() override { return {}; }
    RigError setSplit(bool) override { return std::nullopt; }
    RigError setSplitFrequency(std::int64_t) override { return std::nullopt; }
    PttReading ptt() override { return {}; }

  private:
    HangingRigState& state_;
};

WantedFigures noDoppler(std::int64_t hz) {
    return {RigFigures{hz, hz}, {}};
}

void release(HangingRigState& state) {
    {
        const std::lock_guard lock(state.mutex);
        state.hanging = false;
    }
    state.released.notify_all();
}

bool entered(HangingRigState& state) {
    const std::lock_guard lock(state.mutex);
    return state.entered;
}

// A clock the test moves by hand.
struct TestClock {
    std::shared_ptr<std::atomic<std::int64_t>> ms = std::make_shared<std::atomic<std::int64_t>>(0);
    RigWorker::Clock clock() const {
        return [ms = ms] { return std::chrono::steady_clock::time_point{} + 1ms * ms->load(); };
    }
};

template <typename Condition>
bool waitFor(Condition condition) {
    for (auto until = std::chrono::steady_clock::now() + 10s;
         std::chrono::steady_clock::now() < until; std::this_thread::sleep_for(5ms))
        if (condition()) return true;
    return false;
}

TEST(RigWorker, PostingNeverWaitsAndOnlyTheNewestFiguresAreSent) {
    HangingRigState state;
    RigWorker worker(std::make_unique<HangingRig>(state));
    worker.post(noDoppler(1296100000));
    ASSERT_TRUE(waitFor([&] { return entered(state); }));

    // A hundred ticks' posts all return while the rig hangs (if a post waited for the rig
    // they would never end; 10 s is only there to fail instead of hanging).
    auto posting = std::async(std::launch::async, [&] {
        for (std::int64_t hz = 1296100010; hz <= 1296101000; hz += 10)
            worker.post(noDoppler(hz));
    });
    const bool returned = posting.wait_for(10s) == std::future_status::ready;

    release(state);
    EXPECT_TRUE(returned);
    ASSERT_TRUE(waitFor([&] { return worker.stepsTaken() == 2; }));
    const std::lock_guard lock(state.mutex);
    EXPECT_EQ(state.frequencies, (std::vector<std::int64_t>{1296100000, 1296101000}));
}

// The title must not keep saying "rig: CFOM" while the rig hangs: after 3 s of one call
// the worker says it is waiting for the rig, and says what it knew once the call ends.
TEST(RigWorker, ACallInFlightForThreeSecondsIsWaitingForTheRig) {
    HangingRigState state;
    state.hanging = false;
    TestClock clock;
    RigWorker worker(std::make_unique<HangingRig>(state), clock.clock());
    worker.post(noDoppler(1296100000));
    ASSERT_TRUE(waitFor([&] { return worker.stepsTaken() == 1; }));
    {
        const std::lock_guard lock(state.mutex);
        state.hanging = true;
        state.entered = false;
    }
    worker.post(noDoppler(1296100010));
    ASSERT_TRUE(waitFor([&] { return entered(state); }));
    const RigStatus tracking{RigStatus::State::Tracking, {}};
    const RigStatus stalled{RigStatus::State::Waiting, std::string(kStalledReason)};
    const struct {
        std::int64_t ms;
        RigStatus status;
    } moments[] = {{0, tracking}, {2999, tracking}, {3000, stalled}, {60000, stalled}};
    for (const auto& moment : moments) {
        *clock.ms = moment.ms;
        EXPECT_EQ(worker.status(), moment.status) << moment.ms << " ms";
    }
    release(state);
    ASSERT_TRUE(waitFor([&] { return worker.stepsTaken() == 2; }));
    EXPECT_EQ(worker.status(), tracking);
}

// Closing the window must end the program within 3 s whatever the rig does: letting
// the worker go while a call hangs returns at once, and the rig call is left to end
// on its own thread.
TEST(RigWorker, LettingGoNeverWaitsForAHangingRig) {
    auto state = std::make_shared<HangingRigState>();
    auto worker = std::make_unique<RigWorker>(std::make_unique<HangingRig>(*state));
    worker->post(noDoppler(1296100000));
    ASSERT_TRUE(waitFor([&] { return entered(*state); }));
    const auto start = std::chrono::steady_clock::now();
    worker.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, kCloseGrace + 200ms);
    release(*state);  // the thread ends; the test's rig must outlive its last call
    EXPECT_TRUE(waitFor([&] {
        const std::lock_guard lock(state->mutex);
        return !state->frequencies.empty();
    }));
}

// The worker is started once: a new rig reaches it through the mailbox, the old one is
// closed (nothing sent to it), and the new one gets everything afresh.
TEST(RigWorker, TakesANewRigWithoutARestart) {
    HangingRigState first, second;
    first.hanging = second.hanging = false;
    RigWorker worker;
    worker.post(noDoppler(1296100000));
    ASSERT_TRUE(waitFor([&] { return worker.stepsTaken() == 1; }));
    EXPECT_EQ(worker.status(), RigStatus{});  // no rig: nothing to say

    worker.configure({std::make_unique<HangingRig>(first), {}});
    worker.post(noDoppler(1296100000));
    ASSERT_TRUE(waitFor([&] { return worker.status().state == RigStatus::State::Tracking; }));
    worker.configure({std::make_unique<HangingRig>(second), {{1296, 1152000000}}});
    worker.post({RigFigures{1296100000, 1296100000}, {}, 1296});
    // Main VFO, split off and Rx to each rig.
    ASSERT_TRUE(waitFor([&] { return worker.commandsSent() == 6; }));
    EXPECT_EQ(worker.shownOnRig().rxHz, 1296100000);
    const std::scoped_lock lock(first.mutex, second.mutex);
    EXPECT_EQ(first.frequencies, std::vector<std::int64_t>{1296100000});
    EXPECT_EQ(first.closes, 1);
    EXPECT_EQ(second.frequencies, std::vector<std::int64_t>{144100000});  // less the LO
    EXPECT_EQ(second.closes, 0);
}

}  // namespace
}  // namespace selvora
