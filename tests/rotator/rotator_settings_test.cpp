// The texts an operator types for the antenna: what reads, and the one line said when
// it does not.
#include "rotator/rotator_settings.h"

#include <gtest/gtest.h>

namespace selvora {
namespace {

TEST(RotatorSettings, DegreesReadOnlyInsideTheirRange) {
    const struct {
        Typed<double> (*read)(std::string_view);
        const char* text;
        std::optional<double> value;
    } cases[] = {
        {readToleranceDeg, "1", 1.0},
        {readToleranceDeg, "0.2", 0.2},
        {readToleranceDeg, " 3 ", 3.0},
        {readToleranceDeg, "90", 90.0},
        {readToleranceDeg, "0", std::nullopt},  // would chase every tenth
        {readToleranceDeg, "-1", std::nullopt},
        {readToleranceDeg, "90.5", std::nullopt},
        {readToleranceDeg, "1deg", std::nullopt},
        {readToleranceDeg, "", std::nullopt},
        {readToleranceDeg, "1e400", std::nullopt},
        {readMinElevationDeg, "0", 0.0},
        {readMinElevationDeg, "-2.5", -2.5},
        {readMinElevationDeg, "90", 90.0},
        {readMinElevationDeg, "91", std::nullopt},
        {readMinElevationDeg, "ten", std::nullopt},
        {readAzimuthLimitDeg, "350", 350.0},
        {readAzimuthLimitDeg, "-180", -180.0},
        {readAzimuthLimitDeg, "450", 450.0},
        {readAzimuthLimitDeg, "721", std::nullopt},
    };
    for (const auto& c : cases) {
        const Typed<double> got = c.read(c.text);
        EXPECT_EQ(got.value, c.value) << "'" << c.text << "'";
        EXPECT_EQ(got.whyNot.empty(), c.value.has_value()) << "'" << c.text << "'";
    }
}

TEST(RotatorSettings, MoveSecondsAreTwoSecondsOfTheMinute) {
    const struct {
        const char* text;
        std::optional<MoveSeconds> value;
    } cases[] = {
        {"50-59", MoveSeconds{50, 59}}, {"0-9", MoveSeconds{0, 9}}, {"55-5", MoveSeconds{55, 5}},
        {"7-7", MoveSeconds{7, 7}},     {"50", std::nullopt},       {"50-60", std::nullopt},
        {"-5", std::nullopt},           {"50-", std::nullopt},      {"a-b", std::nullopt},
        {"050-59", std::nullopt},       {" 50-59", std::nullopt},   {"50-59-1", std::nullopt},
        {"+5-9", std::nullopt},         {"", std::nullopt},
    };
    for (const auto& c : cases) {
        const Typed<MoveSeconds> got = readMoveSeconds(c.text);
        EXPECT_EQ(got.value, c.value) << "'" << c.text << "'";
        EXPECT_EQ(got.whyNot.empty(), c.value.has_value()) << "'" << c.text << "'";
        if (got.value) {
            EXPECT_EQ(moveSecondsText(*got.value), c.text);
        }
    }
}

TEST(RotatorSettings, ARefusalIsOneLineNamingWhatWasTyped) {
    EXPECT_EQ(readMoveSeconds("60-61").whyNot,
              "move seconds: '60-61' is not two seconds of the minute, 0 to 59, as in 50-59");
    EXPECT_EQ(readToleranceDeg("0").whyNot, "tolerance: '0' is not above 0 and at most 90 degrees");
    EXPECT_EQ(readMinElevationDeg("x").whyNot,
              "lowest elevation: 'x' is not a number of degrees (from -90 to 90)");
    EXPECT_EQ(readPointAt("mars").whyNot, "point at: 'mars' is neither moon nor sun");
    // A line break typed into a box cannot split the message.
    EXPECT_EQ(readToleranceDeg("1\n2").whyNot.find('\n'), std::string::npos);
}

TEST(RotatorSettings, PointAtReadsTheBodiesByName) {
    EXPECT_EQ(readPointAt("moon").value, PointAt::Moon);
    EXPECT_EQ(readPointAt("sun").value, PointAt::Sun);
    EXPECT_FALSE(readPointAt("Moon").value);
    EXPECT_EQ(pointAtName(PointAt::Sun), "sun");
}

TEST(RotatorSettings, MoveSecondsIncludeBothEndsAndMayRunAcrossTheMinute) {
    const struct {
        MoveSeconds seconds;
        int second;
        bool moves;
    } cases[] = {
        {{50, 59}, 49, false}, {{50, 59}, 50, true}, {{50, 59}, 59, true},
        {{50, 59}, 0, false},  {{55, 5}, 54, false}, {{55, 5}, 55, true},
        {{55, 5}, 0, true},    {{55, 5}, 5, true},   {{55, 5}, 6, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isMoveSecond(c.seconds, c.second), c.moves)
            << moveSecondsText(c.seconds) << " at " << c.second;
}

}  // namespace
}  // namespace selvora
