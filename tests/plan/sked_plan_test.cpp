#include "plan/sked_plan.h"

#include <cctype>
#include <cstdint>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "common/numbers.h"
#include "plan_test_support.h"

namespace selvora {
namespace {

// One row of the sked table: the scheme's field suffix and its five texts.
struct Row {
    const char* scheme;
    const char* tx;
    const char* rx;
    const char* dxTx;
    const char* dxRx;
    const char* dxTx2;
};

// S = 1296.1, self Doppler 258, mutual Doppler 124, Tx tone 1270, Rx tone 1220.
constexpr Row kOneHzTable[] = {
    {"own_echo", "1296.100000", "1296.100258", "1296.100134", "1296.100124", "1296.100084"},
    {"call_dx", "1296.099742", "1296.100000", "1296.099876", "1296.099866", "1296.099826"},
    {"full_doppler", "1296.099876", "1296.100124", "1296.100000", "1296.100000", "1296.099950"},
    {"dx_echo", "1296.099866", "1296.100124", "1296.100000", "1296.099990", "1296.099950"},
    {"cfom", "1296.099871", "1296.100129", "1296.100005", "1296.099995", "1296.099955"},
    {"no_doppler", "1296.100000", "1296.100000", "1296.099876", "1296.100124", "1296.099826"},
};

// The same at 10 Hz: each DX figure inherits the rounding of the own text it comes
// from (Own Echo DX Tx 1296.10026 - 0.000124 gives 1296.10014, not 1296.10013).
constexpr Row kTenHzTable[] = {
    {"own_echo", "1296.10000", "1296.10026", "1296.10014", "1296.10012", "1296.10009"},
    {"call_dx", "1296.09974", "1296.10000", "1296.09988", "1296.09986", "1296.09983"},
    {"full_doppler", "1296.09988", "1296.10012", "1296.10000", "1296.10000", "1296.09995"},
    {"dx_echo", "1296.09987", "1296.10012", "1296.10000", "1296.09999", "1296.09995"},
    {"cfom", "1296.09987", "1296.10013", "1296.10001", "1296.09999", "1296.09996"},
    {"no_doppler", "1296.10000", "1296.10000", "1296.09988", "1296.10012", "1296.09983"},
};

// S = 0, same Doppler texts: Hz offsets, no DX figures.
constexpr Row kHzModeTable[] = {
    {"own_echo", "0 Hz", "258 Hz", "", "", ""},        {"call_dx", "-258 Hz", "0 Hz", "", "", ""},
    {"full_doppler", "-124 Hz", "124 Hz", "", "", ""}, {"dx_echo", "-134 Hz", "124 Hz", "", "", ""},
    {"cfom", "-129 Hz", "129 Hz", "", "", ""},         {"no_doppler", "0 Hz", "0 Hz", "", "", ""},
};

// The id of a scheme's field in one column: "dx_rx_" + "cfom".
std::string planId(const SchemeRow& row, std::size_t column) {
    return std::string(kPlanColumns[column].idPrefix).append(row.key);
}

std::vector<std::string> planFieldNames() {
    std::vector<std::string> names;
    for (const SchemeRow& row : kSchemeRows)
        for (std::size_t column = 0; column < std::size(kPlanColumns); ++column)
            names.push_back(planId(row, column));
    return names;
}

class SkedPlanTest : public PlanWindow {
  protected:
    void expectTable(const Row (&table)[6]) {
        for (const Row& row : table) {
            SCOPED_TRACE(row.scheme);
            const std::string s = row.scheme;
            EXPECT_EQ(text("tx_" + s), row.tx);
            EXPECT_EQ(text("rx_" + s), row.rx);
            EXPECT_EQ(text("dx_tx_" + s), row.dxTx);
            EXPECT_EQ(text("dx_rx_" + s), row.dxRx);
            EXPECT_EQ(text("dx_tone_tx_" + s), row.dxTx2);
        }
    }
    void fillPlanFields(std::string_view junk) {
        for (const std::string& name : planFieldNames())
            set(name, junk);
    }
    void expectNoInfinityShown() {
        for (const std::string& name : planFieldNames()) {
            std::string shown = text(name);
            for (char& c : shown)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            EXPECT_EQ(shown.find("inf"), std::string::npos) << name << ": " << text(name);
            EXPECT_EQ(shown.find("nan"), std::string::npos) << name << ": " << text(name);
        }
    }
};

TEST_F(SkedPlanTest, WorkedExamplesFieldForField) {
    const struct {
        bool hz1;
        const Row (&table)[6];
    } cases[] = {{true, kOneHzTable}, {false, kTenHzTable}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hz1 ? "1 Hz" : "10 Hz");
        c.hz1 ? oneHz() : tenHz();
        fillPlanFields("previous");
        inputs("258", "124", "1270", "1220");
        skedFrequency = 1296.1;
        plan();
        expectTable(c.table);
        EXPECT_EQ(text("dx_self_doppler"), "-10");
        EXPECT_EQ(text("tone_check"), "50 Hz LOW");
    }
}

TEST_F(SkedPlanTest, SkedFrequencyZeroShowsHzOffsetsAndEmptiesTheDxFieldsOnTheNextTick) {
    oneHz();
    inputs("258", "124", "1270", "1220");
    skedFrequency = 1296.1;
    plan();
    ASSERT_EQ(text("dx_tx_own_echo"), "1296.100134");

    skedFrequency = 0;
    plan();
    expectTable(kHzModeTable);
}

TEST_F(SkedPlanTest, CfomHalfStepsRoundAwayFromZero) {
    const struct {
        double sked;
        const char* self;
        const char* tx;
        const char* rx;
    } cases[] = {
        {1296.1, "257", "1296.099872", "1296.100129"},
        {1296.1, "-257", "1296.100129", "1296.099872"},
        {0, "257", "-129 Hz", "129 Hz"},
        {0, "-257", "129 Hz", "-129 Hz"},
    };
    oneHz();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.self) + " at " + std::to_string(c.sked));
        inputs(c.self, "124");
        skedFrequency = c.sked;
        plan();
        EXPECT_EQ(text("tx_cfom"), c.tx);
        EXPECT_EQ(text("rx_cfom"), c.rx);
    }
}

