#include "astro/utc_instant_text.h"

#include <charconv>

namespace selvora {
namespace {

using namespace std::chrono;

constexpr std::string_view kForm = "YYYY-MM-DD HH:MM:SS";

// Exactly `width` digits at `at`, else nullopt.
std::optional<int> digitsAt(std::string_view text, std::size_t at, std::size_t width) {
    if (at + width > text.size()) return std::nullopt;
    int value = 0;
    const char* first = text.data() + at;
    const auto [end, error] = std::from_chars(first, first + width, value);
    if (error != std::errc() || end != first + width || *first == '+' || *first == '-')
        return std::nullopt;
    return value;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

UtcReading refused(std::string_view text, std::string_view why) {
    return {std::nullopt, "'" + std::string(text) + "' " + std::string(why)};
}

bool separatorsAt(std::string_view text) {
    const bool seconds = text.size() == kForm.size();
    return text[4] == '-' && text[7] == '-' && text[10] == ' ' && text[13] == ':' &&
           (!seconds || text[16] == ':');
}

// long long: the hours' and minutes' counts are that on Windows, where long has 32 bits.
std::string twoDigits(long long value) {
    return std::string(1, char('0' + value / 10)) + char('0' + value % 10);
}

}  // namespace

UtcReading readUtcInstant(std::string_view typed) {
    const std::string_view text = trimmed(typed);
    constexpr std::string_view kNotATime = "is not a UTC time such as 2026-12-09 21:30:00";
    if (text.size() != kForm.size() && text.size() != kForm.size() - 3)
        return refused(typed, kNotATime);
    if (!separatorsAt(text)) return refused(typed, kNotATime);
    const auto yearValue = digitsAt(text, 0, 4), monthValue = digitsAt(text, 5, 2),
               dayValue = digitsAt(text, 8, 2), hourValue = digitsAt(text, 11, 2),
               minuteValue = digitsAt(text, 14, 2);
    const auto secondValue = text.size() == kForm.size() ? digitsAt(text, 17, 2) : 0;
    if (!yearValue || !monthValue || !dayValue || !hourValue || !minuteValue || !secondValue)
        return refused(typed, kNotATime);
    const year_month_day date{year(*yearValue), month(unsigned(*monthValue)),
                              day(unsigned(*dayValue))};
    if (!date.ok()) return refused(typed, "is no day of the calendar");
    if (*hourValue > 23 || *minuteValue > 59 || *secondValue > 59)
        return refused(typed, "is no time of day (00:00:00 to 23:59:59)");
    return {sys_days(date) + hours(*hourValue) + minutes(*minuteValue) + seconds(*secondValue), {}};
}

std::string utcMinuteText(sys_seconds instant) {
    const sys_days day = floor<days>(instant);
    const year_month_day date(day);
    const hh_mm_ss time(instant - day);
    return std::to_string(int(date.year())) + '-' + twoDigits(unsigned(date.month())) + '-' +
           twoDigits(unsigned(date.day())) + ' ' + twoDigits(time.hours().count()) + ':' +
           twoDigits(time.minutes().count());
}

std::string utcInstantText(sys_seconds instant) {
    const hh_mm_ss time(instant - floor<days>(instant));
    return utcMinuteText(instant) + ':' + twoDigits(time.seconds().count());
}

}  // namespace selvora
