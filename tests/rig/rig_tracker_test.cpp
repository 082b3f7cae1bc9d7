// The tracking rules against a rig that records what it is sent: each rule is a
// scenario of ticks, with what the rig must have received on each and what the
// status says.
#include "rig/rig_tracker.h"
#include "rig/rig_state_text.h"

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
    RigError selectMainVfo() override { return record("vfo main"); }
    RigError setFrequency(std::int64_t hz) override { return record("freq " + std::to_string(hz)); }
    FrequencyReading frequency() override { return {0, record("freq?")}; }
    RigError setSplit(bool on) override { return record(on ? "split on" : "split off"); }
    RigError setSplitFrequency(std::int64_t hz) override {
        return record("tx " + std::to_string(hz));
    }
    PttReading ptt() override {
        RigError error = record("ptt?");
        return {does.count("keyed") != 0, error};
    }

    bool canReceive(std::int64_t hz) const override { return hz <= highestHz; }
    bool canTransmit(std::int64_t hz) const override { return hz <= highestHz; }

    Calls calls;
    // "keyed" (transmitting), "!call" (fails: "!open"), "?call" (refused: "?split on")
    std::set<std::string> does;
    std::int64_t highestHz = 0;

  private:
    RigError record(std::string call) {
        calls.push_back(call);
        if (does.count("?" + call) != 0) return RigFailure{"Feature not available", true};
        if (does.count("!" + call) != 0) return RigFailure{"IO error", false};
        return std::nullopt;
    }
};

Calls operator+(Calls first, const Calls& then) {
    first.insert(first.end(), then.begin(), then.end());
    return first;
}

// The status's state, and its note while tracking or else its reason.
struct Says {
    RigStatus::State state = RigStatus::State::Tracking;
    std::string text;
};

// One tick: the time since start, the figures, what the rig must receive, how it
// behaves, and what the status says.
struct Tick {
    int ms;
    WantedFigures wanted;
    Calls expected;
    std::set<std::string> does = {};
    Says says = {};
    std::optional<std::int64_t> rigRxHz = {};
};

WantedFigures figures(std::int64_t rxHz, std::int64_t txHz, int bandMHz = 1296) {
    return {RigFigures{rxHz, txHz}, {}, bandMHz};
}
Says waiting(std::string why) {
    return {RigStatus::State::Waiting, std::move(why)};
}
const WantedFigures kStale{std::nullopt, "waiting for azel.dat (not updating)"};
const WantedFigures kCfom = figures(1296100130, 1296099870);
const WantedFigures kCfomLater = figures(1296100140, 1296099860);
const WantedFigures kNoDoppler = figures(1296100000, 1296100000);
const WantedFigures k10GHz = figures(10368100130, 10368099870, 10368);
const WantedFigures k1297 = figures(1297100130, 1297099870);
const Calls kFirstCfom = {"open",     "ptt?",         "vfo main", "freq 1296100130",
                          "split on", "tx 1296099870"};
const Calls kLaterCfom = {"ptt?", "vfo main", "freq 1296100140", "split on", "tx 1296099860"};
const Says kLost{RigStatus::State::NoAnswer, "IO error"};
const Says kStaleSays = waiting(kStale.notLiveReason);
const Says kRxOnly{RigStatus::State::Tracking, std::string(kCannotSplitNote)};
const Says kCurrentVfo{RigStatus::State::Tracking, std::string(kCannotSelectVfoNote)};
const Says kRefused1296 = waiting("the rig refused 1296.100130 MHz (Feature not available)");
const Says kRefused1297 = waiting("the rig refused 1297.100130 MHz (Feature not available)");
const Says k10GHzOutside = waiting("10368.100130 MHz is outside the rig's range");

struct Scenario {
    const char* rule;
    std::vector<Tick> ticks;
    TransverterOffsets transverters = {};
    std::int64_t rigHighestHz = 1500000000;  // as Hamlib's dummy rig
};

