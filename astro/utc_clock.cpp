#include "astro/utc_clock.h"

#include <charconv>
#include <cstdint>
#include <string_view>

namespace selvora {
namespace {

constexpr std::string_view kWeekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                          "Thursday", "Friday", "Saturday"};
constexpr std::string_view kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

constexpr std::int64_t kMinutesPerDay = 1440;

// Calendar arithmetic on the proleptic Gregorian calendar after Howard Hinnant's
// "chrono-Compatible Low-Level Date Algorithms": whole 400-year eras of 146097
// days, and years counted from 1 March so that the leap day ends them. Day numbers
// count from 1970-01-01 (day 0). The ranges hold for any valid date.

// Day number of year-month-day.
constexpr std::int64_t daysFromCivil(std::int64_t year, std::int64_t month, std::int64_t day) {
    year -= month <= 2 ? 1 : 0;                                           // year from 1 March
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;       // rounded down
    const std::int64_t yearOfEra = year - era * 400;                      // [0, 399]
    const std::int64_t marchMonth = month > 2 ? month - 3 : month + 9;    // [0, 11], 0 = March
    const std::int64_t dayOfYear = (153 * marchMonth + 2) / 5 + day - 1;  // [0, 365]
    const std::int64_t dayOfEra =
        yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;  // [0, 146096]
    return era * 146097 + dayOfEra - 719468;  // 719468 days from 0000-03-01 to 1970-01-01
}

struct CivilDate {
    std::int64_t year;
    int month;  // 1 to 12
    int day;    // 1 to 31
};

// Year-month-day of a day number.
constexpr CivilDate civilFromDays(std::int64_t days) {
    days += 719468;                                                        // from 0000-03-01
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;  // rounded down
    const std::int64_t dayOfEra = days - era * 146097;                     // [0, 146096]
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;  // [0, 399]
    const std::int64_t dayOfYear =
        dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);   // [0, 365]
    const std::int64_t marchMonth = (5 * dayOfYear + 2) / 153;            // [0, 11], 0 = March
    const std::int64_t day = dayOfYear - (153 * marchMonth + 2) / 5 + 1;  // [1, 31]
    const std::int64_t month = marchMonth < 10 ? marchMonth + 3 : marchMonth - 9;  // [1, 12]
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), static_cast<int>(month),
            static_cast<int>(day)};
}

// Day of the week of a day number, 0 = Sunday (1970-01-01 was a Thursday).
constexpr std::int64_t weekdayFromDays(std::int64_t days) {
    return days >= -4 ? (days + 4) % 7 : (days + 5) % 7 + 6;  // [0, 6]
}

constexpr std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t quotient = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? quotient - 1 : quotient;
}

// `value` in decimal, with leading zeros to at least `width` digits.
void appendPadded(std::string& out, std::int64_t value, std::size_t width) {
    char digits[24];
    const std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    const auto end = std::to_chars(digits, digits + sizeof digits, magnitude).ptr;
    const auto count = static_cast<std::size_t>(end - digits);
    if (value < 0) out += '-';
    if (count < width) out.append(width - count, '0');
    out.append(digits, count);
}

}  // namespace

std::string UTC_time_text(const LocalClock& localClock, const TimeZoneSource& zone) {
    TimeZoneInformation record{};  // a failed call that writes nothing leaves an offset of 0
    const std::uint32_t state = zone.GetTimeZoneInformation(record);
    // Summed in 64 bits: no pair of 32-bit biases can overflow.
    const std::int64_t offset = state == TIME_ZONE_ID_DAYLIGHT
                                    ? static_cast<std::int64_t>(record.Bias) + record.DaylightBias
                                    : static_cast<std::int64_t>(record.Bias) + record.StandardBias;

    const LocalDateTime local = localClock.now();
    const std::int64_t minutes =
        (daysFromCivil(local.year, local.month, local.day) * 24 + local.hour) * 60 + local.minute +
        offset;
    const std::int64_t days = floorDiv(minutes, kMinutesPerDay);
    const std::int64_t minuteOfDay = minutes - days * kMinutesPerDay;  // [0, 1439]
    const CivilDate date = civilFromDays(days);

    std::string text;
    text += kWeekdays[weekdayFromDays(days)];
    text += ' ';
    text += kMonths[date.month - 1];
    text += ' ';
    appendPadded(text, date.day, 2);
    text += ", ";
    appendPadded(text, date.year, 4);
    text += ' ';
    appendPadded(text, minuteOfDay / 60, 2);
    text += ':';
    appendPadded(text, minuteOfDay % 60, 2);
    text += ':';
    appendPadded(text, local.second, 2);
    return text;
}

void get_the_UTC_time(Fields& fields, const LocalClock& localClock, const TimeZoneSource& zone) {
    fields.setText(field("Text4"), UTC_time_text(localClock, zone));
}

}  // namespace selvora
