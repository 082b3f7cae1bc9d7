// The JPL ephemeris reader: only whole JPL files are taken, and what they give is the moon
// (checked against ERFA's moon98, good to a few km and 0.1 m/s). The files are WSJT-X's
// JPLEPH and copies of it spoilt; without it or a reader in this build these are skipped.
#include <erfa.h>
#include <erfam.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "astro/jpl_ephemeris.h"
#include "support/temp_dir.h"

namespace selvora {
namespace {

const std::filesystem::path kWsjtxEphemeris = "/usr/share/wsjtx/JPLEPH";

std::string bytesOf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class JplEphemerisTest : public ::testing::Test {
  protected:
    void SetUp() override {
#ifndef SELVORA_JPL_READER
        GTEST_SKIP() << "built without a JPL ephemeris reader";
#endif
        if (!std::filesystem::exists(kWsjtxEphemeris))
            GTEST_SKIP() << "WSJT-X's JPLEPH is not installed";
    }
};

TEST_F(JplEphemerisTest, RefusesFilesThatAreNotWholeEphemerides) {
    const testing::TempDir dir;
    const std::string whole = bytesOf(kWsjtxEphemeris);
    const struct {
        const char* what;
        std::string bytes;
    } spoilt[] = {
        {"empty", ""},
        {"text", std::string(20000, 'x')},
        {"cut after its header and one record", whole.substr(0, 3 * 8144)},
        {"cut one byte short", whole.substr(0, whole.size() - 1)},
    };
    for (const auto& file : spoilt) {
        SCOPED_TRACE(file.what);
        EXPECT_EQ(JplEphemeris::open(dir.write("JPLEPH", file.bytes)), nullptr);
    }
    EXPECT_EQ(JplEphemeris::open(dir.path() / "missing"), nullptr);
    EXPECT_NE(JplEphemeris::open(dir.write("JPLEPH", whole)), nullptr);
}

TEST_F(JplEphemerisTest, GivesTheMoonMoon98GivesWithinItsAccuracy) {
    const auto ephemeris = JplEphemeris::open(kWsjtxEphemeris);
    ASSERT_NE(ephemeris, nullptr);
    // Days since J2000.0 (TT) across the file's span, 2000 to 2039.
    for (const double days : {0.5, 1234.25, 5000.0, 10957.75, 14000.125}) {
        SCOPED_TRACE(days);
        const auto moon = ephemeris->moonAt(days);
        ASSERT_TRUE(moon.has_value());
        double pv[2][3];
        eraMoon98(ERFA_DJ00, days, pv);
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(moon->metres[k], pv[0][k] * ERFA_DAU, 10e3);
            EXPECT_NEAR(moon->metresPerSecond[k], pv[1][k] * ERFA_DAU / ERFA_DAYSEC, 0.5);
        }
    }
}

TEST_F(JplEphemerisTest, GivesNothingOutsideItsSpan) {
    const auto ephemeris = JplEphemeris::open(kWsjtxEphemeris);
    ASSERT_NE(ephemeris, nullptr);
    EXPECT_FALSE(ephemeris->moonAt(-400.0).has_value());   // 1998
    EXPECT_FALSE(ephemeris->moonAt(18263.0).has_value());  // 2050
    EXPECT_TRUE(ephemeris->moonAt(9000.0).has_value());    // and reads on afterwards
}

}  // namespace
}  // namespace selvora
