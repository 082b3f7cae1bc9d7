// What decides a moon-bounce sked besides the moon's direction, seen from one station
// at one instant: the moon's declination and distance, its parallactic angle (how a
// linearly polarized wave from the station lies on the moon against the celestial
// pole), how fast the moon seems to turn (which spreads the echo in frequency), and the
// sun. The same model as the moon's (astro/moon_position.h); the sun's geocentric place
// from ERFA's epv00 (the Earth's heliocentric position), without aberration (20").
#pragma once

#include "astro/locator.h"
#include "astro/moon_position.h"

namespace selvora {

inline constexpr double kMoonRadiusMetres = 1737.4e3;

struct SkyView {
    MoonView moon;
    double moonDeclinationDeg;       // topocentric, against the true equator of date
    double moonParallacticAngleDeg;  // (-180, 180]: positive with the moon west of the meridian
    // The moon's turn as the station sees it (the libration): its own rotation less the
    // swing of the line of sight (the station riding the turning Earth, the moon along
    // its orbit), across the line of sight; rad/s, celestial frame. With the unit line
    // of sight, station to moon.
    double moonApparentTurn[3];
    double lineOfSight[3];
    MoonDirection sun;      // geometric, no refraction
    double sunFromMoonDeg;  // the angle between them as the station sees them
};

SkyView skyView(const GeoPosition& station, UtcInstant at);

// The moon's parallactic angle alone: the angle at the moon from the celestial pole to
// the station's zenith, (-180, 180], positive with the moon west of the meridian.
double moonParallacticAngleDeg(const GeoPosition& station, UtcInstant at);
// The same from the moon's azimuth and elevation at the station, for many instants at
// little cost (with MoonTrack's directions).
double parallacticAngleDeg(const GeoPosition& station, const MoonDirection& moon);

// The limb-to-limb Doppler spread of a signal from one station to the other off the
// turning moon: each limb approaches or recedes at the turn times the moon's radius, on
// the way up and on the way down. One's own echo is `from` and `to` the same view; the
// spread between two stations is the same both ways.
double moonSpreadHz(const SkyView& from, const SkyView& to, double frequencyMHz);

}  // namespace selvora
