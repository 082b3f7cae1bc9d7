#include "astro/moon_windows.h"

#include <algorithm>

namespace selvora {
namespace {

using std::chrono::seconds;

constexpr seconds kScanStep = std::chrono::minutes(5);
constexpr seconds kEdgeResolution{1};

// Whether the moon is high enough at both stations, on one shared track.
class BothStations {
  public:
    BothStations(const GeoPosition& here, const GeoPosition& dx, UtcInstant from, UtcInstant to,
                 double minElevationDeg)
        : track_(from, to),
          here_(stationFrame(here)),
          dx_(stationFrame(dx)),
          minElevationDeg_(minElevationDeg) {}

    bool moonUp(UtcInstant at) const {
        return track_.direction(here_, at).elevationDeg >= minElevationDeg_ &&
               track_.direction(dx_, at).elevationDeg >= minElevationDeg_;
    }

    // The first second after `before` (whose state is known) on which the state has
    // changed, given that it has changed by `after`.
    UtcInstant edge(UtcInstant before, UtcInstant after, bool stateBefore) const {
        while (after - before > kEdgeResolution) {
            const UtcInstant middle = before + (after - before) / 2;
            (moonUp(middle) == stateBefore ? before : after) = middle;
        }
        return after;
    }

  private:
    MoonTrack track_;
    StationFrame here_, dx_;
    double minElevationDeg_;
};

}  // namespace

std::vector<CommonMoonWindow> commonMoonWindows(const GeoPosition& here, const GeoPosition& dx,
                                                UtcInstant from, UtcInstant to,
                                                double minElevationDeg) {
    std::vector<CommonMoonWindow> windows;
    if (to <= from) return windows;
    const BothStations stations(here, dx, from, to, minElevationDeg);

    bool up = stations.moonUp(from);
    bool openAtStart = up;
    UtcInstant opened = from;
    for (UtcInstant previous = from; previous < to;) {
        const UtcInstant next = std::min(previous + kScanStep, to);
        const bool upNext = stations.moonUp(next);
        if (upNext != up) {
            const UtcInstant changed = stations.edge(previous, next, up);
            if (upNext) {
                opened = changed;
                openAtStart = false;
            } else {
                windows.push_back({opened, changed, openAtStart, false});
            }
            up = upNext;
        }
        previous = next;
    }
    if (up) windows.push_back({opened, to, openAtStart, true});
    return windows;
}

std::vector<MoonSample> moonSamples(const GeoPosition& station, UtcInstant from, UtcInstant to,
                                    seconds step) {
    std::vector<MoonSample> samples;
    if (to < from || step <= seconds::zero()) return samples;
    const MoonTrack track(from, to);
    const StationFrame frame = stationFrame(station);
    for (UtcInstant at = from; at <= to; at += step) {
        const MoonDirection direction = track.direction(frame, at);
        samples.push_back({at, direction.azimuthDeg, direction.elevationDeg});
    }
    return samples;
}

}  // namespace selvora
