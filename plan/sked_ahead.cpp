#include "plan/sked_ahead.h"

#include <cmath>

#include "astro/moon_doppler.h"
#include "astro/moon_position.h"
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
    return {directionOf(request.here, request.at),
            directionOf(request.dx, request.at),
            self,
            mutual,
            planSked(inputs),
            commonMoonWindows(request.here, request.dx, request.at, request.at + days(request.days),
                              request.minElevationDeg)};
}

std::string windowLine(const CommonMoonWindow& window) {
    // Whole minutes within the window: a sked at any minute shown has the moon at both.
    const auto start = ceil<minutes>(window.start);
    const auto end = std::max(floor<minutes>(window.end), start);
    std::string line = utcMinuteText(start) + " UTC to " + utcMinuteText(end) + " UTC  " +
                       durationText(end - start);
    if (window.cutAtStart) line += ", open at the start";
    if (window.cutAtEnd) line += ", still open at the end";
    return line + '\n';
}

std::string skedAheadText(const AheadRequest& request, const SkedAhead& ahead) {
    std::string text = moonLine("here", ahead.moonHere) + moonLine("at the DX", ahead.moonAtDx);
    text += "Self Doppler: " + std::to_string(ahead.selfDopplerHz) + " Hz\n";
    text += "Mutual Doppler: " + std::to_string(ahead.mutualDopplerHz) + " Hz\n\n";
    text += skedPlanText(ahead.plan, utcInstantText(request.at)) + '\n';
    text += windowsHeading(request);
    if (ahead.windows.empty()) text += "none\n";
    for (const CommonMoonWindow& window : ahead.windows)
        text += windowLine(window);
    return text;
}

DayPlot dayPlot(const AheadRequest& request, minutes step) {
    DayPlot plot{floor<days>(request.at), {}, {}};
    const UtcInstant start = plot.day, end = plot.day + days(1);
    const std::vector<MoonSample> here = moonSamples(request.here, start, end, step);
    const std::vector<MoonSample> dx = moonSamples(request.dx, start, end, step);
    for (std::size_t i = 0; i < here.size() && i < dx.size(); ++i)
        plot.samples.push_back({here[i].at, here[i].elevationDeg, dx[i].elevationDeg});
    plot.windows = commonMoonWindows(request.here, request.dx, start, end, request.minElevationDeg);
    return plot;
}

}  // namespace selvora
