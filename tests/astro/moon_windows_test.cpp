#include "astro/moon_windows.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include <gtest/gtest.h>

namespace selvora {
namespace {

using namespace std::chrono;

constexpr UtcInstant utc(year_month_day date, hours hour = hours{0}) {
    return UtcInstant{sys_days{date}} + hour;
}

// An independent look: every 10 seconds through the span, no bisection and no coarse
// scan, each instant judged on its own.
std::vector<CommonMoonWindow> windowsByBruteScan(const GeoPosition& here, const GeoPosition& dx,
                                                 UtcInstant from, UtcInstant to,
                                                 double minElevationDeg) {
    const MoonTrack track(from, to);
    const StationFrame hereFrame = stationFrame(here), dxFrame = stationFrame(dx);
    const auto up = [&](UtcInstant at) {
        return track.direction(hereFrame, at).elevationDeg >= minElevationDeg &&
               track.direction(dxFrame, at).elevationDeg >= minElevationDeg;
    };
    std::vector<CommonMoonWindow> windows;
    bool wasUp = false;
    for (UtcInstant at = from; at <= to; at += seconds{10}) {
        const bool isUp = up(at);
        if (isUp && !wasUp) windows.push_back({at, to, at == from, true});
        if (!isUp && wasUp) {
            windows.back().end = at;
            windows.back().cutAtEnd = false;
        }
        wasUp = isUp;
    }
    return windows;
}

const GeoPosition kStockholm{59.5, 18.0}, kNewJersey{40.5, -75.0}, kSydney{-33.85, 151.2},
    kTokyo{35.7, 139.7}, kCapeTown{-33.9, 18.4};

TEST(CommonMoonWindows, EdgesAgreeWithABruteScanWithinTwoMinutes) {
    const struct {
        GeoPosition here, dx;
        UtcInstant from;
        int days;
        double minElevationDeg;
    } cases[] = {
        {kStockholm, kNewJersey, utc(2026y / December / 11d, hours{12}), 3, 0.0},
        // Open when the span starts, and (Tokyo) when it ends.
        {kStockholm, kSydney, utc(2031y / April / 2d, hours{14}), 2, 10.0},
        {kTokyo, kCapeTown, utc(2024y / June / 27d), 2, 5.0},
        {kNewJersey, kNewJersey, utc(2039y / January / 3d, hours{7}), 1, 20.0},
    };
    for (const auto& c : cases) {
        const UtcInstant to = c.from + days{c.days};
        const auto found = commonMoonWindows(c.here, c.dx, c.from, to, c.minElevationDeg);
        const auto brute = windowsByBruteScan(c.here, c.dx, c.from, to, c.minElevationDeg);
        ASSERT_EQ(found.size(), brute.size()) << c.from.time_since_epoch().count();
        ASSERT_FALSE(found.empty()) << c.from.time_since_epoch().count();
        for (std::size_t k = 0; k < found.size(); ++k) {
            EXPECT_LE(abs(found[k].start - brute[k].start), minutes{2}) << k;
            EXPECT_LE(abs(found[k].end - brute[k].end), minutes{2}) << k;
            EXPECT_EQ(found[k].cutAtStart, brute[k].cutAtStart) << k;
            EXPECT_EQ(found[k].cutAtEnd, brute[k].cutAtEnd) << k;
            EXPECT_LT(found[k].start, found[k].end) << k;
            if (k > 0) {
                EXPECT_LT(found[k - 1].end, found[k].start) << k;
            }
        }
    }
}

TEST(CommonMoonWindows, AWindowOpenAtAnEndOfTheSpanIsCutThere) {
    const UtcInstant from = utc(2026y / December / 9d);
    const auto week = commonMoonWindows(kStockholm, kNewJersey, from, from + days{7}, 0.0);
    ASSERT_GE(week.size(), 3u);
    // A span that starts and ends inside the second window.
    const CommonMoonWindow& inner = week[1];
    const UtcInstant start = inner.start + minutes{10}, end = inner.end - minutes{10};
    const auto cut = commonMoonWindows(kStockholm, kNewJersey, start, end, 0.0);
    ASSERT_EQ(cut.size(), 1u);
    EXPECT_EQ(cut[0].start, start);
    EXPECT_EQ(cut[0].end, end);
    EXPECT_TRUE(cut[0].cutAtStart);
    EXPECT_TRUE(cut[0].cutAtEnd);
    // From the second window's start to the third's: whole windows, none cut.
    const auto whole = commonMoonWindows(kStockholm, kNewJersey, inner.start - minutes{1},
                                         week[2].end + minutes{1}, 0.0);
    ASSERT_EQ(whole.size(), 2u);
    EXPECT_LE(abs(whole[0].start - inner.start), seconds{2});
    EXPECT_LE(abs(whole[1].end - week[2].end), seconds{2});
    EXPECT_FALSE(whole[0].cutAtStart || whole[0].cutAtEnd || whole[1].cutAtStart ||
                 whole[1].cutAtEnd);
    // An empty span has no window.
    EXPECT_TRUE(commonMoonWindows(kStockholm, kNewJersey, start, start, 0.0).empty());
}

TEST(CommonMoonWindows, NoWindowWhenTheMoonNeverRisesHighEnough) {
    const UtcInstant from = utc(2026y / December / 9d);
    EXPECT_TRUE(commonMoonWindows(kStockholm, kSydney, from, from + days{7}, 89.0).empty());
}

// The track interpolates the moon between hourly and six-hourly computations; it must
// stay with the moon computed afresh for each instant.
TEST(MoonTrack, StaysWithTheMoonComputedForEachInstant) {
    for (const UtcInstant from : {utc(2003y / March / 1d), utc(2026y / December / 9d, hours{5}),
                                  utc(2039y / October / 30d, hours{23})}) {
        const MoonTrack track(from, from + days{7});
        for (const GeoPosition& station : {kStockholm, kSydney, kTokyo}) {
            const StationFrame frame = stationFrame(station);
            // Instants that fall between the nodes, the span's ends included.
            for (seconds at{0}; at <= days{7}; at += seconds{7 * 3600 + 1234}) {
                const MoonView exact = moonView(station, from + at);
                const MoonDirection tracked = track.direction(frame, from + at);
                EXPECT_NEAR(tracked.elevationDeg, exact.elevationDeg, 1e-5) << at.count();
                const double azimuthOff =
                    std::remainder(tracked.azimuthDeg - exact.azimuthDeg, 360);
                EXPECT_NEAR(azimuthOff * std::cos(exact.elevationDeg * std::numbers::pi / 180), 0,
                            1e-5)
                    << at.count();
            }
        }
    }
}

TEST(MoonSamples, OneEveryStepThroughTheDayAsTheMoonIsSeen) {
    const UtcInstant from = utc(2031y / April / 2d);
    const auto samples = moonSamples(kCapeTown, from, from + days{1});
    ASSERT_EQ(samples.size(), 289u);
    for (std::size_t k = 0; k < samples.size(); k += 48) {
        EXPECT_EQ(samples[k].at, from + minutes{5} * k);
        const MoonView exact = moonView(kCapeTown, samples[k].at);
        EXPECT_NEAR(samples[k].elevationDeg, exact.elevationDeg, 1e-5) << k;
        EXPECT_NEAR(samples[k].azimuthDeg, exact.azimuthDeg, 1e-4) << k;
    }
    EXPECT_TRUE(moonSamples(kCapeTown, from, from - seconds{1}).empty());
}

}  // namespace
}  // namespace selvora
