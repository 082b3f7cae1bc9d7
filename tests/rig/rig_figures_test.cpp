// The figures the rig is sent, read off the real window model after real ticks.
#include "rig/rig_figures.h"

#include <gtest/gtest.h>

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

// S = 1296.1 MHz, mutual Doppler 124 Hz, self Doppler 258 Hz, stamped at `seconds`.
std::string record(int seconds) {
    const std::string stamp = "09:19:" + std::to_string(seconds);
    return stamp + ", 123.4, 45.6,Moon\n" + stamp + ",200.1, 12.0,Sun\n" + stamp +
           ",  0.0,  0.0,Source\n1296.1,124,0.50,258,0.60,Doppler, R\n";
}

class WantedFiguresTest : public ::testing::Test {
  protected:
    void tick() { selvora.tick(); }
    WantedFigures wanted(SkedScheme scheme) { return wantedFigures(selvora.fields(), scheme); }
    void useAzelDat(const std::string& bytes) {
        selvora.fields().setText(field("azel_path"), dir.write("azel.dat", bytes));
    }

    testing::TempWorkingDir dir;
    testing::FakeClock clock{kMorning};
    testing::FakeZone zone;
    testing::FakeMessages messages;
    Selvora selvora{clock, zone, messages};
};

WantedFigures live(std::int64_t rxHz, std::int64_t txHz) {
    return {RigFigures{rxHz, txHz}, {}};
}
WantedFigures notLive(const char* reason) {
    return {std::nullopt, reason};
}

TEST_F(WantedFiguresTest, LiveOnlyOnceAzelDatHasBeenReadAndIsUpdating) {
    selvora.start();
    EXPECT_EQ(wanted(SkedScheme::Cfom), notLive("waiting for azel.dat (not found)"));

    // Found but unreadable, with a sked frequency typed in: the fields show the sked
    // frequency with no Doppler at all, which must not reach the rig.
    useAzelDat("");
    selvora.tracking().skedFrequencyMHz = 1296.1;
    tick();
    EXPECT_EQ(selvora.fields().text(field("rx_cfom")), "1296.10000");
    EXPECT_EQ(wanted(SkedScheme::Cfom), notLive("waiting for azel.dat"));

    useAzelDat(record(32));
    tick();
    EXPECT_EQ(wanted(SkedScheme::Cfom), live(1296100130, 1296099870));
    EXPECT_EQ(wanted(SkedScheme::FullDoppler), live(1296100120, 1296099880));
    EXPECT_EQ(wanted(SkedScheme::NoDoppler), live(1296100000, 1296100000));
    selvora.fields().select(field("hz1"));
    tick();
    EXPECT_EQ(wanted(SkedScheme::Cfom), live(1296100129, 1296099871));
    EXPECT_EQ(wanted(SkedScheme::OwnEcho), live(1296100258, 1296100000));
    EXPECT_EQ(wanted(SkedScheme::CallDx), live(1296100000, 1296099742));
    EXPECT_EQ(wanted(SkedScheme::DxEcho), live(1296100124, 1296099866));

    // The same time stamp six reads in a row: "AZEL IS NOT UPDATING".
    for (int i = 0; i < 6; ++i)
        tick();
    EXPECT_FALSE(selvora.fields().visible(field("seconds")));
    EXPECT_EQ(wanted(SkedScheme::Cfom), notLive("waiting for azel.dat (not updating)"));
    useAzelDat(record(33));
    tick();
    EXPECT_EQ(wanted(SkedScheme::Cfom), live(1296100129, 1296099871));

    selvora.fields().setText(field("azel_path"), (dir.path() / "gone" / "azel.dat").string());
    tick();
    EXPECT_EQ(wanted(SkedScheme::Cfom), notLive("waiting for azel.dat (not found)"));
}

TEST_F(WantedFiguresTest, HzOffsetsAndEmptyFieldsAreNoFrequencies) {
    useAzelDat(record(32));
    tick();
    selvora.fields().setText(field("rx_dx_echo"), "");
    EXPECT_EQ(wanted(SkedScheme::DxEcho), notLive("waiting for On DX Echo figures"));

    selvora.fields().setText(field("sked_frequency"), "0");
    char16_t enter = 13;
    selvora.skedKeyPressed(enter);
    tick();
    EXPECT_EQ(selvora.fields().text(field("rx_cfom")), "129 Hz");
    EXPECT_EQ(wanted(SkedScheme::Cfom), notLive("waiting for a sked frequency"));
}

}  // namespace
}  // namespace selvora
