// The tracking rules against a rig that records what it is sent: each safety rule is
// a scenario of ticks, with what the rig must have received on each.
#include "rig/rig_tracker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace selvora {
namespace {

using std::chrono::milliseconds;
using Calls = std::vector<std::string>;

class RecordingRig final : public RigConnection {
  public:
    RigError open() override { return record("open"); }
    void close() override { calls.push_back("close"); }
    RigError setFrequency(std::int64_t hz) override { return record("freq " + std::to_string(hz)); }
    FrequencyReading frequency() override { return {0, record("freq?")}; }
    RigError setSplit(bool on) override { return record(on ? "split on" : "split off"); }
    RigError setSplitFrequency(std::int64_t hz) override {
        return record("tx " + std::to_string(hz));
    }
    PttReading ptt() override {
        RigError error = record("ptt?");
        return {transmitting, error};
    }

    Calls calls;
    bool transmitting = false;
    std::set<std::string> failing;  // calls answered with an error ("open", "freq 1296100130")

  private:
    RigError record(std::string call) {
        calls.push_back(call);
        if (failing.count(call) == 0) return std::nullopt;
        return "IO error";
    }
};

// One tick: the time since start, the figures, the rig's state, and what it must receive.
struct Tick {
    int ms;
    WantedFigures wanted;
    Calls expected;
    bool transmitting = false;
    std::set<std::string> failing = {};
    RigStatus::State state = RigStatus::State::Tracking;
};

WantedFigures figures(std::int64_t rxHz, std::int64_t txHz) {
    return {RigFigures{rxHz, txHz}, {}};
}
const WantedFigures kStale{std::nullopt, "waiting for azel.dat (not updating)"};
const WantedFigures kCfom = figures(1296100130, 1296099870);
const WantedFigures kCfomLater = figures(1296100140, 1296099860);
const WantedFigures kNoDoppler = figures(1296100000, 1296100000);
const Calls kFirstCfom = {"open", "ptt?", "freq 1296100130", "split on", "tx 1296099870"};

struct Scenario {
    const char* rule;
    std::vector<Tick> ticks;
};

const Scenario kScenarios[] = {
    {"sends only what changed, never the same value twice",
     {{0, kCfom, kFirstCfom},
      {480, kCfom, {}},
      {960, figures(1296100140, 1296099870), {"ptt?", "freq 1296100140"}},  // Rx only
      {1440, kCfomLater, {"ptt?", "tx 1296099860"}},
      {1920, kCfomLater, {}}}},
    {"split off when Tx equals Rx, on again with its frequency when they part",
     {{0, kCfom, kFirstCfom},
      {480, kNoDoppler, {"ptt?", "split off", "freq 1296100000"}},
      {960, kNoDoppler, {}},
      {1440, figures(1296100000, 1296099990), {"ptt?", "split on", "tx 1296099990"}}}},
    {"a rig first seen with equal figures gets split off",
     {{0, kNoDoppler, {"open", "ptt?", "split off", "freq 1296100000"}}}},
    {"nothing is sent while the figures are not live, not even opened",
     {{0, kStale, {}, false, {}, RigStatus::State::Waiting},
      {480, kCfom, kFirstCfom},
      {960, kStale, {}, false, {}, RigStatus::State::Waiting},
      {1440, kCfomLater, {"ptt?", "freq 1296100140", "tx 1296099860"}}}},
    {"while transmitting in split nothing moves; all follows on the first tick after",
     {{0, kCfom, kFirstCfom},
      {480, kCfomLater, {"ptt?"}, true},
      {960, kCfomLater, {"ptt?"}, true},
      {1440, kCfomLater, {"ptt?", "freq 1296100140", "tx 1296099860"}}}},
    {"while transmitting without split the main VFO is the Tx: nothing moves",
     {{0, kNoDoppler, {"open", "ptt?", "split off", "freq 1296100000"}},
      {480, figures(1296100010, 1296100010), {"ptt?"}, true},
      {960, kCfom, {"ptt?"}, true},
      {1440, kCfom, {"ptt?", "freq 1296100130", "split on", "tx 1296099870"}}}},
    {"an error closes the rig; retries back off 1, 2, 4 s; then everything is sent again",
     {{0, kCfom, kFirstCfom},
      {480,
       kCfomLater,
       {"ptt?", "freq 1296100140", "close"},
       false,
       {"freq 1296100140"},
       RigStatus::State::NoAnswer},
      {960, kCfomLater, {}, false, {"open"}, RigStatus::State::NoAnswer},
      {1480, kCfomLater, {"open", "close"}, false, {"open"}, RigStatus::State::NoAnswer},
      {3000, kCfomLater, {}, false, {"open"}, RigStatus::State::NoAnswer},
      {3480, kCfomLater, {"open", "close"}, false, {"open"}, RigStatus::State::NoAnswer},
      {7000, kCfomLater, {}, false, {}, RigStatus::State::NoAnswer},
      {7480, kCfomLater, {"open", "ptt?", "freq 1296100140", "split on", "tx 1296099860"}}}},
    {"a failing PTT read is a failure too, and nothing else is sent",
     {{0, kCfom, {"open", "ptt?", "close"}, false, {"ptt?"}, RigStatus::State::NoAnswer},
      {1000, kCfom, kFirstCfom}}},
};

TEST(RigTracker, KeepsEachSafetyRule) {
    for (const Scenario& scenario : kScenarios) {
        SCOPED_TRACE(scenario.rule);
        RigTracker tracker;
        RecordingRig rig;
        const RigTracker::TimePoint start{};
        for (const Tick& tick : scenario.ticks) {
            rig.calls.clear();
            rig.transmitting = tick.transmitting;
            rig.failing = tick.failing;
            tracker.step(start + milliseconds(tick.ms), tick.wanted, rig);
            EXPECT_EQ(rig.calls, tick.expected) << "at " << tick.ms << " ms";
            EXPECT_EQ(tracker.status().state, tick.state) << "at " << tick.ms << " ms";
        }
    }
}

// A rig that never answers is tried less and less often, but at least every 30 s.
TEST(RigTracker, BacksOffToAtMostThirtySecondsAndTellsWhy) {
    RigTracker tracker;
    RecordingRig rig;
    rig.failing = {"open"};
    std::vector<int> attemptsAtMs;
    const RigTracker::TimePoint start{};
    for (int ms = 0; ms <= 300000; ms += 480) {
        rig.calls.clear();
        tracker.step(start + milliseconds(ms), kCfom, rig);
        if (!rig.calls.empty()) attemptsAtMs.push_back(ms);
    }
    ASSERT_GE(attemptsAtMs.size(), 10u);
    int delayMs = 1000;
    for (std::size_t i = 1; i < attemptsAtMs.size(); ++i, delayMs = std::min(2 * delayMs, 30000)) {
        const int gap = attemptsAtMs[i] - attemptsAtMs[i - 1];
        EXPECT_GE(gap, delayMs) << "attempt " << i;
        EXPECT_LT(gap, delayMs + 480) << "attempt " << i;  // the first tick once it is due
    }
    EXPECT_EQ(tracker.status(), (RigStatus{RigStatus::State::NoAnswer, "IO error"}));
}

TEST(RigTracker, StoppingClosesWithoutSendingAnything) {
    RigTracker tracker;
    RecordingRig rig;
    tracker.step({}, kCfom, rig);
    rig.calls.clear();
    tracker.stop(rig);
    EXPECT_EQ(rig.calls, Calls{"close"});
}

}  // namespace
}  // namespace selvora
