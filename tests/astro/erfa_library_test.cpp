// The ERFA library this build links (Debian's on Linux, the one scripts/build-erfa-windows
// cross-builds for Windows, run under Wine) gives ERFA's own published figures for the
// routines the moon needs. A miscompiled or mislinked library shows here first, not as
// a Doppler a few hertz off.
#include <erfa.h>
#include <erfam.h>

#include <gtest/gtest.h>

namespace selvora {
namespace {

TEST(ErfaLibrary, MoonPositionAndVelocity) {
    // eraMoon98 at MJD 43999.9 (TT): au and au/day, geocentric GCRS.
    double pv[2][3];
    eraMoon98(2400000.5, 43999.9, pv);
    const double expected[2][3] = {
        {-0.2601295959971044180e-2, 0.6139750944302742189e-3, 0.2640794528229828909e-3},
        {-0.1244321506649895021e-3, -0.5219076942678119398e-3, -0.1716132214378462047e-3}};
    for (int row = 0; row < 2; ++row) {
        for (int axis = 0; axis < 3; ++axis) {
            EXPECT_NEAR(pv[row][axis], expected[row][axis], 1e-11) << row << "," << axis;
        }
    }
}

TEST(ErfaLibrary, EarthRotationAngle) {
    EXPECT_NEAR(eraEra00(2400000.5, 54388.0), 0.4022837240028158102, 1e-12);
}

TEST(ErfaLibrary, LeapSecondsAreCompiledIn) {
    const struct {
        int year, month, day;
        double taiMinusUtcSeconds;
    } cases[] = {{2003, 6, 1, 32.0}, {2008, 1, 17, 33.0}, {2017, 9, 1, 37.0}};
    for (const auto& c : cases) {
        double taiMinusUtc = 0;
        EXPECT_EQ(eraDat(c.year, c.month, c.day, 0.0, &taiMinusUtc), 0) << c.year;
        EXPECT_EQ(taiMinusUtc, c.taiMinusUtcSeconds) << c.year;
    }
}

TEST(ErfaLibrary, GeodeticToGeocentricOnWgs84) {
    double xyzMetres[3];
    ASSERT_EQ(eraGd2gc(ERFA_WGS84, 3.1, -0.5, 2500.0, xyzMetres), 0);
    EXPECT_NEAR(xyzMetres[0], -5599000.5577049947, 1e-7);
    EXPECT_NEAR(xyzMetres[1], 233011.67223479203, 1e-7);
    EXPECT_NEAR(xyzMetres[2], -3040909.4706983363, 1e-7);
    EXPECT_EQ(eraGd2gc(0, 3.1, -0.5, 2500.0, xyzMetres), -1);  // no such ellipsoid
}

}  // namespace
}  // namespace selvora
