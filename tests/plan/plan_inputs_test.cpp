// What a plan takes from the window, and the DX self Doppler and tone check it shows.
#include "plan/plan_inputs.h"

#include "plan_test_support.h"

namespace selvora {
namespace {

using namespace colours;

using PlanInputsTest = PlanWindow;

TEST_F(PlanInputsTest, ModeAndResolutionAreSetAfreshEveryTick) {
    const struct {
        bool hz1;
        double sked;
        bool hzMode;
        int resolutionDecimals;
        const char* noDopplerRx;
    } cases[] = {
        {true, 0, true, 6, "0 Hz"},  // Hz mode, resolution still set
        {false, 0, true, 5, "0 Hz"},
        {true, 1296.1, false, 6, "1296.100000"},
        {false, 1296.1, false, 5, "1296.10000"},
        {false, -1296, false, 5, "-1296.00000"},  // negative: MHz mode
        {true, 1e-300, false, 6, "0.000000"},     // only exactly 0 is Hz mode
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sked);
        c.hz1 ? oneHz() : tenHz();
        skedFrequency = c.sked;
        lastPlan.resolutionDecimals = -1;
        plan();
        EXPECT_EQ(lastPlan.hzMode, c.hzMode);
        EXPECT_EQ(lastPlan.resolutionDecimals, c.resolutionDecimals);
        EXPECT_EQ(text("rx_no_doppler"), c.noDopplerRx);
    }
}

TEST_F(PlanInputsTest, DxSelfDopplerIsTwiceMutualLessOwnSelf) {
    const struct {
        const char* self;
        const char* mutual;
        const char* shown;
    } cases[] = {
        {"258", "124", "-10"},   {"", "", "0"},         // before the first read of azel.dat
        {"-37", "12.5", "62"},   {"abc", "7 Hz", "0"},  // no plain number: no Doppler
        {"1E308", "1E308", ""},                         // 2 x 1E308 overflows: emptied, never "inf"
        {"1E308", "-1E308", ""},                        // -inf
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.self) + " / " + c.mutual);
        set("dx_self_doppler", "previous");
        inputs(c.self, c.mutual);
        plan();
        EXPECT_EQ(text("dx_self_doppler"), c.shown);
    }
}

TEST_F(PlanInputsTest, ToneCheckShowsTheDifferenceAndItsDirection) {
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
        plan();
        EXPECT_EQ(text("tone_check"), c.shown);
        EXPECT_EQ(fields.foreColour(check), c.fore);
        EXPECT_EQ(fields.backColour(check), c.back);
    }
}

}  // namespace
}  // namespace selvora
