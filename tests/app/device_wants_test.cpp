// The figures the rig is sent: the typed plan of real ticks, and for random plans
// exactly the digits the window shows.
#include "app/device_wants.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <random>
#include <vector>

#include "app/app_core.h"
#include "common/megahertz.h"
#include "display/scheme_fields.h"
#include "plan/show_sked_plan.h"
#include "support/fakes.h"
#include "support/temp_dir.h"

namespace selvora {
namespace {

constexpr LocalDateTime kMorning{2026, 12, 7, 9, 19, 32};

// Mutual Doppler 124 Hz, self Doppler 258 Hz on `band`, stamped at `seconds`.
std::string record(int seconds, const char* band = "1296") {
    const std::string stamp = "09:19:" + std::to_string(seconds);
    return stamp + ", 123.4, 45.6,Moon\n" + stamp + ",200.1, 12.0,Sun\n" + stamp +
           ",  0.0,  0.0,Source\n" + band + ",124,0.50,258,0.60,Doppler, R\n";
}

class WantedFiguresTest : public ::testing::Test {
  protected:
    void tick() { core.tick(rigEchoBandsMHz); }
    WantedFigures wanted(SkedScheme scheme) {
        return wantedFigures(core.tracking(), core.plan(), scheme);
    }
    void useAzelDat(const std::string& bytes) {
        core.fields().setText(field("azel_path"), dir.write("azel.dat", bytes));
    }
    void enterSked(const char* megahertz) {
        core.fields().acceptTyping(field("sked_frequency"), megahertz);
        char16_t enter = 13;
        core.skedKeyPressed(enter);
    }

