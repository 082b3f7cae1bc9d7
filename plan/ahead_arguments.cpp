#include "plan/ahead_arguments.h"

#include <cmath>

#include "astro/utc_instant_text.h"
#include "common/numbers.h"

namespace selvora {
namespace {

using Refusal = std::string;

std::string inQuotes(std::string_view text) {
    return "'" + std::string(text) + "'";
}

std::string named(std::string_view name, std::string_view why) {
    return std::string(name) + ": " + std::string(why);
}

std::variant<GeoPosition, Refusal> locatorOf(std::string_view name, const std::string& typed) {
    if (typed.empty()) return named(name, "no locator given, nor saved, nor in WSJT-X's settings");
    const LocatorReading reading = readLocator(typed);
    if (!reading.position) return named(name, reading.refusal);  // "JO6 is not a locator: ..."
    return *reading.position;
}

// A number within [low, high], a whole one when `whole`.
std::optional<double> numberIn(const std::string& typed, double low, double high, bool whole) {
    const std::optional<double> value = strictNumber(typed);
    if (!value || !(*value >= low && *value <= high)) return std::nullopt;
    if (whole && *value != std::floor(*value)) return std::nullopt;
    return value;
}

}  // namespace

std::variant<AheadRequest, std::string> readAheadArguments(const AheadArguments& arguments,
                                                           const AheadDefaults& defaults,
                                                           const AheadValueNames& names) {
    AheadRequest request;
    const auto here = locatorOf(names.myGrid, arguments.myGrid.value_or(defaults.myGrid));
    if (const auto* refusal = std::get_if<Refusal>(&here)) return *refusal;
    request.here = std::get<GeoPosition>(here);
    const auto dx = locatorOf(names.dxGrid, arguments.dxGrid.value_or(""));
    if (const auto* refusal = std::get_if<Refusal>(&dx)) return *refusal;
    request.dx = std::get<GeoPosition>(dx);

    request.at = defaults.now;
    if (arguments.at) {
        const UtcReading time = readUtcInstant(*arguments.at);
        if (!time.instant) return named(names.at, time.refusal);
        request.at = *time.instant;
    }

    const std::string sked = arguments.skedMHz.value_or("");
    const std::optional<double> mhz = strictNumber(sked);
    if (!mhz || !(*mhz > 0) || !std::isfinite(*mhz))
        return named(names.skedMHz, sked.empty() ? "the sked frequency in MHz is needed"
                                                 : inQuotes(sked) +
                                                       " is not a frequency in MHz, "
                                                       "such as 1296.1");
    request.skedFrequencyMHz = *mhz;

    if (arguments.days) {
        const auto days = numberIn(*arguments.days, 1, kMaxAheadDays, true);
        if (!days) return named(names.days, inQuotes(*arguments.days) + " is not 1 to 31 days");
        request.days = int(*days);
    }
    if (arguments.minElevationDeg) {
        const auto elevation = numberIn(*arguments.minElevationDeg, -90, 90, false);
        if (!elevation)
            return named(names.minElevationDeg, inQuotes(*arguments.minElevationDeg) +
                                                    " is not an elevation from -90 to 90 degrees");
        request.minElevationDeg = *elevation;
    }
    return request;
}

}  // namespace selvora