TEST_F(SkedPlanTest, NegativeSkedFrequencyIsMhzModeWithoutOwnEchoDxFigures) {
    tenHz();
    fillPlanFields("previous");
    inputs("258", "124");
    skedFrequency = -5;
    plan();
    EXPECT_EQ(text("tx_no_doppler"), "-5.00000");
    EXPECT_EQ(text("rx_no_doppler"), "-5.00000");
    EXPECT_EQ(text("dx_tx_no_doppler"), "-5.00012");
    EXPECT_EQ(text("dx_rx_no_doppler"), "-4.99988");
    EXPECT_EQ(text("dx_tone_tx_no_doppler"), "-5.00012");
    EXPECT_EQ(text("rx_own_echo"), "-4.99974");
    for (const char* name : {"dx_tx_own_echo", "dx_rx_own_echo", "dx_tone_tx_own_echo"})
        EXPECT_EQ(text(name), "") << name;
    const std::regex nearMinusFive("-(5\\.0|4\\.9)[0-9]{4}");
    for (const char* scheme : {"call_dx", "full_doppler", "dx_echo", "cfom"}) {
        const std::string s = scheme;
        for (const std::string& name : {"dx_tx_" + s, "dx_rx_" + s, "dx_tone_tx_" + s})
            EXPECT_TRUE(std::regex_match(text(name), nearMinusFive)) << name << ": " << text(name);
    }
}

TEST_F(SkedPlanTest, FullDopplerDxStationSitsOnTheSkedFrequencyForEveryWholeHzMutualDoppler) {
    // 12 Hz goes through "1.2E-05" on its way to MHz and back.
    oneHz();
    skedFrequency = 1296.1;
    for (int mutual = -2000; mutual <= 2000; ++mutual) {
        inputs("258", std::to_string(mutual));
        plan();
        ASSERT_EQ(text("dx_tx_full_doppler"), "1296.100000") << mutual;
        ASSERT_EQ(text("dx_rx_full_doppler"), "1296.100000") << mutual;
    }
}

TEST_F(SkedPlanTest, MutualDopplerThatIsNotAPlainNumberEmptiesEveryDxFigure) {
    const struct {
        const char* mutual;
        const char* fullDopplerRx;  // the own figures take no Doppler as 0
    } cases[] = {{"", "1296.100000"}, {"12 Hz", "1296.100000"}, {"abc", "1296.100000"}};
    oneHz();
    skedFrequency = 1296.1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mutual);
        inputs("258", "124", "1270", "1220");
        plan();  // a good tick first, so the DX fields hold figures
        ASSERT_EQ(text("dx_tx_cfom"), "1296.100005");

        inputs("258", c.mutual, "1270", "1220");
        plan();
        EXPECT_EQ(text("rx_full_doppler"), c.fullDopplerRx);
        EXPECT_EQ(text("rx_own_echo"), "1296.100258");
        EXPECT_EQ(text("tx_no_doppler"), "1296.100000");
        for (const Row& row : kOneHzTable) {
            const std::string s = row.scheme;
            EXPECT_EQ(text("dx_tx_" + s), "") << s;
            EXPECT_EQ(text("dx_rx_" + s), "") << s;
            EXPECT_EQ(text("dx_tone_tx_" + s), "") << s;
        }
        EXPECT_EQ(text("tone_check"), "50 Hz LOW");  // the tick went on
    }
}

