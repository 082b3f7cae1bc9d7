// Prints Selvora's own figures for a fixed sweep of instants and station pairs, each as
// a hexadecimal float: the exact bits, so that two builds (amd64 and arm64, say) can be
// compared with diff, not within a tolerance. scripts/test-arm64 does that.
// Usage: figure_bits [cases]   (default 2000)
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "astro/moon_doppler.h"
#include "astro/moon_position.h"
#include "astro/sky_view.h"
#include "plan/sked_quality.h"

namespace {

using namespace selvora;

// A plain linear congruential draw: the same numbers on every platform and library.
struct Draw {
    std::uint64_t state = 0x5e1f0a2b9c4d7e31u;
    double next(double from, double to) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        return from + (to - from) * static_cast<double>(state >> 11) * 0x1p-53;
    }
};

void print(const char* what, std::initializer_list<double> figures) {
    std::printf("%s", what);
    for (const double figure : figures)
        std::printf(" %a", figure);
    std::printf("\n");
}

void printCase(Draw& draw, const MoonTrack& track, UtcInstant from) {
    const GeoPosition here{draw.next(-80, 80), draw.next(-180, 180)};
    const GeoPosition dx{draw.next(-80, 80), draw.next(-180, 180)};
    const auto at = from + std::chrono::seconds(static_cast<long long>(draw.next(0, 86400 * 30)));
    const double megahertz = draw.next(50, 24100);
    std::printf("%lld %a %a %a %a %a\n", static_cast<long long>(at.time_since_epoch().count()),
                here.latitudeDeg, here.longitudeDeg, dx.latitudeDeg, dx.longitudeDeg, megahertz);
    const MoonView moon = moonView(here, at);
    print("  moon",
          {moon.azimuthDeg, moon.elevationDeg, moon.distanceMetres, moon.rangeRateMetresPerSecond});
    const MoonDirection tracked = track.direction(stationFrame(here), at);
    print("  track", {tracked.azimuthDeg, tracked.elevationDeg});
    print("  doppler",
          {selfDopplerHz(here, at, megahertz), mutualDopplerHz(here, dx, at, megahertz)});
    const SkyView sky = skyView(here, at);
    print("  sky", {sky.moonDeclinationDeg, sky.moonParallacticAngleDeg, sky.moonApparentTurn[0],
                    sky.moonApparentTurn[1], sky.moonApparentTurn[2], sky.sun.azimuthDeg,
                    sky.sun.elevationDeg, sky.sunFromMoonDeg});
    const SkedQuality q = skedQuality(here, dx, at, megahertz);
    print("  quality",
          {q.moonDistanceKm, q.echoDelaySeconds, q.polarizationOffsetDeg, q.nonReciprocityDb,
           q.spreadHereHz, q.spreadAtDxHz, q.pathLossOverPerigeeDb});
}

}  // namespace

int main(int argc, char** argv) {
    const int cases = argc > 1 ? std::atoi(argv[1]) : 2000;
    const UtcInstant from{std::chrono::seconds(1735689600)};  // 2025-01-01 00:00:00 UTC
    const MoonTrack track(from, from + std::chrono::hours(24 * 30));
    Draw draw;
    for (int i = 0; i < cases; ++i)
        printCase(draw, track, from);
    return 0;
}
