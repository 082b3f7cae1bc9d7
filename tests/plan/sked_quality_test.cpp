// The sked's quality figures against WSJT-X 2.6.1's Astronomical Data window (Debian
// 12's wsjtx), captured by scripts/capture-wsjtx-astro: WSJT-X run headless on a faked
// clock with a throwaway settings file, its window read through the accessibility
// interface at the instant. All the captures are in wsjtx_astro_captures.tsv beside
// this file; a dozen of them are written out here. Then the edges: the folding of the
// polarization offset, the pole of the non-reciprocity, the wording and the warnings.
#include <chrono>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "astro/utc_instant_text.h"
#include "plan/sked_ahead.h"
#include "plan/sked_quality.h"

namespace selvora {
namespace {

using namespace std::chrono;

// As WSJT-X shows them: angles and dB to 0.1, km and Hz whole, the delay to 0.01 s.
struct WsjtxFigures {
    double declinationDeg, sunAzimuthDeg, sunElevationDeg, dpolDeg, mnrDb, distanceKm, delaySeconds,
        widthHz, dxWidthHz;
};

void expectAgrees(const SkedQuality& q, const WsjtxFigures& w) {
    EXPECT_NEAR(q.moonDeclinationDeg, w.declinationDeg, 0.15);
    EXPECT_NEAR(std::remainder(q.sunHere.azimuthDeg - w.sunAzimuthDeg, 360.0), 0.0, 0.15);
    EXPECT_NEAR(q.sunHere.elevationDeg, w.sunElevationDeg, 0.15);
    // -90 and 90 are the same offset.
    EXPECT_NEAR(std::remainder(q.polarizationOffsetDeg - w.dpolDeg, 180.0), 0.0, 0.3);
    // Away from the pole at 45 deg, where a tenth of a degree moves it by decibels.
    if (std::fabs(std::fabs(w.dpolDeg) - 45.0) > 3.0) {
        EXPECT_NEAR(q.nonReciprocityDb, w.mnrDb, 0.3);
    }
    EXPECT_NEAR(q.moonDistanceKm, w.distanceKm, 10.0);
    EXPECT_NEAR(q.echoDelaySeconds, w.delaySeconds, 0.01);
    EXPECT_NEAR(q.spreadHereHz, w.widthHz, std::max(2.0, 0.1 * w.widthHz));
    EXPECT_NEAR(q.spreadAtDxHz, w.dxWidthHz, std::max(2.0, 0.1 * w.dxWidthHz));
}

GeoPosition at(const char* locator) {
    return *readLocator(locator).position;
}

TEST(SkedQualityAgainstWsjtx, AgreesWithTheAstronomicalDataWindow) {
    const struct {
        year_month_day date;
        seconds time;
        const char *myGrid, *dxGrid;
        double dialMHz;
        WsjtxFigures wsjtx;
    } captures[] = {
        {2008y / 12 / 5,
         18h + 38min + 45s,
         "DD28bn",
         "IH38ml",
         1296.1,  //
         {-3.6, 25.6, 59.1, 27.1, 4.7, 390497, 2.61, 5, 21}},
        {2009y / 7 / 6,
         5h + 38min + 12s,
         "DH66fx",
         "BH28mu",
         3400.1,  //
         {-26.1, 296.2, -65.1, 47.0, 23.1, 399193, 2.66, 107, 86}},
        {2027y / 3 / 6,
         17h + 33min + 44s,
         "NN01cp",
         "LO08fl",
         10368.1,  //
         {-12.4, 329.4, -50.1, -22.8, 3.1, 405086, 2.70, 138, 101}},
        {2009y / 4 / 1,
         10h + 40min + 43s,
         "EJ62tu",
         "QF39sb",
         144.12,  //
         {26.2, 84.2, -16.8, 49.1, 17.0, 375676, 2.51, 5, 2}},
        {2023y / 7 / 6,
         7h + 23min + 4s,
         "AM56uw",
         "OH52dh",
         5760.1,  //
         {-18.5, 307.1, -8.7, -52.4, 11.9, 363836, 2.43, 66, 131}},
        {2019y / 3 / 27,
         22h + 33min + 32s,
         "QL50vs",
         "IL14wj",
         144.12,  //
         {-22.2, 102.8, 37.1, -57.7, 7.4, 392810, 2.62, 3, 1}},
        {2033y / 12 / 26,
         23h + 25min + 25s,
         "NN78qq",
         "BF23is",
         24048.1,  //
         {-6.5, 103.5, -19.5, -68.6, 2.7, 380015, 2.54, 537, 205}},
        {2020y / 11 / 7,
         1h + 43min + 48s,
         "CK70vq",
         "RI74sw",
         1296.1,  //
         {23.3, 253.1, 0.9, 87.8, 0.0, 394235, 2.63, 34, 27}},
        {2035y / 12 / 17,
         6h + 14min + 52s,
         "GK41qu",
         "DC65rj",
         10368.1,  //
         {18.3, 111.5, -46.6, -77.4, 0.9, 353441, 2.36, 193, 108}},
        {2010y / 2 / 15,
         10h + 21min + 43s,
         "PJ03qk",
         "QM28ft",
         432.05,  //
         {-3.9, 257.6, -3.9, 35.0, 9.3, 403902, 2.69, 5, 3}},
        {2024y / 4 / 8,
         18h + 20min + 0s,
         "EM12kx",
         "FN31pr",
         10368.1,  //
         {7.5, 174.2, 64.5, -31.1, 6.6, 354040, 2.36, 236, 214}},
        {2017y / 8 / 21,
         18h + 15min + 0s,
         "DN70ab",
         "JO22nb",
         24048.1,  //
         {11.8, 154.3, 59.6, -57.6, 7.4, 366564, 2.45, 383, 124}},
    };
    for (const auto& c : captures) {
        SCOPED_TRACE(testing::Message() << c.myGrid << ' ' << c.dxGrid << ' ' << c.dialMHz);
        const UtcInstant instant = UtcInstant{sys_days{c.date}} + c.time;
        expectAgrees(skedQuality(at(c.myGrid), at(c.dxGrid), instant, c.dialMHz), c.wsjtx);
    }
}

#ifdef SELVORA_WSJTX_ASTRO_CAPTURES
TEST(SkedQualityAgainstWsjtx, AgreesOnEveryCapture) {
    std::ifstream file(SELVORA_WSJTX_ASTRO_CAPTURES);
    ASSERT_TRUE(file) << SELVORA_WSJTX_ASTRO_CAPTURES;
    std::string line;
    std::getline(file, line);  // the header
    int rows = 0;
    while (std::getline(file, line)) {
        std::vector<std::string> f;
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, '\t');)
            f.push_back(field);
        ASSERT_EQ(f.size(), 20u) << line;
        SCOPED_TRACE(line);
        const std::optional<UtcInstant> instant = readUtcInstant(f[0]).instant;
        ASSERT_TRUE(instant) << f[0];
        const auto number = [&](std::size_t k) { return std::stod(f[k]); };
        expectAgrees(skedQuality(at(f[1].c_str()), at(f[2].c_str()), *instant, number(3)),
                     {number(13), number(14), number(15), number(17), number(18), number(19),
                      number(8), number(7), number(12)});
        ++rows;
    }
    EXPECT_GE(rows, 20);
}
#endif