const Scenario kScenarios[] = {
    {"sends only what changed, never the same value twice",
     {{0, kCfom, kFirstCfom},
      {480, kCfom, {}},
      {960, figures(1296100140, 1296099870), {"ptt?", "vfo main", "freq 1296100140"}},  // Rx
      {1440, kCfomLater, {"ptt?", "tx 1296099860"}},
      {1920, kCfomLater, {}}}},
    {"split off when Tx equals Rx, on again with its frequency when they part",
     {{0, kCfom, kFirstCfom},
      {480, kNoDoppler, {"ptt?", "vfo main", "split off", "freq 1296100000"}},
      {960, kNoDoppler, {}},
      {1440, figures(1296100000, 1296099990), {"ptt?", "split on", "tx 1296099990"}}}},
    {"a rig first seen with equal figures gets split off",
     {{0, kNoDoppler, {"open", "ptt?", "vfo main", "split off", "freq 1296100000"}}}},
    {"nothing is sent while the figures are not live, not even opened",
     {{0, kStale, {}, {}, kStaleSays},
      {480, kCfom, kFirstCfom},
      {960, kStale, {}, {}, kStaleSays},
      {1440, kCfomLater, {"ptt?", "vfo main", "freq 1296100140", "tx 1296099860"}}}},
    {"while transmitting in split nothing moves; all follows on the first tick after",
     {{0, kCfom, kFirstCfom},
      {480, kCfomLater, {"ptt?"}, {"keyed"}},
      {960, kCfomLater, {"ptt?"}, {"keyed"}},
      {1440, kCfomLater, {"ptt?", "vfo main", "freq 1296100140", "tx 1296099860"}}}},
    {"while transmitting without split the main VFO is the Tx: nothing moves",
     {{0, kNoDoppler, {"open", "ptt?", "vfo main", "split off", "freq 1296100000"}},
      {480, figures(1296100010, 1296100010), {"ptt?"}, {"keyed"}},
      {960, kCfom, {"ptt?"}, {"keyed"}},
      {1440, kCfom, {"ptt?", "vfo main", "freq 1296100130", "split on", "tx 1296099870"}}}},
    {"an error closes the rig; retries back off 1, 2, 4 s; then everything is sent again",
     {{0, kCfom, kFirstCfom},
      {480,
       kCfomLater,
       {"ptt?", "vfo main", "freq 1296100140", "close"},
       {"!freq 1296100140"},
       kLost},
      {960, kCfomLater, {}, {"!open"}, kLost},
      {1480, kCfomLater, {"open", "close"}, {"!open"}, kLost},
      {3000, kCfomLater, {}, {"!open"}, kLost},
      {3480, kCfomLater, {"open", "close"}, {"!open"}, kLost},
      {7000, kCfomLater, {}, {}, kLost},
      {7480, kCfomLater, Calls{"open"} + kLaterCfom}}},
    {"a failing PTT read is a failure too, and nothing else is sent",
     {{0, kCfom, {"open", "ptt?", "close"}, {"!ptt?"}, kLost}, {1000, kCfom, kFirstCfom}}},
    {"steady figures: only a PTT read every 3 s (a hand-tuned dial is not fought); a lost "
     "rig is noticed by it, and everything is sent again once it answers",
     {{0, kCfom, kFirstCfom},
      {480, kCfom, {}},
      {2880, kCfom, {}},
      {3360, kCfom, {"ptt?"}},
      {6240, kCfom, {}},
      {6720, kCfom, {"ptt?", "close"}, {"!ptt?"}, kLost},
      {7200, kCfom, {}, {}, kLost},
      {7720, kCfom, kFirstCfom}}},
    {"a rig that cannot split is tracked on Rx alone, and split is not asked again until "
     "a reconnect",
     {{0,
       kCfom,
       {"open", "ptt?", "vfo main", "freq 1296100130", "split on"},
       {"?split on"},
       kRxOnly},
      {480, kCfomLater, {"ptt?", "vfo main", "freq 1296100140"}, {"?split on"}, kRxOnly},
      {3480, kCfomLater, {"ptt?", "close"}, {"!ptt?"}, kLost},
      {4480, kCfomLater, Calls{"open"} + kLaterCfom}}},
    {"a refused split frequency turns split off again: Rx alone",
     {{0, kCfom, kFirstCfom + Calls{"split off"}, {"?tx 1296099870"}, kRxOnly}}},
    {"a refused Rx figure holds the rig and says why; tried again on another MHz or after 30 s",
     {{0,
       kCfom,
       {"open", "ptt?", "vfo main", "freq 1296100130"},
       {"?freq 1296100130"},
       kRefused1296},
      {480, kCfomLater, {}, {}, kRefused1296},
      {3480, kCfomLater, {"ptt?"}, {}, kRefused1296},
      {3960, k1297, {"ptt?", "vfo main", "freq 1297100130"}, {"?freq 1297100130"}, kRefused1297},
      {34000, k1297, {"ptt?", "vfo main", "freq 1297100130", "split on", "tx 1297099870"}}}},
    {"where the main VFO cannot be selected, Rx goes to the VFO in use and split is left alone",
     {{0, kCfom, {"open", "ptt?", "vfo main", "freq 1296100130"}, {"?vfo main"}, kCurrentVfo},
      {480, kCfomLater, {"ptt?", "freq 1296100140"}, {}, kCurrentVfo}}},
    {"a transverter's LO is taken off the figures of its band only, and the status tells the "
     "rig's own Rx",
     {{0,
       k10GHz,
       {"open", "ptt?", "vfo main", "freq 144100130", "split on", "tx 144099870"},
       {},
       {},
       144100130},
      {480, kCfom, {"ptt?", "vfo main", "freq 1296100130", "tx 1296099870"}}},
     {{2304, 2160000000}, {10368, 10224000000}}},
    {"a figure outside the rig's range is not sent and the status says why; a tick later "
     "the figures are back inside",
     {{0, k10GHz, {"open"}, {}, k10GHzOutside},
      {3000, k10GHz, {"ptt?"}, {}, k10GHzOutside},
      {3480, kCfom, {"ptt?", "vfo main", "freq 1296100130", "split on", "tx 1296099870"}}}},
    {"behind a transverter the range is the rig's own, and the status names both figures",
     {{0,
       k10GHz,
       {"open"},
       {},
       waiting("10368.100130 MHz is 144.100130 MHz at the rig, outside its range")}},
     {{10368, 10224000000}},
     54000000},  // an HF and 6 m rig
    {"a Tx figure outside the rig's range holds both",
     {{0,
       figures(1499999990, 1500000010, 1499),
       {"open"},
       {},
       waiting("Tx 1500.000010 MHz is outside the rig's transmit range")}}},
};

