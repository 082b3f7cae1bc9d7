#include "astro/sky_view.h"

#include <erfa.h>
#include <erfam.h>

#include <algorithm>
#include <cmath>

#include "astro/moon_doppler.h"
#include "astro/terrestrial_frame.h"

namespace selvora {
namespace {

double dot(const double a[3], const double b[3]) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

void cross(const double a[3], const double b[3], double out[3]) {
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

void unit(const double a[3], double out[3]) {
    const double length = std::sqrt(dot(a, a));
    for (int k = 0; k < 3; ++k)
        out[k] = a[k] / length;
}

// The moon from the station in the celestial frame (GCRS axes), metres, with the moon's
// geocentric place and velocity.
struct CelestialMoon {
    double fromStation[3];
    GeocentricMoon geocentric;
};

CelestialMoon celestialMoon(const StationFrame& station, UtcInstant at, double offsetSeconds) {
    TerrestrialFrame frame = terrestrialFrame(at, offsetSeconds);  // ERFA takes no const
    CelestialMoon moon{{}, geocentricMoon(frame.dates.ttDays)};
    double stationCelestial[3],
        itrs[3] = {station.itrsMetres[0], station.itrsMetres[1], station.itrsMetres[2]};
    eraTrxp(frame.fromCelestial, itrs, stationCelestial);
    for (int k = 0; k < 3; ++k)
        moon.fromStation[k] = moon.geocentric.metres[k] - stationCelestial[k];
    return moon;
}

// The moon's spin: it keeps one face to the Earth, turning once a sidereal month
// (13.17635815 deg a day, the IAU's rotation rate) about an axis 1.5424 deg from the
// ecliptic pole, on the side away from the pole of its orbit (Cassini's laws). Its
// orbit's pole from the moon's place and velocity; the ecliptic of date from ERFA.
constexpr double kMoonSpinRadPerSecond = 13.17635815 * ERFA_DD2R / ERFA_DAYSEC;
constexpr double kMoonEquatorTiltRad = 1.5424 * ERFA_DD2R;

void moonSpin(const GeocentricMoon& moon, double ttDays, double spin[3]) {
    double orbitPole[3], orbitPoleEcliptic[3], toEcliptic[3][3];
    cross(moon.metres, moon.metresPerSecond, orbitPole);
    unit(orbitPole, orbitPole);
    eraEcm06(ERFA_DJ00, ttDays, toEcliptic);
    eraRxp(toEcliptic, orbitPole, orbitPoleEcliptic);
    const double away = std::atan2(orbitPoleEcliptic[1], orbitPoleEcliptic[0]) + ERFA_DPI;
    double axisEcliptic[3] = {std::sin(kMoonEquatorTiltRad) * std::cos(away),
                              std::sin(kMoonEquatorTiltRad) * std::sin(away),
                              std::cos(kMoonEquatorTiltRad)};
    double axis[3];
    eraTrxp(toEcliptic, axisEcliptic, axis);
    for (int k = 0; k < 3; ++k)
        spin[k] = kMoonSpinRadPerSecond * axis[k];
}

// The moon's spin less the line of sight's swing (across it by a central difference
// over a second), in the celestial frame.
void apparentTurn(const StationFrame& station, UtcInstant at, double turn[3],
                  double lineOfSight[3]) {
    const CelestialMoon now = celestialMoon(station, at, 0.0);
    double before[3], after[3], swing[3], swingRate[3], spin[3];
    unit(now.fromStation, lineOfSight);
    unit(celestialMoon(station, at, -0.5).fromStation, before);
    unit(celestialMoon(station, at, 0.5).fromStation, after);
    for (int k = 0; k < 3; ++k)
        swing[k] = after[k] - before[k];
    cross(lineOfSight, swing, swingRate);
    moonSpin(now.geocentric, skyDates(at).ttDays, spin);
    for (int k = 0; k < 3; ++k)
        turn[k] = spin[k] - swingRate[k];
}

// With no polar motion the terrestrial frame's pole is the celestial pole of date:
// declination and hour angle read straight off it.
double parallacticAngleDeg(const GeoPosition& station, const double toMoon[3]) {
    const double declination = std::asin(toMoon[2] / std::sqrt(dot(toMoon, toMoon)));
    const double hourAngle = station.longitudeDeg * ERFA_DD2R - std::atan2(toMoon[1], toMoon[0]);
    const double latitude = station.latitudeDeg * ERFA_DD2R;
    return std::atan2(std::sin(hourAngle), std::tan(latitude) * std::cos(declination) -
                                               std::sin(declination) * std::cos(hourAngle)) *
           ERFA_DR2D;
}

void moonFromStation(const StationFrame& place, const TerrestrialFrame& frame, double toMoon[3]) {
    GeocentricMoon moon = geocentricMoon(frame.dates.ttDays);
    double fromCelestial[3][3], moonTerrestrial[3];
    std::copy(&frame.fromCelestial[0][0], &frame.fromCelestial[0][0] + 9, &fromCelestial[0][0]);
    eraRxp(fromCelestial, moon.metres, moonTerrestrial);
    for (int k = 0; k < 3; ++k)
        toMoon[k] = moonTerrestrial[k] - place.itrsMetres[k];
}

}  // namespace

double moonParallacticAngleDeg(const GeoPosition& station, UtcInstant at) {
    double toMoon[3];
    moonFromStation(stationFrame(station), terrestrialFrame(at), toMoon);
    return parallacticAngleDeg(station, toMoon);
}

double parallacticAngleDeg(const GeoPosition& station, const MoonDirection& moon) {
    // The triangle pole, zenith, moon: its angle at the moon.
    const double latitude = station.latitudeDeg * ERFA_DD2R;
    const double azimuth = moon.azimuthDeg * ERFA_DD2R;
    const double elevation = moon.elevationDeg * ERFA_DD2R;
    return std::atan2(-std::sin(azimuth) * std::cos(latitude),
                      std::sin(latitude) * std::cos(elevation) -
                          std::cos(latitude) * std::sin(elevation) * std::cos(azimuth)) *
           ERFA_DR2D;
}

SkyView skyView(const GeoPosition& station, UtcInstant at) {
    const StationFrame place = stationFrame(station);
    TerrestrialFrame frame = terrestrialFrame(at);
    double toMoon[3];
    moonFromStation(place, frame, toMoon);
    const double distance = std::sqrt(dot(toMoon, toMoon));

    const double declination = std::asin(toMoon[2] / distance);
    double earthHeliocentric[2][3], earthBarycentric[2][3];
    eraEpv00(ERFA_DJ00, frame.dates.ttDays, earthHeliocentric, earthBarycentric);
    double sunCelestial[3], sunTerrestrial[3], toSun[3];
    for (int k = 0; k < 3; ++k)
        sunCelestial[k] = -earthHeliocentric[0][k] * ERFA_DAU;
    eraRxp(frame.fromCelestial, sunCelestial, sunTerrestrial);
    for (int k = 0; k < 3; ++k)
        toSun[k] = sunTerrestrial[k] - place.itrsMetres[k];

    SkyView view{moonView(station, at),
                 declination * ERFA_DR2D,
                 parallacticAngleDeg(station, toMoon),
                 {},
                 {},
                 directionFrom(place, toSun),
                 eraSepp(toMoon, toSun) * ERFA_DR2D};
    apparentTurn(place, at, view.moonApparentTurn, view.lineOfSight);
    return view;
}

double moonSpreadHz(const SkyView& from, const SkyView& to, double frequencyMHz) {
    // Across the line of sight (the two stations' lie within 2 deg of each other).
    double turn[3];
    for (int k = 0; k < 3; ++k)
        turn[k] = from.moonApparentTurn[k] + to.moonApparentTurn[k];
    const double along = dot(turn, to.lineOfSight);
    for (int k = 0; k < 3; ++k)
        turn[k] -= along * to.lineOfSight[k];
    return 2.0 * std::sqrt(dot(turn, turn)) * kMoonRadiusMetres * frequencyMHz * 1e6 /
           kSpeedOfLightMetresPerSecond;
}

}  // namespace selvora
