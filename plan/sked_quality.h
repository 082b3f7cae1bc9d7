// What decides whether a sked works, beside the Dopplers: the moon's declination and
// distance, the spatial polarization offset and the non-reciprocity it brings, the sun
// near the moon, the Doppler spread of the echoes and the extra path loss. Free of Qt;
// `selvora --ahead` and the Sked ahead window show these.
#pragma once

#include <string>
#include <vector>

#include "astro/locator.h"
#include "astro/moon_position.h"

namespace selvora {

struct SkedQuality {
    double moonDeclinationDeg;  // seen from here
    double moonDistanceKm;      // from here
    double echoDelaySeconds;    // there and back
    double polarizationOffsetDeg;
    double nonReciprocityDb;
    MoonDirection sunHere;
    double sunFromMoonDeg;
    double spreadHereHz;  // one's own echo
    double spreadAtDxHz;  // the signal between the two stations, the same either way
    double pathLossOverPerigeeDb;
};

SkedQuality skedQuality(const GeoPosition& here, const GeoPosition& dx, UtcInstant at,
                        double frequencyMHz);

// The two stations' parallactic angles of the moon differ by the angle a linearly
// polarized wave from one arrives turned at the other (before any Faraday rotation),
// folded into [-90, 90): a polarization turned 180 deg is the same polarization.
double polarizationOffsetDeg(double parallacticHereDeg, double parallacticDxDeg);
double polarizationOffsetDeg(const GeoPosition& here, const GeoPosition& dx, UtcInstant at);

// How much worse one direction of the path can be than the other with linear
// polarization, whatever the Faraday rotation: -20 log10 |cos 2 offset| dB. It grows
// without bound towards 45 deg; shown up to kMaxNonReciprocityDb.
inline constexpr double kMaxNonReciprocityDb = 60.0;
double nonReciprocityDb(double polarizationOffsetDeg);

// The echo weakens with the fourth power of the distance: the loss over the moon at
// kPerigeeKm, the nearest it comes to the Earth's centre this century (a station under
// the moon can be up to 6,400 km nearer, a little below 0 dB).
inline constexpr double kPerigeeKm = 356400.0;
double pathLossOverPerigeeDb(double distanceKm);

// The half-power beam width of a typical EME antenna for the band: a yagi array below
// 1 GHz (15 deg on 50 and 70 MHz, 10 deg on 144 and 222 MHz, 6 deg on 432 and 902 MHz),
// a 3 m dish from 1 GHz on (70 wavelengths over the diameter, in degrees).
double typicalBeamWidthDeg(double frequencyMHz);
// The sun within this angle of the moon (three typical beam widths, and never less
// than 2 deg) puts its noise into the antenna's main lobe or first side lobes.
double sunWarningAngleDeg(double frequencyMHz);
// A non-reciprocity from here on is large: one station may hear the other ten times
// weaker than it is heard.
inline constexpr double kLargeNonReciprocityDb = 10.0;

// The figures as text, one a line, in the wording scripts read:
// "Moon declination: D deg", "Moon distance: N km, echo delay T s",
// "Polarization offset: P deg", "Non-reciprocity: N dB",
// "Sun here: az A el E, S deg from the moon", "Doppler spread: W Hz here, X Hz at the DX",
// "Path loss: +L dB over perigee".
std::string skedQualityText(const SkedQuality& quality);

// A sentence for each thing that may spoil the sked (the sun up and near the moon, a
// large non-reciprocity), each beginning "Warning: "; none when nothing does.
std::vector<std::string> skedWarnings(const SkedQuality& quality, double frequencyMHz);

// The polarization offset through a common window, for the partners to agree who
// turns their polarization.
struct OffsetAcross {
    double startDeg, middleDeg, endDeg;
};

}  // namespace selvora
