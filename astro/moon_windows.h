// When the moon is up for two stations at once, and the moon's course over a day: the
// times a sked can be planned for.
#pragma once

#include <chrono>
#include <vector>

#include "astro/locator.h"
#include "astro/moon_position.h"

namespace selvora {

// A stretch of time when the moon stands at or above the minimum elevation at both
// stations. A window already open when the searched span begins starts at the span's
// start (cutAtStart), one still open when it ends ends there (cutAtEnd).
struct CommonMoonWindow {
    UtcInstant start, end;
    bool cutAtStart, cutAtEnd;
};

// The common windows within [from, to], in order. The moon is looked at every 5 minutes
// and each edge found to the second between those looks, so a window shorter than about
// 5 minutes (two stations' moon barely grazing the minimum together) may go unseen.
std::vector<CommonMoonWindow> commonMoonWindows(const GeoPosition& here, const GeoPosition& dx,
                                                UtcInstant from, UtcInstant to,
                                                double minElevationDeg);

struct MoonSample {
    UtcInstant at;
    double azimuthDeg, elevationDeg;
};

// The moon from the station every step from `from` up to `to` (both included when the
// step divides the span), for drawing its course; a step of 5 minutes gives 289 samples
// a day.
std::vector<MoonSample> moonSamples(const GeoPosition& station, UtcInstant from, UtcInstant to,
                                    std::chrono::seconds step = std::chrono::minutes(5));

}  // namespace selvora
