// The worker on Hamlib's own rigs: the dummy rig in-process, and a real rigctld reached
// through NET rigctl (model 2), read back with rigctl, killed and restarted mid-run.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <thread>

#include "rig/hamlib_rig.h"
#include "rig/rig_worker.h"
#include "rigctld.h"

namespace selvora {
namespace {

using namespace std::chrono_literals;
using testing::Rigctld;

WantedFigures figures(std::int64_t rxHz, std::int64_t txHz) {
    return {RigFigures{rxHz, txHz}, {}};
}

// Posts `wanted` every tick until `done`, as the window would; false after 20 s.
template <typename Done>
bool postUntil(RigWorker& worker, const WantedFigures& wanted, Done done) {
    for (auto until = std::chrono::steady_clock::now() + 20s;
         std::chrono::steady_clock::now() < until; std::this_thread::sleep_for(50ms)) {
        worker.post(wanted);
        if (done()) return true;
    }
    return false;
}

bool tracking(const RigWorker& worker) {
    return worker.status().state == RigStatus::State::Tracking;
}

// The test's own view of the rig the worker owns, taken between the worker's steps.
class SharedRig final : public RigConnection {
  public:
    SharedRig(RigConnection& rig, std::mutex& mutex) : rig_(rig), mutex_(mutex) {}

  private:
    template <typename Call>
    auto locked(Call call) {
        const std::lock_guard lock(mutex_);
        return call();
    }

  public:
    RigError open() override {
        return locked([&] { return rig_.open(); });
    }
    void close() override {
        locked([&] { rig_.close(); });
    }
    RigError setFrequency(std::int64_t hz) override {
        return locked([&] { return rig_.setFrequency(hz); });
    }
    FrequencyReading frequency() override {
        return locked([&] { return rig_.frequency(); });
    }
    RigError setSplit(bool on) override {
        return locked([&] { return rig_.setSplit(on); });
    }
    RigError setSplitFrequency(std::int64_t hz) override {
        return locked([&] { return rig_.setSplitFrequency(hz); });
    }
    PttReading ptt() override {
        return locked([&] { return rig_.ptt(); });
    }

  private:
    RigConnection& rig_;
    std::mutex& mutex_;
};

TEST(HamlibRig, TheWorkerTunesTheDummyRigAndWaitsWhileNotLive) {
    std::mutex mutex;
    const auto dummy = makeHamlibConnection({1, "", 0});
    RigWorker worker(std::make_unique<SharedRig>(*dummy, mutex));
    const auto mainVfo = [&] {
        const std::lock_guard lock(mutex);
        return dummy->frequency().hz;
    };

    ASSERT_TRUE(postUntil(worker, figures(1296100130, 1296099870), [&] {
        return tracking(worker);
    })) << worker.status().reason;
    EXPECT_EQ(mainVfo(), 1296100130);
    EXPECT_EQ(worker.commandsSent(), 3u);  // Rx, split on, Tx

    const WantedFigures stale{std::nullopt, "waiting for azel.dat (not updating)"};
    ASSERT_TRUE(postUntil(worker, stale, [&] { return !tracking(worker); }));
    EXPECT_EQ(worker.status(), (RigStatus{RigStatus::State::Waiting, stale.notLiveReason}));
    EXPECT_EQ(mainVfo(), 1296100130);

    ASSERT_TRUE(postUntil(worker, figures(1296100140, 1296099860),
                          [&] { return tracking(worker) && mainVfo() == 1296100140; }));
    EXPECT_EQ(worker.commandsSent(), 5u);  // Rx and Tx, nothing more
}

TEST(HamlibRig, AnUnknownModelOrAClosedPortIsNoAnswerWithTheReason) {
    const int closedPort = testing::freeLocalPort();
    const struct {
        RigSettings settings;
        const char* reason;
    } cases[] = {
        {{999999, "", 0}, "Hamlib knows no rig model 999999"},
        {{2, "localhost:" + std::to_string(closedPort), 0}, "IO error"},
    };
    for (const auto& c : cases) {
        RigWorker worker(makeHamlibConnection(c.settings));
        ASSERT_TRUE(postUntil(worker, figures(1296100000, 1296100000),
                              [&] { return worker.status().state == RigStatus::State::NoAnswer; }));
        EXPECT_EQ(worker.status().reason, c.reason);
        EXPECT_EQ(testRig(c.settings).answered, false);
        EXPECT_EQ(testRig(c.settings).message, "No answer: " + std::string(c.reason) + ".");
    }
}

TEST(HamlibRig, ListsHamlibsModelsAndTestsTheDummy) {
    const std::vector<RigModel> models = hamlibModels();
    EXPECT_GT(models.size(), 100u);
    const auto has = [&](int id, const char* maker, const char* name) {
        return std::any_of(models.begin(), models.end(), [&](const RigModel& m) {
            return m.id == id && m.maker == maker && m.name == name;
        });
    };
    EXPECT_TRUE(has(1, "Hamlib", "Dummy"));
    EXPECT_TRUE(has(2, "Hamlib", "NET rigctl"));
    EXPECT_TRUE(std::is_sorted(models.begin(), models.end(), [](const auto& a, const auto& b) {
        return std::tie(a.maker, a.name) < std::tie(b.maker, b.name);
    }));
    const RigTestResult dummy = testRig({1, "", 0});
    EXPECT_TRUE(dummy.answered);
    EXPECT_EQ(dummy.message, "The rig is on 145.000000 MHz.");
}

class RigctldTest : public ::testing::Test {
  protected:
    // Main VFO, Tx VFO, split, PTT, as rigctl reads them. rigctld answers from its cache
    // for a while after a change, so a changed figure is waited for.
    std::vector<std::string> readBack() const {
        return rigctld.rigctl("f VFOA f VFOB s VFOA t VFOA");
    }
    static std::vector<std::string> split(std::int64_t rxHz, std::int64_t txHz) {
        return {std::to_string(rxHz), std::to_string(txHz), "1", "VFOB", "0"};
    }

