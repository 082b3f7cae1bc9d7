// Whole Hz and their MHz text.
#include "common/megahertz.h"

#include <gtest/gtest.h>

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

TEST(MhzText, WritesWholeHzWithSixDecimals) {
    EXPECT_EQ(mhzText(1296100130), "1296.100130 MHz");
    EXPECT_EQ(mhzText(144000001), "144.000001 MHz");
    EXPECT_EQ(mhzText(10), "0.000010 MHz");
}

}  // namespace
}  // namespace selvora
