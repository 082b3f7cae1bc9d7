#include "common/numbers.h"

#include <cfloat>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include <gtest/gtest.h>

namespace selvora {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(LeadingNumber, ReadsTheLongestLeadingDecimal) {
    const struct {
        const char* text;
        double expected;
    } cases[] = {
        {"", 0},
        {"abc", 0},
        {"1296.1", 1296.1},
        {" 1296.1 MHz", 1296.1},  // leading blanks skipped, the rest ignored
        {"1,296", 1},             // a comma ends the number, whatever the locale
        {"-1234.5", -1234.5},
        {"1.2E-05", 1.2E-05},  // the exponent form that number text writes
        {"1.2e-05", 1.2E-05},
        {"1 2", 12},     // blanks are dropped wherever they stand
        {"\t-\n5", -5},  // so are tabs and line feeds
        {"12\r3", 12},   // a CR is not a blank
        {"+7", 7},
        {".5", 0.5},
        {"5.", 5},
        {"1.2.3", 1.2},
        {"1E", 1},  // an exponent needs digits
        {"1E+", 1},
        {"1e3x", 1000},
        {"-", 0},
        {".", 0},
        {"0x10", 0},
        {"1E999", DBL_MAX},  // beyond the range: saturates, never inf
        {"-1E999", -DBL_MAX},
        {"1E-999", 0},
        {"0.000000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "00000000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "00000000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "00000000000000000000000000000000000000000000000000000000000000000000000000000000001",
         0},
        {"1E99999999999999999999999", DBL_MAX},
    };
    for (const auto& c : cases)
        EXPECT_EQ(leadingNumber(c.text), c.expected) << '"' << c.text << '"';
}

TEST(StrictNumber, AcceptsOnlyAWholeDecimalNumber) {
    const struct {
        const char* text;
        std::optional<double> expected;
    } cases[] = {
        {"124", 124},
        {" -37 ", -37},
        {"12.5", 12.5},
        {"\t5", std::nullopt},  // only spaces may surround the number
        {"5\t", std::nullopt},
        {"+5", 5},
        {"1.2E-05", 1.2E-05},
        {"0", 0},
        {"", std::nullopt},
        {"  ", std::nullopt},
        {"12 Hz", std::nullopt},
        {"1 2", std::nullopt},
        {"abc", std::nullopt},
        {".", std::nullopt},
        {"1E", std::nullopt},
        {"1E999", std::nullopt},
        {"-1.8E308", std::nullopt},
        {"1.7976931348623157E308", 1.7976931348623157E308},
        {"1e-324", 0},  // underflow is zero, as the leading-number parse gives
        {"4.9e-324", 4.9e-324},
        {"12\n", std::nullopt},
        {"--1", std::nullopt},
        {"1,5", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(strictNumber(c.text), c.expected) << '"' << c.text << '"';
    EXPECT_TRUE(std::signbit(strictNumber("-1e-400").value()));
    EXPECT_EQ(strictNumber("-1e-400"), leadingNumber("-1e-400"));
}

TEST(NumberText, WritesAtMostFifteenSignificantDigits) {
    const struct {
        double value;
        const char* expected;
    } cases[] = {
        {46, "46"},
        {-1235, "-1235"},
        {144.12, "144.12"},
        {0.375, "0.375"},
        {0.1 + 0.2, "0.3"},
        {1270.1 - 1270, "0.0999999999999091"},
        {2461382.0 + 9.0 / 24 + 19.0 / 1440, "2461382.38819444"},
        {9.0 / 24 + 19.0 / 1440, "0.388194444444444"},
        {0.000012, "1.2E-05"},  // read back by leadingNumber
        {0.0001, "0.0001"},
        {1e14, "100000000000000"},
        {1e15, "1E+15"},
        {-0.0, "0"},
        {DBL_MAX, "1.79769313486232E+308"},
        {kInf, ""},
        {-kInf, ""},
        {kNaN, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(numberText(c.value), c.expected) << c.value;
}

TEST(NumberText, SinglePrecisionKeepsSevenDigits) {
    EXPECT_EQ(numberText(27.934656f), "27.93466");
    EXPECT_EQ(numberText(28.530588f), "28.53059");
    EXPECT_EQ(numberText(0.5f), "0.5");
    EXPECT_EQ(numberText(std::numeric_limits<float>::infinity()), "");
}

TEST(NumberText, ReadsBackToTheSameText) {
    for (double value : {0.000012, -3.5e-9, 1.5e300, 1296.100258, -0.0999999999999091, 1e15}) {
        const std::string text = numberText(value);
        EXPECT_EQ(numberText(leadingNumber(text)), text);
        EXPECT_EQ(text.find(','), std::string::npos);
    }
}

TEST(FixedText, RoundsTheFifteenDigitDecimalHalfAwayFromZero) {
    const struct {
        double value;
        int decimals;
        const char* expected;
    } cases[] = {
        {1296.0998715, 6, "1296.099872"},  // binary value lies just below the half
        {-128.5, 0, "-129"},
        {128.5, 0, "129"},
        {2.675, 2, "2.68"},  // printf would give 2.67
        {0.5, 0, "1"},
        {0.49, 0, "0"},
        {-0.4, 0, "0"},  // no "-0"
        {-5e-7, 6, "-0.000001"},
        {4.9e-7, 6, "0.000000"},
        {0.05, 1, "0.1"},
        {1296.1, 5, "1296.10000"},
        {1296.100258, 5, "1296.10026"},
        {-5, 5, "-5.00000"},
        {9.9999996, 6, "10.000000"},  // the carry adds a digit
        {999.95, 1, "1000.0"},
        {0, 1, "0.0"},
        {-0.0, 0, "0"},
        {258, 0, "258"},
        {1e20, 0, "100000000000000000000"},
        {1.2345678901234567e-3, 6, "0.001235"},
        {kInf, 6, ""},
        {kNaN, 0, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fixedText(c.value, c.decimals), c.expected) << c.value << " to " << c.decimals;
}

TEST(FixedText, SinglePrecisionTakesSevenDigitsFirst) {
    EXPECT_EQ(fixedText(27.934656f, 1), "27.9");
    EXPECT_EQ(fixedText(0.15f, 1), "0.2");  // 0.1500000059604645 -> 0.1500000
    EXPECT_EQ(fixedText(29.96f, 1), "30.0");
}

TEST(BankersRound, SendsHalvesToTheEvenNeighbour) {
    const struct {
        double value;
        double expected;
    } cases[] = {{0.5, 0},     {1.5, 2},     {2.5, 2},    {-0.5, 0},  {-1.5, -2},
                 {123.5, 124}, {122.5, 122}, {0.4999, 0}, {-2.6, -3}, {32767.5, 32768}};
    for (const auto& c : cases)
        EXPECT_EQ(bankersRound(c.value), c.expected) << c.value;
}

}  // namespace
}  // namespace selvora
