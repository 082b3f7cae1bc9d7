// The --transverter text an operator types, and the LO a band gets.
#include "rig/transverter.h"

#include <gtest/gtest.h>

namespace selvora {
namespace {

// The problems name the text as typed and end with how it should look.
const std::string kBand =
    " does not start with a band in whole MHz (BAND:LO_MHZ, such as 1296:1152)";
const std::string kLo =
    " does not end with the LO in MHz, at most 6 decimals (BAND:LO_MHZ, such as 1296:1152)";

TEST(Transverter, ReadsBandAndLoToWholeHzAndRejectsTheRestClearly) {
    const struct {
        std::string text;
        std::optional<TransverterOffset> offset;
        std::string problem = {};  // after the quoted text
    } cases[] = {
        {"1296:1152", TransverterOffset{1296, 1152000000}},
        {"10368:10224", TransverterOffset{10368, 10224000000}},
        // Digit by digit: 0.1 MHz steps are not binary fractions.
        {"2304:2160.1", TransverterOffset{2304, 2160100000}},
        {"24048:23904.000001", TransverterOffset{24048, 23904000001}},
        {"1296", std::nullopt, " is not BAND:LO_MHZ, such as 1296:1152"},
        {"1296.1:1152", std::nullopt, kBand},
        {"+1296:1152", std::nullopt, kBand},
        {":1152", std::nullopt, kBand},
        {"99999999999:1", std::nullopt, kBand},
        {"1296:", std::nullopt, kLo},
        {"1296:1152.0000001", std::nullopt, kLo},
        {"1296:-1152", std::nullopt, kLo},
        {"1296:1152:1", std::nullopt, kLo},
        {"1296:1296", std::nullopt, " has the LO at or above the band"},
    };
    for (const auto& c : cases) {
        const TransverterReading reading = readTransverter(c.text);
        EXPECT_EQ(reading.offset, c.offset) << c.text;
        EXPECT_EQ(reading.problem, c.offset ? "" : "\"" + c.text + "\"" + c.problem) << c.text;
        if (c.offset) {
            EXPECT_EQ(transverterText(*c.offset), c.text);  // saved as typed
        }
    }
}

TEST(Transverter, ALaterOffsetForABandReplacesTheEarlierOne) {
    TransverterOffsets offsets;
    addTransverter(offsets, {1296, 1152000000});
    addTransverter(offsets, {10368, 10224000000});
    addTransverter(offsets, {1296, 1268000000});
    EXPECT_EQ(transverterLoHz(offsets, 1296), 1268000000);
    EXPECT_EQ(transverterLoHz(offsets, 10368), 10224000000);
    EXPECT_EQ(transverterLoHz(offsets, 144), 0);
    EXPECT_EQ(offsets.size(), 2u);
}

}  // namespace
}  // namespace selvora