    testing::TempWorkingDir dir;
    testing::FakeClock clock{kMorning};
    testing::FakeZone zone;
    testing::FakeMessages messages;
    AppCore core{clock, zone, messages};
    std::vector<std::int64_t> rigEchoBandsMHz;  // what the rig part tells each tick
};

WantedFigures live(std::int64_t rxHz, std::int64_t txHz, int bandMHz = 1296) {
    return {RigFigures{rxHz, txHz}, {}, bandMHz};
}
WantedFigures notLive(const char* reason) {
    return {std::nullopt, reason};
}

// What reaches the rig tracking CFOM, tick by tick, as WSJT-X and the operator act.
TEST_F(WantedFiguresTest, FollowsOnlyAMovingFileAndASkedTheOperatorChose) {
    const WantedFigures cfom = live(1296100130, 1296099870);
    const struct {
        const char* what;
        std::function<void()> act;
        int ticks;
        WantedFigures expected;
        const char* sked;  // the sked box afterwards
    } steps[] = {
        {"no file yet", [] {}, 1, notLive("waiting for azel.dat (not found)"), ""},
        {"--sked, then a file written once, long ago",
         [&] {
             core.chooseSkedForThisRun("1296.1");
             useAzelDat(record(17));
         },
         1, notLive("waiting for azel.dat to update"), "1296.1"},
        {"its time stamp moves", [&] { useAzelDat(record(18)); }, 1, cfom, "1296.1"},
        {"it stops moving", [] {}, 6, notLive("waiting for azel.dat (not updating)"), "1296.1"},
        {"it moves again", [&] { useAzelDat(record(19)); }, 1, cfom, "1296.1"},
        {"it vanishes", [&] { std::filesystem::remove(dir.path() / "azel.dat"); }, 1,
         notLive("waiting for azel.dat (not found)"), "1296.1"},
        {"an old copy comes back", [&] { useAzelDat(record(19)); }, 1,
         notLive("waiting for azel.dat to update"), "1296.1"},
        {"WSJT-X writes again", [&] { useAzelDat(record(20)); }, 1, cfom, "1296.1"},
        {"WSJT-X moves to 432 MHz: the band sets the sked, the rig holds",
         [&] { useAzelDat(record(21, "432")); }, 1, notLive("enter a sked frequency"), "432"},
        {"the operator enters a sked", [&] { enterSked("432.1"); }, 1,
         live(432100130, 432099870, 432), "432.1"},
        {"the rig's own Tx figure read back as the band is no band change",
         [&] {
             rigEchoBandsMHz = {432, 431};
             useAzelDat(record(22, "431"));
         },
         1, live(432100130, 432099870, 432), "432.1"},
        {"a band the rig was not put on is", [&] { useAzelDat(record(23, "1296")); }, 1,
         notLive("enter a sked frequency"), "1296"},
        {"a sked of 0 is Hz offsets", [&] { enterSked("0"); }, 1, notLive("enter a sked frequency"),
         "0"},
    };
    core.start();
    for (const auto& step : steps) {
        step.act();
        for (int i = 0; i < step.ticks; ++i)
            tick();
        EXPECT_EQ(wanted(SkedScheme::Cfom), step.expected) << step.what;
        EXPECT_EQ(core.fields().text(field("sked_frequency")), step.sked) << step.what;
    }
}

TEST_F(WantedFiguresTest, EverySchemesShownFiguresInWholeHz) {
    core.start();
    core.chooseSkedForThisRun("1296.1");
    useAzelDat(record(31));
    tick();
    useAzelDat(record(32));
    tick();
    EXPECT_EQ(wanted(SkedScheme::FullDoppler), live(1296100120, 1296099880));
    EXPECT_EQ(wanted(SkedScheme::NoDoppler), live(1296100000, 1296100000));
    core.fields().select(field("hz1"));
    tick();
    EXPECT_EQ(wanted(SkedScheme::Cfom), live(1296100129, 1296099871));
    EXPECT_EQ(wanted(SkedScheme::OwnEcho), live(1296100258, 1296100000));
    EXPECT_EQ(wanted(SkedScheme::CallDx), live(1296100000, 1296099742));
    EXPECT_EQ(wanted(SkedScheme::DxEcho), live(1296100124, 1296099866));

    // A negative sked gives figures, but no frequencies.
    enterSked("-5");
    tick();
    EXPECT_EQ(wanted(SkedScheme::DxEcho), notLive("waiting for On DX Echo figures"));
}

// Figures the tracking poll calls live, from a sked the operator chose.
TrackingState liveTracking() {
    TrackingState tracking;
    tracking.found = true;
    tracking.lastStampSeconds = 20;
    tracking.stampMoved = true;
    tracking.skedChosen = true;
    tracking.skedBandMHz = 1296;
    return tracking;
}

// Random plans, some of them absurd: whatever the rig is sent is what the window
// shows, read digit by digit; and every figure shown reads back as its typed value.
TEST(ShownIsSent, ForRandomPlans) {
    std::mt19937_64 random(20261209);
    const auto uniform = [&](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    const auto hundredths = [&](double low, double high) {
        return std::round(uniform(low, high) * 100) / 100;
    };
    const TrackingState tracking = liveTracking();
    int sent = 0;
    for (int i = 0; i < 20000; ++i) {
        PlanInputs in;
        const int kind = static_cast<int>(random() % 10);
        in.skedFrequencyMHz = kind == 0   ? 0.0
                              : kind == 1 ? -uniform(0, 100)
                              : kind == 2 ? uniform(0, 0.001)
                                          : std::round(uniform(1, 250000) * 1e6) / 1e6;
        if (random() % 8 != 0) in.selfDopplerHz = hundredths(-80000, 80000);
        if (random() % 8 != 0) in.mutualDopplerHz = hundredths(-40000, 40000);
        in.resolutionDecimals = random() % 2 == 0 ? 5 : 6;
        in.toneDifferenceHz = random() % 2 == 0 ? 0.0 : hundredths(-500, 500);
        const SkedPlan plan = planSked(in);
        Fields fields;
        showSkedPlan(fields, plan);

        for (const SkedSchemeInfo& info : kSkedSchemes) {
            const SchemeFigures& figures = plan.of(info.scheme);
            const std::string& rxText = fields.text(kSchemeFields[schemeRow(info.scheme)].rx);
            const std::string& txText = fields.text(kSchemeFields[schemeRow(info.scheme)].tx);
            SCOPED_TRACE(std::string(info.caption) + " Rx " + rxText + " Tx " + txText);
            const WantedFigures wanted = wantedFigures(tracking, plan, info.scheme);
            if (wanted.figures) {
                ++sent;
                EXPECT_EQ(wholeHzOfMHzText(rxText), wanted.figures->rxHz);
                EXPECT_EQ(wholeHzOfMHzText(txText), wanted.figures->txHz);
            } else if (!plan.hzMode) {
                EXPECT_FALSE(wholeHzOfMHzText(rxText) && wholeHzOfMHzText(txText));
            }
            for (const auto& figure : {figures.rxHz, figures.txHz, figures.partnerRxHz,
                                       figures.partnerTxHz, figures.partnerToneTxHz}) {
                if (!figure) continue;
                const std::string text = figureText(plan, *figure);
                const bool negative = text.starts_with('-');
                std::string digits = text.substr(negative ? 1 : 0);
                if (plan.hzMode) {
                    ASSERT_TRUE(digits.ends_with(" Hz")) << text;
                    digits.resize(digits.size() - 3);
                    ASSERT_EQ(std::to_string(std::llabs(*figure)), digits);
                } else {
                    const auto hz = wholeHzOfMHzText(digits);
                    ASSERT_EQ(hz.value_or(0), std::llabs(*figure)) << text;
                }
                ASSERT_EQ(negative, *figure < 0) << text;
            }
        }
    }
    EXPECT_GT(sent, 50000);  // most plans are live frequencies
}

WantedPointing pointing(std::optional<AzEl> target, const char* reason = "",
                        PointAt body = PointAt::Moon, int second = 7) {
    return {target, reason, body, second};
}

// What reaches the antenna, tick by tick: live by the rig's rule, the moon from line 1
// as written (not the window's whole degrees), the sun from line 2 when it gives one.
TEST_F(WantedFiguresTest, PointsOnlyAtALiveMoonOrSun) {
    const auto sunLine = [](int seconds, const char* line2) {
        const std::string stamp = "09:19:" + std::to_string(seconds);
        return stamp + ", 123.4, 45.6,Moon\n" + line2 + "\n" + stamp +
               ",  0.0,  0.0,Source\n1296,124,0.50,258,0.60,Doppler, R\n";
    };
    const struct {
        const char* what;
        std::function<void()> act;
        int ticks;
        WantedPointing moon;
        WantedPointing sun;
    } steps[] = {
        {"no file yet", [] {}, 1, pointing(std::nullopt, "waiting for azel.dat (not found)"),
         pointing(std::nullopt, "waiting for azel.dat (not found)", PointAt::Sun)},
        {"written once, long ago", [&] { useAzelDat(record(17)); }, 1,
         pointing(std::nullopt, "waiting for azel.dat to update"),
         pointing(std::nullopt, "waiting for azel.dat to update", PointAt::Sun)},
        // No sked frequency is needed to point the antenna.
        {"its time stamp moves", [&] { useAzelDat(record(18)); }, 1, pointing(AzEl{123.4, 45.6}),
         pointing(AzEl{200.1, 12.0}, "", PointAt::Sun)},
        {"it stops moving", [] {}, 6, pointing(std::nullopt, "waiting for azel.dat (not updating)"),
         pointing(std::nullopt, "waiting for azel.dat (not updating)", PointAt::Sun)},
        {"line 2 is not the sun's", [&] { useAzelDat(sunLine(19, "junk")); }, 1,
         pointing(AzEl{123.4, 45.6}),
         pointing(std::nullopt, "waiting for the sun in azel.dat", PointAt::Sun)},
        {"line 2 is the sun's again", [&] { useAzelDat(sunLine(20, "09:19:20, 99.5, -3.25,Sun")); },
         1, pointing(AzEl{123.4, 45.6}), pointing(AzEl{99.5, -3.25}, "", PointAt::Sun)},
        {"it vanishes", [&] { std::filesystem::remove(dir.path() / "azel.dat"); }, 1,
         pointing(std::nullopt, "waiting for azel.dat (not found)"),
         pointing(std::nullopt, "waiting for azel.dat (not found)", PointAt::Sun)},
        {"an old copy comes back", [&] { useAzelDat(record(20)); }, 1,
         pointing(std::nullopt, "waiting for azel.dat to update"),
         pointing(std::nullopt, "waiting for azel.dat to update", PointAt::Sun)},
    };
    core.start();
    for (const auto& step : steps) {
        step.act();
        for (int i = 0; i < step.ticks; ++i)
            tick();
        EXPECT_EQ(wantedPointing(core.tracking(), PointAt::Moon, 7), step.moon) << step.what;
        EXPECT_EQ(wantedPointing(core.tracking(), PointAt::Sun, 7), step.sun) << step.what;
    }
}

}  // namespace
}  // namespace selvora
