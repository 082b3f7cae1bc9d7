#include "astro/moon_doppler.h"

namespace selvora {

double dopplerHz(double pathRateMetresPerSecond, double frequencyMHz) {
    return -frequencyMHz * 1e6 * pathRateMetresPerSecond / kSpeedOfLightMetresPerSecond;
}

double selfDopplerHz(const GeoPosition& here, UtcInstant at, double frequencyMHz) {
    return dopplerHz(2.0 * moonView(here, at).rangeRateMetresPerSecond, frequencyMHz);
}

double mutualDopplerHz(const GeoPosition& here, const GeoPosition& dx, UtcInstant at,
                       double frequencyMHz) {
    const double pathRate =
        moonView(here, at).rangeRateMetresPerSecond + moonView(dx, at).rangeRateMetresPerSecond;
    return dopplerHz(pathRate, frequencyMHz);
}

}  // namespace selvora