TEST(PolarizationOffset, IsTheDifferenceFoldedIntoMinus90To90) {
    const struct {
        double hereDeg, dxDeg, offsetDeg;
    } rows[] = {
        {10, -10, 20},   {-10, 10, -20}, {100, 0, -80}, {0, 100, 80},  {170, -170, -20},
        {-170, 170, 20}, {90, 0, -90},   {0, 90, -90},  {-90, 0, -90}, {179.9, -179.9, -0.2},
        {270, 0, -90},   {-271, 0, 89},  {45, 0, 45},   {0, 45, -45},  {0, 0, 0},
    };
    for (const auto& r : rows)
        EXPECT_NEAR(polarizationOffsetDeg(r.hereDeg, r.dxDeg), r.offsetDeg, 1e-9)
            << r.hereDeg << ' ' << r.dxDeg;
}

// The day's plot takes the offset from the moon's azimuth and elevation (quick for many
// instants): the same offset as from the full model.
TEST(PolarizationOffset, ThroughTheDayIsTheFullModels) {
    for (const auto& [here, dx] :
         {std::pair{"JO22nb", "FN31pr"}, std::pair{"PF95", "KP20"}, std::pair{"GG66", "RE78ir"}}) {
        const AheadRequest request{at(here), at(dx), UtcInstant{sys_days{2026y / 12 / 9}},
                                   1296.1,   1,      0};
        const DayPlot plot = dayPlot(request, hours(2));
        ASSERT_EQ(plot.samples.size(), 13u);
        for (const ElevationSample& sample : plot.samples)
            EXPECT_NEAR(std::remainder(sample.polarizationOffsetDeg -
                                           polarizationOffsetDeg(at(here), at(dx), sample.at),
                                       180.0),
                        0.0, 0.02)
                << here << ' ' << dx << ' ' << sample.at.time_since_epoch().count();
    }
}

TEST(NonReciprocity, GrowsTowards45DegAndStaysANumberAtItsPole) {
    const struct {
        double offsetDeg, db;
    } rows[] = {
        {0, 0},
        {90, 0},
        {-90, 0},
        {30, 6.0206},
        {-30, 6.0206},
        {60, 6.0206},
        {22.5, 3.0103},
        {44, 29.1436},
        {45, kMaxNonReciprocityDb},
        {-45, kMaxNonReciprocityDb},
        {44.9999, kMaxNonReciprocityDb},
        {45.0001, kMaxNonReciprocityDb},
    };
    for (const auto& r : rows) {
        const double db = nonReciprocityDb(r.offsetDeg);
        EXPECT_NEAR(db, r.db, 1e-3) << r.offsetDeg;
        EXPECT_TRUE(std::isfinite(db)) << r.offsetDeg;
    }
    SkedQuality atThePole{};
    atThePole.polarizationOffsetDeg = 45;
    atThePole.nonReciprocityDb = nonReciprocityDb(45);
    atThePole.moonDistanceKm = kPerigeeKm;
    EXPECT_NE(skedQualityText(atThePole).find("Non-reciprocity: 60.0 dB\n"), std::string::npos);
}

