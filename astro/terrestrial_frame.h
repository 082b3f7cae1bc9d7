// The rotating Earth's frame at an instant, shared by the moon and the sun: the IAU
// 2006/2000A celestial-to-terrestrial rotation with the Earth rotation angle taken at
// UT1 = UTC, as WSJT-X does, and no polar motion.
#pragma once

#include <chrono>

namespace selvora {

using UtcInstant = std::chrono::sys_seconds;

// An instant (plus a fraction of a second) as days since J2000.0 on the two time
// scales the sky needs.
struct SkyDates {
    double ut1Days;  // the Earth's rotation: UT1 taken as UTC
    double ttDays;   // the bodies' motion
};
SkyDates skyDates(UtcInstant at, double offsetSeconds = 0.0);

// UTC seconds since J2000.0 (no leap seconds counted), plus the offset.
double utcSecondsSinceJ2000(UtcInstant at, double offsetSeconds = 0.0);

struct TerrestrialFrame {
    SkyDates dates;
    double fromCelestial[3][3];  // GCRS to the terrestrial frame
};
TerrestrialFrame terrestrialFrame(UtcInstant at, double offsetSeconds = 0.0);

}  // namespace selvora