    Rigctld rigctld{testing::freeLocalPort()};
};

TEST_F(RigctldTest, FollowsTheFiguresSurvivesARestartAndHoldsTxWhileTransmitting) {
    ASSERT_TRUE(rigctld.running());
    RigWorker worker(makeHamlibConnection({2, rigctld.address(), 0}));

    const WantedFigures cfom = figures(1296100130, 1296099870);
    ASSERT_TRUE(postUntil(worker, cfom, [&] { return tracking(worker); }))
        << worker.status().reason;
    ASSERT_TRUE(postUntil(worker, cfom, [&] {
        return readBack() == split(1296100130, 1296099870);
    })) << ::testing::PrintToString(readBack());

    // No Doppler: split off, both on the main VFO.
    ASSERT_TRUE(
        postUntil(worker, figures(1296100000, 1296100000), [&] { return readBack()[2] == "0"; }));
    EXPECT_EQ(readBack()[0], "1296100000");

    // rigctld dies: no answer, retried; a new one (the rig restarted, back at 145 MHz)
    // gets the figures of the moment again.
    rigctld.kill();
    const WantedFigures later = figures(1296100140, 1296099860);
    ASSERT_TRUE(postUntil(worker, later,
                          [&] { return worker.status().state == RigStatus::State::NoAnswer; }));
    ASSERT_TRUE(rigctld.start());
    EXPECT_EQ(readBack()[0], "145000000");
    ASSERT_TRUE(postUntil(worker, later, [&] {
        return readBack() == split(1296100140, 1296099860);
    })) << worker.status().reason;
    EXPECT_TRUE(tracking(worker));

    // Keyed (by WSJT-X, not by Selvora): nothing moves until the rig receives again.
    rigctld.rigctl("T VFOA 1");
    const WantedFigures next = figures(1296100150, 1296099850);
    for (int tick = 0; tick < 20; ++tick) {  // past rigctld's cache
        worker.post(next);
        std::this_thread::sleep_for(100ms);
    }
    EXPECT_EQ(readBack(), (std::vector<std::string>{"1296100140", "1296099860", "1", "VFOB", "1"}));
    rigctld.rigctl("T VFOA 0");
    ASSERT_TRUE(
        postUntil(worker, next, [&] { return readBack() == split(1296100150, 1296099850); }));
}

}  // namespace
}  // namespace selvora
