// Where the moon is seen from a station at any instant: Selvora's own moon, for planning
// skeds ahead of time, from ERFA (the IAU's SOFA routines).
//
// The model: the geocentric moon (GCRS) from WSJT-X's JPL ephemeris when one is found
// (astro/jpl_ephemeris.h), else ERFA's moon98 lunar position; the IAU 2006/2000A
// celestial-to-terrestrial frame with the Earth rotation angle taken at UT1 = UTC and no
// polar motion, and the station on the WGS84 ellipsoid at sea level. Azimuth and
// elevation are geometric (no refraction), as WSJT-X's azel.dat gives them.
#pragma once

#include <chrono>
#include <cstddef>
#include <vector>

#include "astro/jpl_ephemeris.h"
#include "astro/locator.h"
#include "astro/terrestrial_frame.h"

namespace selvora {

struct MoonView {
    double azimuthDeg;                // from true north through east, [0, 360)
    double elevationDeg;              // above the horizon plane, no refraction
    double distanceMetres;            // station to moon centre
    double rangeRateMetresPerSecond;  // how fast that distance grows (receding positive)
};

// The moon from the station at the instant.
MoonView moonView(const GeoPosition& station, UtcInstant at);

// The station fixed on the rotating Earth: its place (metres, terrestrial frame) and its
// local east, north and up.
struct StationFrame {
    double itrsMetres[3];
    double east[3], north[3], up[3];
};
StationFrame stationFrame(const GeoPosition& station);

// The moon's direction from the station only (no distance or rate), for searching and
// plotting.
struct MoonDirection {
    double azimuthDeg;
    double elevationDeg;
};

// The direction of a point from the station, given station to point in the terrestrial
// frame.
MoonDirection directionFrom(const StationFrame& station, const double fromStation[3]);

// The geocentric moon (GCRS) at TT days since J2000.0: from WSJT-X's JPL ephemeris when
// there is one and it covers the instant, else from ERFA's moon98.
GeocentricMoon geocentricMoon(double ttDays);

// The moon over a span of time, for many instants at little cost: the lunar position is
// computed once an hour and the frame every six hours, and both are interpolated between
// (the position cubic with the moon's velocity; a few milliarcseconds off); only the
// Earth's rotation is computed for each instant. Instants outside the span are extrapolated
// from its first or last hour: keep to the span.
class MoonTrack {
  public:
    MoonTrack(UtcInstant from, UtcInstant to);

    MoonDirection direction(const StationFrame& station, UtcInstant at) const;

  private:
    // Hourly: the geocentric moon.
    struct MoonNode {
        double gcrsMetres[3];
        double gcrsMetresPerSecond[3];
    };
    // Every six hours: precession and nutation (the frame the Earth turns in).
    struct FrameNode {
        double celestialToIntermediate[3][3];
    };
    UtcInstant from_;
    std::vector<MoonNode> moonNodes_;
    std::vector<FrameNode> frameNodes_;
};

}  // namespace selvora
