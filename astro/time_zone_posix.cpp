#include "astro/time_zone.h"

#include <initializer_list>
#include <limits>
#include <optional>
#include <utility>

namespace selvora {
namespace {

constexpr std::time_t kSecondsPerDay = 86400;

// How far either side of the instant to look for the other kind of time. A zone
// that keeps daylight saving time changes its clocks at least once a year; a day's
// step cannot miss a daylight saving period, none has ever been that short.
constexpr int kSearchDays = 366;

struct ZoneOffset {
    bool daylight;   // daylight saving time in force
    long utcOffset;  // seconds east of UTC
};

std::optional<ZoneOffset> offsetAt(std::time_t instant) {
    std::tm local{};
    if (localtime_r(&instant, &local) == nullptr) return std::nullopt;
    return ZoneOffset{local.tm_isdst > 0, local.tm_gmtoff};
}

// `instant` moved by whole days, or nothing when that leaves time_t's range.
std::optional<std::time_t> daysFrom(std::time_t instant, int days) {
    const std::time_t shift = static_cast<std::time_t>(days) * kSecondsPerDay;
    if (shift > 0 && instant > std::numeric_limits<std::time_t>::max() - shift) return std::nullopt;
    if (shift < 0 && instant < std::numeric_limits<std::time_t>::min() - shift) return std::nullopt;
    return instant + shift;
}

// The offset at a day-step from `instant`, within a year either side, where daylight
// saving time is (or is not) in force. Half a year away is the other season in nearly
// every zone, so that is tried first; the day-by-day search is the rare fallback.
std::optional<ZoneOffset> otherSeasonOffset(std::time_t instant, bool daylight) {
    constexpr int kHalfYear = 182;
    for (const int days : {kHalfYear, -kHalfYear}) {
        const auto probe = daysFrom(instant, days);
        const auto offset = probe ? offsetAt(*probe) : std::nullopt;
        if (offset && offset->daylight == daylight) return offset;
    }
    for (int day = 1; day <= kSearchDays; ++day) {
        for (const int direction : {-1, 1}) {
            const auto probe = daysFrom(instant, direction * day);
            if (!probe) continue;
            const auto offset = offsetAt(*probe);
            if (offset && offset->daylight == daylight) return offset;
        }
    }
    return std::nullopt;
}

// Minutes to add to local time to get UTC. Every offset in use since the 1970s is
// whole minutes; the local mean times of old have seconds, taken to the nearest minute.
std::int32_t biasOf(long utcOffsetSeconds) {
    const long west = -utcOffsetSeconds;
    const long minutes = west >= 0 ? (west + 30) / 60 : -((30 - west) / 60);
    return static_cast<std::int32_t>(minutes);
}

}  // namespace

HostTimeZoneSource::HostTimeZoneSource(InstantSource now) : now_(std::move(now)) {}

ZoneReading HostTimeZoneSource::read() const {
    tzset();  // localtime_r need not look at TZ again by itself
    const std::time_t instant = now_();
    const auto current = offsetAt(instant);
    if (!current) return {};

    const std::int32_t inForce = biasOf(current->utcOffset);
    if (current->daylight) {
        // A zone that never leaves daylight saving time has only that offset.
        const auto standard = otherSeasonOffset(instant, false);
        const std::int32_t base = standard ? biasOf(standard->utcOffset) : inForce;
        return {ZoneState::Daylight, base, 0, inForce - base};
    }
    // After tzset the C library knows whether the zone's rules have daylight saving
    // time at all: without it (UTC, Asia/Kathmandu, ...) there is nothing to look for.
    const auto daylight = ::daylight != 0 ? otherSeasonOffset(instant, true) : std::nullopt;
    if (!daylight) return {ZoneState::NoDaylightSaving, inForce, 0, 0};
    return {ZoneState::Standard, inForce, 0, biasOf(daylight->utcOffset) - inForce};
}

}  // namespace selvora
