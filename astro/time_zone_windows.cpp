#include <windows.h>

#include <utility>

#include "astro/time_zone.h"

namespace selvora {
namespace {

ZoneState zoneState(DWORD state) {
    switch (state) {
        case TIME_ZONE_ID_UNKNOWN:
            return ZoneState::NoDaylightSaving;
        case TIME_ZONE_ID_STANDARD:
            return ZoneState::Standard;
        case TIME_ZONE_ID_DAYLIGHT:
            return ZoneState::Daylight;
        default:
            return ZoneState::Unknown;
    }
}

}  // namespace

HostTimeZoneSource::HostTimeZoneSource(InstantSource now) : now_(std::move(now)) {}

ZoneReading HostTimeZoneSource::read() const {
    TIME_ZONE_INFORMATION zone{};
    const DWORD state = ::GetTimeZoneInformation(&zone);
    return {zoneState(state), zone.Bias, zone.StandardBias, zone.DaylightBias};
}

}  // namespace selvora