TEST(RigTracker, KeepsEachRule) {
    for (const Scenario& scenario : kScenarios) {
        SCOPED_TRACE(scenario.rule);
        RigTracker tracker;
        tracker.setTransverters(scenario.transverters);
        RecordingRig rig;
        rig.highestHz = scenario.rigHighestHz;
        const RigTracker::TimePoint start{};
        for (const Tick& tick : scenario.ticks) {
            rig.calls.clear();
            rig.does = tick.does;
            tracker.step(start + milliseconds(tick.ms), tick.wanted, rig);
            const RigStatus& status = tracker.status();
            EXPECT_EQ(rig.calls, tick.expected) << "at " << tick.ms << " ms";
            EXPECT_EQ(status.state, tick.says.state) << "at " << tick.ms << " ms";
            const bool tracking = status.state == RigStatus::State::Tracking;
            EXPECT_EQ(tracking ? status.note : status.reason, tick.says.text)
                << "at " << tick.ms << " ms";
            EXPECT_EQ(status.rigRxHz, tick.rigRxHz) << "at " << tick.ms << " ms";
        }
    }
}

// A rig that never answers is tried less and less often, but at least every 30 s.
TEST(RigTracker, BacksOffToAtMostThirtySecondsAndTellsWhy) {
    RigTracker tracker;
    RecordingRig rig;
    rig.does = {"!open"};
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

TEST(RigStateText, SaysWhatTheRigDoesAfterTheTitle) {
    using enum RigStatus::State;
    const struct {
        std::optional<std::string_view> tracked;  // the scheme's caption
        RigStatus status;
        const char* text;
    } cases[] = {
        {std::nullopt, {Tracking}, ""},
        {"CFOM", {Tracking}, "rig: CFOM"},
        {"CFOM",
         {Tracking, "", std::string(kCannotSplitNote), 144100130},
         "rig: CFOM on 144.100130 MHz, Rx only \u2014 the rig cannot split"},
        {"No Doppler", {Tracking, "", "", 10000}, "rig: No Doppler on 0.010000 MHz"},
        {"Own Echo", {Waiting, "enter a sked frequency"}, "rig: enter a sked frequency"},
        {"Own Echo", {Waiting}, "rig: waiting"},
        {"Call Dx", {NoAnswer, "IO error"}, "rig: no answer (IO error)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rigStateText(c.tracked, c.status), c.text) << c.text;
}

}  // namespace
}  // namespace selvora
