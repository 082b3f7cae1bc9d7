// The moon's age in days since the last new moon, from a reference new moon and
// the mean length of the lunar cycle, shown in words and as a phase picture.
#pragma once

#include "common/local_clock.h"
#include "window/fields.h"

namespace selvora {

// Julian date of the reference new moon, on the local clock's scale.
inline constexpr double referenceNewMoon = 2457397.354861;
// Mean length of the lunar cycle in days.
inline constexpr double synodicMonth = 29.530588;

// Reads the local clock once and writes, in this order: the Julian date of the
// minute in Text3, its whole-day part in Text6, the hours as a fraction of a day in
// Text7, the time of day in Text8, the age as "~27.9 days past new moon" in
// days_after_new and as 7-digit number text in Label39; then hides every phase
// picture and shows the one for the age (phasePicture). Seconds are not used.
void moonage(Fields& fields, const LocalClock& localClock);

// The phase picture for a single-precision age in [0, synodicMonth): the age to the
// nearest whole day, halves to the even day. An age that rounds to 30 (the last
// 44 minutes or so of a cycle) shows picture 0, the new moon it is within an hour of.
int phasePicture(float age);

}  // namespace selvora