TEST(PathLoss, IsFortyLogOfTheDistanceOverPerigee) {
    EXPECT_NEAR(pathLossOverPerigeeDb(kPerigeeKm), 0.0, 1e-12);
    EXPECT_NEAR(pathLossOverPerigeeDb(2 * kPerigeeKm), 12.0412, 1e-4);
    // Apogee (406,700 km) is 2.3 dB worse; a station under a perigee moon a little better.
    EXPECT_NEAR(pathLossOverPerigeeDb(406700), 2.294, 1e-3);
    EXPECT_LT(pathLossOverPerigeeDb(kPerigeeKm - 6000), 0.0);
}

TEST(SkedQualityText, HasTheWordingScriptsRead) {
    const SkedQuality q{-28.04, 410714.5, 2.74049, -1.55, 0.0449, {309.649, -52.65},
                        10.05,  13.5,     14.49,   -0.24};
    EXPECT_EQ(skedQualityText(q),
              "Moon declination: -28.0 deg\n"
              "Moon distance: 410715 km, echo delay 2.74 s\n"
              "Polarization offset: -1.6 deg\n"
              "Non-reciprocity: 0.0 dB\n"
              "Sun here: az 309.6 el -52.7, 10.1 deg from the moon\n"
              "Doppler spread: 14 Hz here, 14 Hz at the DX\n"
              "Path loss: -0.2 dB over perigee\n");
    const SkedQuality far{3.0, 405000, 2.7, 10, 0.5, {0.04, 0.04}, 90, 2, 1, 2.25};
    EXPECT_NE(skedQualityText(far).find("Path loss: +2.3 dB over perigee\n"), std::string::npos);
    EXPECT_NE(skedQualityText(far).find("Sun here: az 0.0 el 0.0, 90.0 deg"), std::string::npos);
}

TEST(SkedWarnings, SayWhenTheSunOrThePolarizationSpoilsTheSked) {
    const auto quiet = [](double sunFromMoonDeg, double nonReciprocityDb,
                          double sunElevationDeg = 20) {
        SkedQuality q{};
        q.sunHere.elevationDeg = sunElevationDeg;
        q.sunFromMoonDeg = sunFromMoonDeg;
        q.nonReciprocityDb = nonReciprocityDb;
        return q;
    };
    const struct {
        double sunFromMoonDeg, nonReciprocityDb, mhz;
        std::size_t warnings;
        const char* first;
        double sunElevationDeg = 20;
    } rows[] = {
        {50, 0, 144.1, 0, ""},
        {25, 0, 144.1, 1, "Warning: the sun is 25.0 deg from the moon, closer than 30.0 deg"},
        {31, 0, 144.1, 0, ""},
        {10, 0, 1296.1, 1, "Warning: the sun is 10.0 deg from the moon, closer than 16.2 deg"},
        {17, 0, 1296.1, 0, ""},
        {2.5, 0, 10368.1, 0, ""},
        // A 3 m dish at 24 GHz is 0.3 deg wide: the 2 deg floor stands.
        {1.5, 0, 24048.1, 1, "Warning: the sun is 1.5 deg from the moon, closer than 2.0 deg"},
        {2.1, 0, 24048.1, 0, ""},
        {90, 9.9, 432.1, 0, ""},
        {90, 10, 432.1, 1, "Warning: non-reciprocity 10.0 dB: "},
        {5, 60, 432.1, 2, "Warning: the sun is 5.0 deg"},
        // Below the horizon the sun is no noise, however near the moon.
        {10, 0, 1296.1, 0, "", -0.1},
        {10, 0, 1296.1, 1, "Warning: the sun is 10.0 deg", 0.1},
    };
    for (const auto& r : rows) {
        const auto warnings =
            skedWarnings(quiet(r.sunFromMoonDeg, r.nonReciprocityDb, r.sunElevationDeg), r.mhz);
        ASSERT_EQ(warnings.size(), r.warnings) << r.sunFromMoonDeg << ' ' << r.mhz;
        if (r.warnings > 0) {
            EXPECT_TRUE(warnings[0].starts_with(r.first)) << warnings[0];
        }
    }
    // The eclipse of 2024 April 8 from Texas: the sun on the moon.
    const SkedQuality eclipse = skedQuality(
        at("EM12kx"), at("FN31pr"), UtcInstant{sys_days{2024y / 4 / 8}} + 18h + 20min, 10368.1);
    EXPECT_LT(eclipse.sunFromMoonDeg, 1.0);
    EXPECT_EQ(skedWarnings(eclipse, 10368.1).size(), 1u);
}

}  // namespace
}  // namespace selvora
