// Planning a sked ahead: for a chosen UTC instant, both stations' view of the moon,
// the Dopplers and the six schemes' figures (by the window's own planner), and the
// common moon windows of the days that follow. Free of Qt: the "Sked ahead" window
// and `selvora --ahead` both show this.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "astro/locator.h"
#include "astro/moon_position.h"
#include "astro/moon_windows.h"
#include "plan/sked_plan.h"
#include "plan/sked_quality.h"

namespace selvora {

struct AheadRequest {
    GeoPosition here;
    GeoPosition dx;
    UtcInstant at;
    double skedFrequencyMHz = 0;
    int days = 7;                // of common windows, from `at` on
    double minElevationDeg = 0;  // both stations' moon at or above it
};

struct SkedAhead {
    MoonDirection moonHere;
    MoonDirection moonAtDx;
    // Whole Hz at the sked frequency, floored as the window shows azel.dat's.
    std::int64_t selfDopplerHz;
    std::int64_t mutualDopplerHz;
    SkedQuality quality;
    std::vector<std::string> warnings;  // "Warning: ...", none when nothing spoils the sked
    SkedPlan plan;
    std::vector<CommonMoonWindow> windows;
    std::vector<OffsetAcross> windowOffsets;  // one for each window, at its shown minutes
};

// The figures are shown to 1 Hz, the finer of the window's two resolutions.
inline constexpr int kAheadResolutionDecimals = 6;

SkedAhead planSkedAhead(const AheadRequest& request);

// The text `selvora --ahead` prints and the window copies: "Moon here: az A el E",
// "Moon at the DX: ...", "Self Doppler: N Hz", "Mutual Doppler: N Hz", the quality
// figures (plan/sked_quality.h) and their warnings, the sked plan as the window copies
// it, then the common windows, one a line: "YYYY-MM-DD HH:MM UTC to YYYY-MM-DD HH:MM UTC"
// and their length, each followed by its polarization offsets.
std::string skedAheadText(const AheadRequest& request, const SkedAhead& ahead);

// A window's line: "2026-12-09 21:30 UTC to 2026-12-10 04:12 UTC  6 h 42 min", the
// minutes shown within the window.
std::string windowLine(const CommonMoonWindow& window);
// "  polarization offset -12.3 deg at the start, 5.0 in the middle, 20.1 at the end"
std::string offsetLine(const OffsetAcross& offsets);

// Both stations' moon elevation and the polarization offset through the UTC day of the
// request's instant, every `step`, and the common windows within that day: what the
// window plots.
struct ElevationSample {
    UtcInstant at;
    double hereDeg;
    double dxDeg;
    double polarizationOffsetDeg;
};
struct DayPlot {
    std::chrono::sys_days day;
    std::vector<ElevationSample> samples;
    std::vector<CommonMoonWindow> windows;
};
DayPlot dayPlot(const AheadRequest& request, std::chrono::minutes step);

}  // namespace selvora
