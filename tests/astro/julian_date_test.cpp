#include "astro/julian_date.h"

#include <chrono>

#include <gtest/gtest.h>

namespace selvora {
namespace {

TEST(JulianDayNumber, ListedDates) {
    const struct {
        LocalDateTime date;
        double expected;
    } cases[] = {
        {{2016, 1, 9, 0, 0, 0}, 2457397},
        {{2016, 1, 9, 23, 59, 59}, 2457397},  // the time of day is ignored
        {{2000, 1, 1, 0, 0, 0}, 2451545},
        {{2026, 12, 7, 9, 19, 0}, 2461382},
        {{2024, 2, 29, 0, 0, 0}, 2460370},
        {{2024, 3, 1, 0, 0, 0}, 2460371},
        {{2000, 2, 29, 0, 0, 0}, 2451604},
        {{2000, 3, 1, 0, 0, 0}, 2451605},
        {{2100, 2, 28, 0, 0, 0}, 2488128},
        {{2100, 3, 1, 0, 0, 0}, 2488129},
        {{1900, 2, 28, 0, 0, 0}, 2415079},
        {{1900, 3, 1, 0, 0, 0}, 2415080},
        // Up to 1585 the Julian calendar: the count steps back at the switch.
        {{1585, 12, 31, 0, 0, 0}, 2300344},
        {{1586, 1, 1, 0, 0, 0}, 2300335},
        {{1582, 10, 4, 0, 0, 0}, 2299160},  // the last day of the Julian calendar in Rome
    };
    for (const auto& c : cases) {
        EXPECT_EQ(julianDayNumber(c.date), c.expected)
            << c.date.year << '-' << c.date.month << '-' << c.date.day << ' ' << c.date.hour;
    }
}

// Against the library's own Gregorian calendar: 1970-01-01 is Julian Day 2440588.
TEST(JulianDayNumber, EveryDayFrom1586To3000IsTheGregorianDayNumber) {
    using namespace std::chrono;
    const sys_days last = 3000y / December / 31;
    for (sys_days d = 1586y / January / 1; d <= last; d += days{1}) {
        const year_month_day date{d};
        const LocalDateTime local{static_cast<int>(date.year()),
                                  static_cast<int>(static_cast<unsigned>(date.month())),
                                  static_cast<int>(static_cast<unsigned>(date.day())),
                                  12,
                                  0,
                                  0};
        const double expected = static_cast<double>(d.time_since_epoch().count() + 2440588);
        ASSERT_EQ(julianDayNumber(local), expected)
            << local.year << '-' << local.month << '-' << local.day;
    }
}

// Walks the Julian calendar (a leap day every fourth year) back from 31 December
// 1585 to the start of the count, 1 January 4713 BC (year -4712), which is day 0.
// Before year 1 the terms go negative, where the divisions must round down.
TEST(JulianDayNumber, UpTo1585CountsTheJulianCalendar) {
    constexpr int kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    double expected = 2300344;
    for (int year = 1585; year >= -4712; --year) {
        for (int month = 12; month >= 1; --month) {
            const int length = kMonthDays[month - 1] + (month == 2 && year % 4 == 0 ? 1 : 0);
            for (int day = length; day >= 1; --day, --expected) {
                ASSERT_EQ(julianDayNumber({year, month, day, 0, 0, 0}), expected)
                    << year << '-' << month << '-' << day;
            }
        }
    }
    EXPECT_EQ(expected + 1, 0);
}

}  // namespace
}  // namespace selvora
