// The figures the rig is sent, read off the real window model after real ticks.
#include "rig/rig_figures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "app/selvora.h"
#include "support/fakes.h"
#include "support/temp_dir.h"

namespace selvora {
namespace {

TEST(WholeHzOfMHzText, ReadsTheShownDigitsExactly) {
    const struct {
        const char* text;
        std::optional<std::int64_t> hz;
    } cases[] = {
        {"1296.100129", 1296100129},
        {"1296.10013", 1296100130},   // 10 Hz resolution
        {"1296.099999", 1296099999},  // 1296.099999 * 1e6 is 1296099998.99... in binary
        {"144.000001", 144000001},
        {"47088.100000", 47088100000},  // beyond 32 bits
        {"10368", 10368000000},
        {"0.000010", 10},
        {"0.000000", std::nullopt},      // no frequency
        {"-5.00000", std::nullopt},      // a negative sked frequency
        {"258 Hz", std::nullopt},        // a Hz-mode offset
        {"1296.1000001", std::nullopt},  // finer than 1 Hz: not a whole-Hz figure
        {"", std::nullopt},
        {".5", std::nullopt},
        {"1,296.1", std::nullopt},
        {"1e3", std::nullopt},
        {"1296.1 ", std::nullopt},
        {"1234567.0", std::nullopt},  // beyond any band, and near overflow
    };
    for (const auto& c : cases)
        EXPECT_EQ(wholeHzOfMHzText(c.text), c.hz) << c.text;
}

constexpr LocalDateTime kMorning{2026, 12, 7, 9, 19, 32};

// Mutual Doppler 124 Hz, self Doppler 258 Hz on `band`, stamped at `seconds`.
std::string record(int seconds, const char* band = "1296") {
    const std::string stamp = "09:19:" + std::to_string(seconds);
    return stamp + ", 123.4, 45.6,Moon\n" + stamp + ",200.1, 12.0,Sun\n" + stamp +
           ",  0.0,  0.0,Source\n" + band + ",124,0.50,258,0.60,Doppler, R\n";
}

class WantedFiguresTest : public ::testing::Test {
  protected:
    void tick() { selvora.tick(); }
    WantedFigures wanted(SkedScheme scheme) {
        return wantedFigures(selvora.fields(), selvora.tracking(), selvora.plan(), scheme);
    }
    void useAzelDat(const std::string& bytes) {
        selvora.fields().setText(field("azel_path"), dir.write("azel.dat", bytes));
    }
    void enterSked(const char* megahertz) {
        selvora.fields().acceptTyping(field("sked_frequency"), megahertz);
        char16_t enter = 13;
        selvora.skedKeyPressed(enter);
    }

    testing::TempWorkingDir dir;
    testing::FakeClock clock{kMorning};
    testing::FakeZone zone;
    testing::FakeMessages messages;
    Selvora selvora{clock, zone, messages};
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
             selvora.chooseSkedForThisRun("1296.1");
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
             selvora.tracking().rigEchoBandsMHz = {432, 431};
             useAzelDat(record(22, "431"));
         },
         1, live(432100130, 432099870, 432), "432.1"},
        {"a band the rig was not put on is", [&] { useAzelDat(record(23, "1296")); }, 1,
         notLive("enter a sked frequency"), "1296"},
        {"a sked of 0 is Hz offsets", [&] { enterSked("0"); }, 1, notLive("enter a sked frequency"),
         "0"},
    };
    selvora.start();
    for (const auto& step : steps) {
        step.act();
        for (int i = 0; i < step.ticks; ++i)
            tick();
        EXPECT_EQ(wanted(SkedScheme::Cfom), step.expected) << step.what;
        EXPECT_EQ(selvora.fields().text(field("sked_frequency")), step.sked) << step.what;
    }
}

TEST_F(WantedFiguresTest, EverySchemesShownFiguresInWholeHz) {
    selvora.start();
    selvora.chooseSkedForThisRun("1296.1");
    useAzelDat(record(31));
    tick();
    useAzelDat(record(32));
    tick();
    EXPECT_EQ(wanted(SkedScheme::FullDoppler), live(1296100120, 1296099880));
    EXPECT_EQ(wanted(SkedScheme::NoDoppler), live(1296100000, 1296100000));
    selvora.fields().select(field("hz1"));
    tick();
    EXPECT_EQ(wanted(SkedScheme::Cfom), live(1296100129, 1296099871));
    EXPECT_EQ(wanted(SkedScheme::OwnEcho), live(1296100258, 1296100000));
    EXPECT_EQ(wanted(SkedScheme::CallDx), live(1296100000, 1296099742));
    EXPECT_EQ(wanted(SkedScheme::DxEcho), live(1296100124, 1296099866));

    // A field emptied because its figure could not be worked out is no frequency.
    selvora.fields().setText(field("rx_dx_echo"), "");
    EXPECT_EQ(wanted(SkedScheme::DxEcho), notLive("waiting for On DX Echo figures"));
}

}  // namespace
}  // namespace selvora
