#include "plan/sked_ahead.h"

#include <cmath>

#include "astro/moon_doppler.h"
#include "astro/moon_position.h"
#include "astro/sky_view.h"
#include "astro/utc_instant_text.h"
#include "common/numbers.h"
#include "plan/sked_plan_text.h"

namespace selvora {
namespace {

using namespace std::chrono;

MoonDirection directionOf(const GeoPosition& station, UtcInstant at) {
    const MoonView view = moonView(station, at);
    return {view.azimuthDeg, view.elevationDeg};
}

MoonDirection directionOf(const MoonSample& sample) {
    return {sample.azimuthDeg, sample.elevationDeg};
}

std::string moonLine(std::string_view where, const MoonDirection& moon) {
    return "Moon " + std::string(where) + ": az " + fixedText(moon.azimuthDeg, 1) + " el " +
           fixedText(moon.elevationDeg, 1) + '\n';
}

std::string durationText(seconds length) {
    const auto totalMinutes = duration_cast<minutes>(length).count();
    return std::to_string(totalMinutes / 60) + " h " + std::to_string(totalMinutes % 60) + " min";
}

std::string windowsHeading(const AheadRequest& request) {
    return "Common moon windows, both elevations at or above " +
           fixedText(request.minElevationDeg, 1) + " deg, " + std::to_string(request.days) +
           (request.days == 1 ? " day" : " days") + " from " + utcMinuteText(request.at) +
           " UTC:\n";
}

// The minutes a window's line shows: a sked at any of them has the moon at both.
struct ShownMinutes {
    UtcInstant start, end;
};
ShownMinutes shownMinutes(const CommonMoonWindow& window) {
    const auto start = ceil<minutes>(window.start);
    return {start, std::max<UtcInstant>(floor<minutes>(window.end), start)};
}

OffsetAcross offsetAcross(const AheadRequest& request, const CommonMoonWindow& window) {
    const ShownMinutes shown = shownMinutes(window);
    const auto offsetAt = [&](UtcInstant at) {
        return polarizationOffsetDeg(request.here, request.dx, at);
    };
    return {offsetAt(shown.start), offsetAt(shown.start + (shown.end - shown.start) / 2),
            offsetAt(shown.end)};
}

}  // namespace

SkedAhead planSkedAhead(const AheadRequest& request) {
    const double mhz = request.skedFrequencyMHz;
    const auto self = std::int64_t(std::floor(selfDopplerHz(request.here, request.at, mhz)));
    const auto mutual =
        std::int64_t(std::floor(mutualDopplerHz(request.here, request.dx, request.at, mhz)));
    const PlanInputs inputs{.skedFrequencyMHz = mhz,
                            .selfDopplerHz = double(self),
                            .mutualDopplerHz = double(mutual),
                            .resolutionDecimals = kAheadResolutionDecimals,
                            .toneDifferenceHz = 0};
    SkedAhead ahead{directionOf(request.here, request.at),
                    directionOf(request.dx, request.at),
                    self,
                    mutual,
                    skedQuality(request.here, request.dx, request.at, mhz),
                    {},
                    planSked(inputs),
                    commonMoonWindows(request.here, request.dx, request.at,
                                      request.at + days(request.days), request.minElevationDeg),
                    {}};
    ahead.warnings = skedWarnings(ahead.quality, mhz);
    for (const CommonMoonWindow& window : ahead.windows)
        ahead.windowOffsets.push_back(offsetAcross(request, window));
    return ahead;
}

std::string windowLine(const CommonMoonWindow& window) {
    const auto [start, end] = shownMinutes(window);
    std::string line = utcMinuteText(start) + " UTC to " + utcMinuteText(end) + " UTC  " +
                       durationText(end - start);
    if (window.cutAtStart) line += ", open at the start";
    if (window.cutAtEnd) line += ", still open at the end";
    return line + '\n';
}

std::string offsetLine(const OffsetAcross& offsets) {
    return "  polarization offset " + fixedText(offsets.startDeg, 1) + " deg at the start, " +
           fixedText(offsets.middleDeg, 1) + " in the middle, " + fixedText(offsets.endDeg, 1) +
           " at the end\n";
}

std::string skedAheadText(const AheadRequest& request, const SkedAhead& ahead) {
    std::string text = moonLine("here", ahead.moonHere) + moonLine("at the DX", ahead.moonAtDx);
    text += "Self Doppler: " + std::to_string(ahead.selfDopplerHz) + " Hz\n";
    text += "Mutual Doppler: " + std::to_string(ahead.mutualDopplerHz) + " Hz\n";
    text += skedQualityText(ahead.quality);
    for (const std::string& warning : ahead.warnings)
        text += warning + '\n';
    text += '\n';
    text += skedPlanText(ahead.plan, utcInstantText(request.at)) + '\n';
    text += windowsHeading(request);
    if (ahead.windows.empty()) text += "none\n";
    for (std::size_t i = 0; i < ahead.windows.size(); ++i) {
        text += windowLine(ahead.windows[i]);
        if (i < ahead.windowOffsets.size()) text += offsetLine(ahead.windowOffsets[i]);
    }
    return text;
}

DayPlot dayPlot(const AheadRequest& request, minutes step) {
    DayPlot plot{floor<days>(request.at), {}, {}};
    const UtcInstant start = plot.day, end = plot.day + days(1);
    const std::vector<MoonSample> here = moonSamples(request.here, start, end, step);
    const std::vector<MoonSample> dx = moonSamples(request.dx, start, end, step);
    for (std::size_t i = 0; i < here.size() && i < dx.size(); ++i)
        plot.samples.push_back(
            {here[i].at, here[i].elevationDeg, dx[i].elevationDeg,
             polarizationOffsetDeg(parallacticAngleDeg(request.here, directionOf(here[i])),
                                   parallacticAngleDeg(request.dx, directionOf(dx[i])))});
    plot.windows = commonMoonWindows(request.here, request.dx, start, end, request.minElevationDeg);
    return plot;
}

}  // namespace selvora