TEST_F(SkedPlanTest, FiguresBeyondTheDoubleRangeEmptyTheirFieldsAndWhatDependsOnThem) {
    oneHz();

    // Hz mode: 2 x -1E308 - 1E308 is -inf; On DX Echo Tx neither "-inf Hz" nor " Hz".
    inputs("1E308", "-1E308");
    skedFrequency = 0;
    plan();
    EXPECT_EQ(text("dx_self_doppler"), "");
    EXPECT_EQ(text("tx_dx_echo"), "");
    // Finite, but more whole Hz than a figure holds exactly: no figure either.
    EXPECT_EQ(text("rx_dx_echo"), "");
    expectNoInfinityShown();

    // MHz mode: the DX Rx of On DX Echo is worked out from its emptied own Tx, so
    // it is emptied too rather than computed from 0.
    inputs("-1E308", "1E308");
    skedFrequency = 1296.1;
    plan();
    EXPECT_EQ(text("tx_dx_echo"), "");
    EXPECT_EQ(text("dx_rx_dx_echo"), "");
    expectNoInfinityShown();

    // Tone difference beyond the range: no tone-corrected figure, the rest stands.
    inputs("258", "124", "1E308", "-1E308");
    plan();
    for (const Row& row : kOneHzTable) {
        const std::string s = row.scheme;
        EXPECT_EQ(text("dx_tx_" + s), row.dxTx) << s;
        EXPECT_EQ(text("dx_tone_tx_" + s), "") << s;
    }
    expectNoInfinityShown();

    // Figures stop just below 2^53 Hz (about 9 PHz), where whole Hz are still exact.
    skedFrequency = 0;
    inputs("9007199254740000", "0");
    plan();
    EXPECT_EQ(text("rx_own_echo"), "9007199254740000 Hz");
    inputs("9007199254750000", "0");
    plan();
    EXPECT_EQ(text("rx_own_echo"), "");
}

// Random sked frequencies (1 to 24000 MHz, 1 to 6 decimals) and whole-Hz Doppler
// texts: what must hold whatever the inputs.
TEST_F(SkedPlanTest, InvariantsHoldForRandomSkedsAndDopplers) {
    std::mt19937_64 random(20240604);
    const auto below = [&](std::uint64_t n) { return static_cast<std::int64_t>(random() % n); };
    const auto dopplerText = [&] { return std::to_string(below(80001) - 40000); };
    const std::regex hzText("-?[0-9]+ Hz");
    const std::regex sixDecimals("[0-9]+\\.[0-9]{6}");
    const std::regex fiveDecimals("[0-9]+\\.[0-9]{5}");

    for (int i = 0; i < 3000; ++i) {
        // The sked frequency as the operator types it, and its value in 1 Hz units.
        const int decimals = 1 + static_cast<int>(below(6));
        std::int64_t scale = 1;
        for (int d = 0; d < decimals; ++d)
            scale *= 10;
        const std::int64_t units = scale + below(23999 * scale + 1);
        std::string fraction = std::to_string(units % scale);
        fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), '0');
        const std::string typed = std::to_string(units / scale) + "." + fraction;
        const std::int64_t hz = units * (1000000 / scale);

        const bool hz1 = below(2) == 0;
        hz1 ? oneHz() : tenHz();
        inputs(dopplerText(), dopplerText());
        skedFrequency = i % 10 == 0 ? 0 : leadingNumber(typed);
        SCOPED_TRACE(typed + (hz1 ? " 1 Hz" : " 10 Hz") + " self " + text("self_doppler") +
                     " mutual " + text("mutual_doppler") + " S " + std::to_string(skedFrequency));
        plan();

        expectNoInfinityShown();
        for (const SchemeRow& row : kSchemeRows) {
            for (const std::string& own : {planId(row, 0), planId(row, 1)}) {
                const std::string& shown = text(own);
                const std::regex& form = skedFrequency == 0 ? hzText
                                         : hz1              ? sixDecimals
                                                            : fiveDecimals;
                EXPECT_TRUE(std::regex_match(shown, form)) << own << ": " << shown;
            }
        }
        // Equal tones: the tone-corrected DX Tx is the DX Tx.
        for (const SchemeRow& row : kSchemeRows)
            EXPECT_EQ(text(planId(row, 4)), text(planId(row, 3)));
        if (skedFrequency == 0) {
            for (const SchemeRow& row : kSchemeRows)
                for (std::size_t c = 2; c < std::size(kPlanColumns); ++c)
                    EXPECT_EQ(text(planId(row, c)), "") << planId(row, c);
            continue;
        }

        // The sked frequency at the resolution, from whole numbers: 10 Hz steps
        // round halves up (all these frequencies are positive).
        const std::int64_t steps = hz1 ? hz : (hz + 5) / 10;
        const int shownDecimals = hz1 ? 6 : 5;
        std::string skedShown = std::to_string(steps);
        skedShown.insert(skedShown.size() - static_cast<std::size_t>(shownDecimals), ".");
        EXPECT_EQ(text("tx_no_doppler"), skedShown);
        EXPECT_EQ(text("rx_no_doppler"), skedShown);
        if (hz1) {
            // At 10 Hz the own text is already off by up to 5 Hz, and the DX text
            // rounds again; at 1 Hz both round trips are exact.
            EXPECT_EQ(text("dx_tx_full_doppler"), skedShown);
            EXPECT_EQ(text("dx_rx_full_doppler"), skedShown);
        }
    }
}

}  // namespace
}  // namespace selvora
