#include "astro/utc_clock.h"

#include <charconv>
#include <chrono>
#include <cstdint>
#include <string_view>

namespace selvora {
namespace {

// English names whatever the user's language: the C locale follows it once Qt starts.
constexpr std::string_view kWeekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                          "Thursday", "Friday", "Saturday"};
constexpr std::string_view kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

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

std::string utcTimeText(const LocalClock& localClock, const TimeZoneSource& zone) {
    using namespace std::chrono;
    const std::int64_t offset = zone.read().utcOffsetMinutes();
    const LocalDateTime local = localClock.now();
    const sys_days localDay{year{local.year} / local.month / local.day};
    const sys_time<minutes> utc =
        localDay + hours{local.hour} + minutes{local.minute} + minutes{offset};
    const sys_days utcDay = floor<days>(utc);
    const year_month_day date{utcDay};
    const minutes minuteOfDay = utc - utcDay;  // [0, 1439]

    std::string text;
    text += kWeekdays[weekday{utcDay}.c_encoding()];
    text += ' ';
    text += kMonths[static_cast<unsigned>(date.month()) - 1];
    text += ' ';
    appendPadded(text, static_cast<unsigned>(date.day()), 2);
    text += ", ";
    appendPadded(text, static_cast<int>(date.year()), 4);
    text += ' ';
    appendPadded(text, minuteOfDay.count() / 60, 2);
    text += ':';
    appendPadded(text, minuteOfDay.count() % 60, 2);
    text += ':';
    appendPadded(text, local.second, 2);
    return text;
}

void showUtcTime(Fields& fields, const LocalClock& localClock, const TimeZoneSource& zone) {
    fields.setText(field("utc_time"), utcTimeText(localClock, zone));
}

}  // namespace selvora
