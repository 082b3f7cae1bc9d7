// The worker thread: the tick's post never waits for a slow rig, and only the newest
// figures are sent once the rig is free again.
#include "rig/rig_worker.h"

#include <gtest/gtest.h>

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
};

class HangingRig final : public RigConnection {
  public:
    explicit HangingRig(HangingRigState& state) : state_(state) {}
    RigError open() override { return std::nullopt; }
    void close() override {}
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
    ASSERT_TRUE(waitFor([&] {
        const std::lock_guard lock(state.mutex);
        return state.entered;
    }));

    // A hundred ticks' posts all return while the rig hangs (if a post waited for the rig
    // they would never end; 10 s is only there to fail instead of hanging).
    auto posting = std::async(std::launch::async, [&] {
        for (std::int64_t hz = 1296100010; hz <= 1296101000; hz += 10)
            worker.post(noDoppler(hz));
    });
    const bool returned = posting.wait_for(10s) == std::future_status::ready;

    {
        const std::lock_guard lock(state.mutex);
        state.hanging = false;
    }
    state.released.notify_all();
    EXPECT_TRUE(returned);
    ASSERT_TRUE(waitFor([&] { return worker.stepsTaken() == 2; }));
    const std::lock_guard lock(state.mutex);
    EXPECT_EQ(state.frequencies, (std::vector<std::int64_t>{1296100000, 1296101000}));
}

}  // namespace
}  // namespace selvora
