#include "astro/moon_position.h"

#include <erfa.h>
#include <erfam.h>

#include <algorithm>
#include <cmath>

#include "astro/jpl_ephemeris.h"
#include "astro/terrestrial_frame.h"

namespace selvora {
namespace {

using namespace std::chrono;

constexpr double kMetresPerAu = ERFA_DAU;
constexpr double kSecondsPerDay = ERFA_DAYSEC;
constexpr double kTrackStepSeconds = 3600.0;
// The frame's fastest turn (nutation's 13.7-day term) bends away from a straight line by
// a few milliarcseconds over this step.
constexpr double kFrameStepSeconds = 6 * kTrackStepSeconds;

// The geocentric moon in the terrestrial frame, metres.
void moonTerrestrialMetres(UtcInstant at, double offsetSeconds, double terrestrial[3]) {
    TerrestrialFrame frame = terrestrialFrame(at, offsetSeconds);  // ERFA takes no const
    GeocentricMoon moon = geocentricMoon(frame.dates.ttDays);
    eraRxp(frame.fromCelestial, moon.metres, terrestrial);
}

double dot(const double a[3], const double b[3]) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// Station to moon, terrestrial frame.
void topocentric(const StationFrame& station, const double moon[3], double fromStation[3]) {
    for (int k = 0; k < 3; ++k)
        fromStation[k] = moon[k] - station.itrsMetres[k];
}

MoonDirection directionOf(const StationFrame& station, const double fromStation[3]) {
    const double east = dot(station.east, fromStation);
    const double north = dot(station.north, fromStation);
    const double up = dot(station.up, fromStation);
    double azimuthDeg = std::atan2(east, north) * ERFA_DR2D;
    if (azimuthDeg < 0.0) azimuthDeg += 360.0;
    // Not std::hypot: glibc computes it another way where multiply-adds fuse (arm64), so
    // its last bit would differ from amd64's; the square root is exact on both.
    return {azimuthDeg, std::atan2(up, std::sqrt(east * east + north * north)) * ERFA_DR2D};
}

double distanceMetres(const StationFrame& station, UtcInstant at, double offsetSeconds) {
    double moon[3], fromStation[3];
    moonTerrestrialMetres(at, offsetSeconds, moon);
    topocentric(station, moon, fromStation);
    return std::sqrt(dot(fromStation, fromStation));
}

// The two nodes an instant lies between (the first or last two outside them), and how
// far along it is from the first, as a fraction of the step.
template <typename Node>
struct Between {
    Between(const std::vector<Node>& nodes, double sinceFirstSeconds, double stepSeconds)
        : index(std::clamp(std::floor(sinceFirstSeconds / stepSeconds), 0.0,
                           static_cast<double>(nodes.size() - 2))),
          before(nodes[static_cast<std::size_t>(index)]),
          after(nodes[static_cast<std::size_t>(index) + 1]),
          fraction(sinceFirstSeconds / stepSeconds - index) {}
    double index;
    const Node& before;
    const Node& after;
    double fraction;
};

}  // namespace

MoonDirection directionFrom(const StationFrame& station, const double fromStation[3]) {
    return directionOf(station, fromStation);
}

// From moon98 the moon's distance changes within about 0.08 m/s of JPL's.
GeocentricMoon geocentricMoon(double ttDays) {
    if (const auto fromJpl = jplGeocentricMoon(ttDays)) return *fromJpl;
    double pv[2][3];
    eraMoon98(ERFA_DJ00, ttDays, pv);
    GeocentricMoon moon{};
    for (int k = 0; k < 3; ++k) {
        moon.metres[k] = pv[0][k] * kMetresPerAu;
        moon.metresPerSecond[k] = pv[1][k] * kMetresPerAu / kSecondsPerDay;
    }
    return moon;
}

StationFrame stationFrame(const GeoPosition& station) {
    const double latitude = station.latitudeDeg * ERFA_DD2R;
    const double longitude = station.longitudeDeg * ERFA_DD2R;
    StationFrame frame{};
    eraGd2gc(ERFA_WGS84, longitude, latitude, 0.0, frame.itrsMetres);
    const double sinLat = std::sin(latitude), cosLat = std::cos(latitude);
    const double sinLon = std::sin(longitude), cosLon = std::cos(longitude);
    const double east[3] = {-sinLon, cosLon, 0.0};
    const double north[3] = {-sinLat * cosLon, -sinLat * sinLon, cosLat};
    const double up[3] = {cosLat * cosLon, cosLat * sinLon, sinLat};
    std::copy(east, east + 3, frame.east);
    std::copy(north, north + 3, frame.north);
    std::copy(up, up + 3, frame.up);
    return frame;
}

MoonView moonView(const GeoPosition& station, UtcInstant at) {
    const StationFrame frame = stationFrame(station);
    double moon[3], fromStation[3];
    moonTerrestrialMetres(at, 0.0, moon);
    topocentric(frame, moon, fromStation);
    const MoonDirection direction = directionFrom(frame, fromStation);
    // The distance changes smoothly over a second: a central difference over one second
    // is good to far better than a millimetre a second.
    const double rate = distanceMetres(frame, at, 0.5) - distanceMetres(frame, at, -0.5);
    return {direction.azimuthDeg, direction.elevationDeg, std::sqrt(dot(fromStation, fromStation)),
            rate};
}

MoonTrack::MoonTrack(UtcInstant from, UtcInstant to) : from_(from) {
    const double spanSeconds = std::max(0.0, duration<double>(to - from).count());
    const auto intervals = static_cast<std::size_t>(std::ceil(spanSeconds / kTrackStepSeconds));
    moonNodes_.resize(std::max<std::size_t>(intervals, 1) + 1);
    for (std::size_t k = 0; k < moonNodes_.size(); ++k) {
        const GeocentricMoon moon =
            geocentricMoon(skyDates(from, static_cast<double>(k) * kTrackStepSeconds).ttDays);
        MoonNode& node = moonNodes_[k];
        std::copy(moon.metres, moon.metres + 3, node.gcrsMetres);
        std::copy(moon.metresPerSecond, moon.metresPerSecond + 3, node.gcrsMetresPerSecond);
    }
    const auto frameIntervals =
        static_cast<std::size_t>(std::ceil(spanSeconds / kFrameStepSeconds));
    frameNodes_.resize(std::max<std::size_t>(frameIntervals, 1) + 1);
    for (std::size_t k = 0; k < frameNodes_.size(); ++k)
        eraC2i06a(ERFA_DJ00, skyDates(from, static_cast<double>(k) * kFrameStepSeconds).ttDays,
                  frameNodes_[k].celestialToIntermediate);
}

MoonDirection MoonTrack::direction(const StationFrame& station, UtcInstant at) const {
    const double sinceFrom = duration<double>(at - from_).count();
    const Between<MoonNode> hour(moonNodes_, sinceFrom, kTrackStepSeconds);
    const MoonNode &before = hour.before, &after = hour.after;
    const double s = hour.fraction;

    // Cubic Hermite in position, with the velocities scaled to the interval.
    const double s2 = s * s, s3 = s2 * s;
    const double h00 = 2 * s3 - 3 * s2 + 1, h10 = s3 - 2 * s2 + s;
    const double h01 = -2 * s3 + 3 * s2, h11 = s3 - s2;
    double celestial[3];
    for (int i = 0; i < 3; ++i)
        celestial[i] =
            h00 * before.gcrsMetres[i] + h10 * kTrackStepSeconds * before.gcrsMetresPerSecond[i] +
            h01 * after.gcrsMetres[i] + h11 * kTrackStepSeconds * after.gcrsMetresPerSecond[i];

    const Between<FrameNode> frame(frameNodes_, sinceFrom, kFrameStepSeconds);
    double celestialToIntermediate[3][3];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            celestialToIntermediate[i][j] =
                (1 - frame.fraction) * frame.before.celestialToIntermediate[i][j] +
                frame.fraction * frame.after.celestialToIntermediate[i][j];

    // The Earth's rotation for this instant; polar motion is left out, as in moonView.
    const double ut1Days = utcSecondsSinceJ2000(at, 0.0) / kSecondsPerDay;
    double noPolarMotion[3][3], celestialToTerrestrial[3][3];
    eraIr(noPolarMotion);
    eraC2tcio(celestialToIntermediate, eraEra00(ERFA_DJ00, ut1Days), noPolarMotion,
              celestialToTerrestrial);
    double moon[3], fromStation[3];
    eraRxp(celestialToTerrestrial, celestial, moon);
    topocentric(station, moon, fromStation);
    return directionFrom(station, fromStation);
}

}  // namespace selvora
