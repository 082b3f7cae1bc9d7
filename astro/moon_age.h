// The moon's age in days since the last new moon, from a reference new moon and
// the mean length of the lunar cycle, shown in words and as a phase picture.
#pragma once

#include "common/local_clock.h"
#include "common/lunar_cycle.h"
#include "display/fields.h"

namespace selvora {

// Julian date of the reference new moon, on the local clock's scale.
inline constexpr double kReferenceNewMoon = 2457397.354861;

// Reads the local clock once and writes, in this order: the Julian date of the
// minute, its whole-day part, the hours as a fraction of a day, the time of day as
// a fraction of a day (all hidden), the age as "~27.9 days past new moon" and as
// 7-digit number text (hidden); then hides every phase picture and shows the one
// for the age (phasePicture). Seconds are not used.
void showMoonAge(Fields& fields, const LocalClock& localClock);

// The phase picture for a single-precision age in [0, kSynodicMonthDays): the age to the
// nearest whole day, halves to the even day. An age that rounds to 30 (the last
// 44 minutes or so of a cycle) shows picture 0, the new moon it is within an hour of.
int phasePicture(float age);

}  // namespace selvora
