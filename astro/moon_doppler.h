// The Doppler shift of a moon echo, with WSJT-X's signs: a shrinking path (the moon
// approaching) gives a positive shift.
#pragma once

#include "astro/locator.h"
#include "astro/moon_position.h"

namespace selvora {

inline constexpr double kSpeedOfLightMetresPerSecond = 299792458.0;

// The shift of one's own echo: the path there and back, twice the range rate.
double selfDopplerHz(const GeoPosition& here, UtcInstant at, double frequencyMHz);

// The shift a signal from the DX station shows here after the moon: the path from there
// to the moon and from the moon to here.
double mutualDopplerHz(const GeoPosition& here, const GeoPosition& dx, UtcInstant at,
                       double frequencyMHz);

// The same from range rates already known (metres a second, receding positive).
double dopplerHz(double pathRateMetresPerSecond, double frequencyMHz);

}  // namespace selvora
