#include "astro/time_zone.h"

// After time_zone.h: <windows.h> defines the TIME_ZONE_ID_ names as macros.
#include <windows.h>

namespace selvora {

std::uint32_t HostTimeZoneSource::GetTimeZoneInformation(TimeZoneInformation& record) const {
    TIME_ZONE_INFORMATION zone{};
    const DWORD state = ::GetTimeZoneInformation(&zone);
    record.Bias = zone.Bias;
    record.StandardBias = zone.StandardBias;
    record.DaylightBias = zone.DaylightBias;
    return state;
}

}  // namespace selvora
