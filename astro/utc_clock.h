// The UTC date and time: the local clock plus the offset of UTC from local time
// that the zone settings give at that moment.
#pragma once

#include <string>

#include "astro/time_zone.h"
#include "common/local_clock.h"
#include "display/fields.h"

namespace selvora {

// The local clock moved by the zone's current offset, with full calendar carry,
// as "dddd mmm dd, yyyy hh:mm:ss": "Monday Dec 07, 2026 09:19:32". English names,
// 24-hour clock, ":" between hours, minutes and seconds; the seconds stay as read.
// A zone source that fails and writes nothing gives local time.
std::string utcTimeText(const LocalClock& localClock, const TimeZoneSource& zone);

// Shows utcTimeText in the UTC time box.
void showUtcTime(Fields& fields, const LocalClock& localClock, const TimeZoneSource& zone);

}  // namespace selvora
