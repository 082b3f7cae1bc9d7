// The UTC date and time in Text4: the local clock plus the offset of UTC from
// local time that the zone settings give at that moment.
#pragma once

#include <string>

#include "astro/time_zone.h"
#include "common/local_clock.h"
#include "window/fields.h"

namespace selvora {

// The local clock moved by the zone's current offset, with full calendar carry,
// as "dddd mmm dd, yyyy hh:mm:ss": "Monday Dec 07, 2026 09:19:32". English names,
// 24-hour clock, ":" between hours, minutes and seconds; the seconds stay as read.
// A zone source that fails and writes nothing gives local time.
std::string UTC_time_text(const LocalClock& localClock, const TimeZoneSource& zone);

// Sets the text of Text4 to UTC_time_text.
void get_the_UTC_time(Fields& fields, const LocalClock& localClock, const TimeZoneSource& zone);

}  // namespace selvora
