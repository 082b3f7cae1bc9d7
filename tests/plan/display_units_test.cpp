#include "plan/display_units.h"

#include "plan_test_support.h"

namespace selvora {
namespace {

using namespace colours;

using DisplayUnits = PlanWindow;

TEST_F(DisplayUnits, ModeAndResolutionAreSetAfreshEveryTick) {
    const struct {
        bool hz1;
        double sked;
        int decimals;
        int resolutionDecimals;
        double divisor;
        const char* suffix;
    } cases[] = {
        {true, 0, 0, 6, 1, " Hz"},  // Hz mode, resolution still set
        {false, 0, 0, 5, 1, " Hz"},
        {true, 1296.1, 6, 6, 1000000, ""},
        {false, 1296.1, 5, 5, 1000000, ""},
        {false, -1296, 5, 5, 1000000, ""},  // negative: MHz mode
        {true, 1e-300, 6, 6, 1000000, ""},  // only exactly 0 is Hz mode
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sked);
        c.hz1 ? oneHz() : tenHz();
        skedFrequency = c.sked;
        state.resolutionDecimals = -1;
        const PlanTick tick = prepareDisplayUnits(fields, skedFrequency, state);
        EXPECT_EQ(tick.decimals, c.decimals);
        EXPECT_EQ(state.resolutionDecimals, c.resolutionDecimals);
        EXPECT_EQ(tick.frequencyDivisor, c.divisor);
        EXPECT_EQ(tick.unitSuffix, c.suffix);
    }
}

TEST_F(DisplayUnits, DxSelfDopplerIsTwiceMutualLessOwnSelf) {
    const struct {
        const char* self;
        const char* mutual;
        const char* shown;
    } cases[] = {
        {"258", "124", "-10"},   {"", "", "0"},  // before the first read of azel.dat
        {"-37", "12.5", "62"},   {"abc", "7 Hz", "14"},
        {"1E308", "1E308", ""},   // 2 x 1E308 overflows: emptied, never "inf"
        {"1E308", "-1E308", ""},  // -inf
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.self) + " / " + c.mutual);
        set("dx_self_doppler", "previous");
        inputs(c.self, c.mutual);
        prepareDisplayUnits(fields, skedFrequency, state);
        EXPECT_EQ(text("dx_self_doppler"), c.shown);
    }
}

TEST_F(DisplayUnits, ToneCheckShowsTheDifferenceAndItsDirection) {
    const struct {
        const char* tx;
        const char* rx;
        const char* shown;
        Rgb fore, back;
    } cases[] = {
        {"1270", "1270", " On Frequency", kBlack, kWhite},
        {"1270", "1220", "50 Hz LOW", kWhite, kRed},
        {"1220", "1270", "50 Hz HIGH", kWhite, kRed},
        {"1270.5", "1270", "0.5 Hz LOW", kWhite, kRed},
        {"1270.1", "1270", "0.0999999999999091 Hz LOW", kWhite, kRed},
        {"abc", "1270", "1270 Hz HIGH", kWhite, kRed},
        {"1270", "", "1270 Hz LOW", kWhite, kRed},
        {"1E308", "-1E308", "", kWhite, kRed},  // no finite difference: no figure
        {"-1E308", "1E308", "", kWhite, kRed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.tx) + " - " + c.rx);
        const FieldId check = id("tone_check");
        fields.setForeColour(check, 0x123456);  // so each colour must be set by the check
        fields.setBackColour(check, 0x654321);
        inputs("0", "0", c.tx, c.rx);
        prepareDisplayUnits(fields, skedFrequency, state);
        EXPECT_EQ(text("tone_check"), c.shown);
        EXPECT_EQ(fields.foreColour(check), c.fore);
        EXPECT_EQ(fields.backColour(check), c.back);
    }
}

}  // namespace
}  // namespace selvora
