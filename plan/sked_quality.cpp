#include "plan/sked_quality.h"

#include <algorithm>
#include <cmath>

#include "astro/moon_doppler.h"
#include "astro/sky_view.h"
#include "common/numbers.h"

namespace selvora {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegPerRad = 180.0 / kPi;
constexpr double kDishDiameterMetres = 3.0;

// "+0.4" or "-0.2": the sign always shown.
std::string signedText(double value, int decimals) {
    std::string text = fixedText(value, decimals);
    return text.starts_with('-') ? text : '+' + text;
}

}  // namespace

double polarizationOffsetDeg(double parallacticHereDeg, double parallacticDxDeg) {
    const double offset = std::fmod(parallacticHereDeg - parallacticDxDeg + 90.0, 180.0);
    return (offset < 0.0 ? offset + 180.0 : offset) - 90.0;
}

double polarizationOffsetDeg(const GeoPosition& here, const GeoPosition& dx, UtcInstant at) {
    return polarizationOffsetDeg(moonParallacticAngleDeg(here, at),
                                 moonParallacticAngleDeg(dx, at));
}

double nonReciprocityDb(double polarizationOffsetDeg) {
    const double c = std::fabs(std::cos(2.0 * polarizationOffsetDeg / kDegPerRad));
    // The cap keeps the pole (and any rounding past it) a number.
    const double floor = std::pow(10.0, -kMaxNonReciprocityDb / 20.0);
    return std::min(kMaxNonReciprocityDb, -20.0 * std::log10(std::max(c, floor)));
}

double pathLossOverPerigeeDb(double distanceKm) {
    return 40.0 * std::log10(distanceKm / kPerigeeKm);
}

double typicalBeamWidthDeg(double frequencyMHz) {
    if (frequencyMHz < 100.0) return 15.0;
    if (frequencyMHz < 300.0) return 10.0;
    if (frequencyMHz < 1000.0) return 6.0;
    const double wavelengthMetres = kSpeedOfLightMetresPerSecond / (frequencyMHz * 1e6);
    return 70.0 * wavelengthMetres / kDishDiameterMetres;
}

double sunWarningAngleDeg(double frequencyMHz) {
    return std::max(2.0, 3.0 * typicalBeamWidthDeg(frequencyMHz));
}

SkedQuality skedQuality(const GeoPosition& here, const GeoPosition& dx, UtcInstant at,
                        double frequencyMHz) {
    const SkyView mine = skyView(here, at);
    const SkyView theirs = skyView(dx, at);
    const double offset =
        polarizationOffsetDeg(mine.moonParallacticAngleDeg, theirs.moonParallacticAngleDeg);
    const double distanceKm = mine.moon.distanceMetres / 1000.0;
    return {mine.moonDeclinationDeg,
            distanceKm,
            2.0 * mine.moon.distanceMetres / kSpeedOfLightMetresPerSecond,
            offset,
            nonReciprocityDb(offset),
            mine.sun,
            mine.sunFromMoonDeg,
            moonSpreadHz(mine, mine, frequencyMHz),
            moonSpreadHz(theirs, mine, frequencyMHz),
            pathLossOverPerigeeDb(distanceKm)};
}

std::string skedQualityText(const SkedQuality& q) {
    return "Moon declination: " + fixedText(q.moonDeclinationDeg, 1) + " deg\n" +
           "Moon distance: " + fixedText(q.moonDistanceKm, 0) + " km, echo delay " +
           fixedText(q.echoDelaySeconds, 2) + " s\n" +
           "Polarization offset: " + fixedText(q.polarizationOffsetDeg, 1) + " deg\n" +
           "Non-reciprocity: " + fixedText(q.nonReciprocityDb, 1) + " dB\n" + "Sun here: az " +
           fixedText(q.sunHere.azimuthDeg, 1) + " el " + fixedText(q.sunHere.elevationDeg, 1) +
           ", " + fixedText(q.sunFromMoonDeg, 1) + " deg from the moon\n" +
           "Doppler spread: " + fixedText(q.spreadHereHz, 0) + " Hz here, " +
           fixedText(q.spreadAtDxHz, 0) + " Hz at the DX\n" +
           "Path loss: " + signedText(q.pathLossOverPerigeeDb, 1) + " dB over perigee\n";
}

std::vector<std::string> skedWarnings(const SkedQuality& q, double frequencyMHz) {
    std::vector<std::string> warnings;
    const double sunAngle = sunWarningAngleDeg(frequencyMHz);
    // Below the horizon the Earth stops the sun's noise, however near the moon it is.
    if (q.sunHere.elevationDeg > 0 && q.sunFromMoonDeg < sunAngle)
        warnings.push_back("Warning: the sun is " + fixedText(q.sunFromMoonDeg, 1) +
                           " deg from the moon, closer than " + fixedText(sunAngle, 1) +
                           " deg for a typical " + numberText(frequencyMHz) +
                           " MHz antenna: its noise may bury the echo");
    if (q.nonReciprocityDb >= kLargeNonReciprocityDb)
        warnings.push_back("Warning: non-reciprocity " + fixedText(q.nonReciprocityDb, 1) +
                           " dB: with linear polarization one station may hear the other "
                           "but not be heard; agree who turns polarization");
    return warnings;
}

}  // namespace selvora
