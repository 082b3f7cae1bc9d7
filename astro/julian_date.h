// The Julian Day Number of a calendar date.
#pragma once

#include "common/local_clock.h"

namespace selvora {

// The Julian Day Number of the date's year, month and day (the Julian date at noon
// of that day); the time of day is ignored and no half day is subtracted. Years up
// to 1585 count in the Julian calendar, later years in the Gregorian calendar, so
// the count steps back 9 days from 31 December 1585 to 1 January 1586.
// 1 January 2000 gives 2451545.
double julianDayNumber(const LocalDateTime& date);

}  // namespace selvora
