#include "astro/moon_age.h"

#include <cmath>
#include <string>

#include "astro/julian_date.h"
#include "common/numbers.h"

namespace selvora {

int phasePicture(float age) {
    const int day = static_cast<int>(bankersRound(static_cast<double>(age)));
    // For an age in [0, kSynodicMonthDays) `day` is 0 to 30; the 30th day is the next new moon.
    return day >= kPhaseCount ? 0 : day;
}

void showMoonAge(Fields& fields, const LocalClock& localClock) {
    const LocalDateTime now = localClock.now();
    const double hours = static_cast<double>(now.hour) / 24;
    const double minutes = static_cast<double>(now.minute) / 1440;
    const double dayNumber = julianDayNumber(now);
    const double julianDate = (dayNumber + hours) + minutes;  // of the local minute

    fields.setText(field("julian_date"), numberText(julianDate));
    fields.setText(field("julian_day_number"), numberText(dayNumber));
    fields.setText(field("day_fraction"), numberText(hours));
    fields.setText(field("time_of_day"), numberText(hours + minutes));

    // The days since the reference new moon and the age are single precision: the age
    // is worked out in double from the float days, then rounded to float itself.
    const float elapsed = static_cast<float>(julianDate - kReferenceNewMoon);
    const double elapsedDays = static_cast<double>(elapsed);
    const float age = static_cast<float>(elapsedDays - std::floor(elapsedDays / kSynodicMonthDays) *
                                                           kSynodicMonthDays);

    fields.setText(field("days_after_new"), "~" + fixedText(age, 1) + " days past new moon");
    fields.setText(field("moon_age_days"), numberText(age));

    for (int k = 0; k < kPhaseCount; ++k)
        fields.setVisible(phase(k), false);
    fields.setVisible(phase(phasePicture(age)), true);
}

}  // namespace selvora
