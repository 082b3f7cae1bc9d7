#include "astro/moon_age.h"

#include <chrono>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "common/numbers.h"
#include "support/fakes.h"

namespace selvora {
namespace {

using testing::FakeClock;

std::vector<int> visiblePictures(const Fields& fields) {
    std::vector<int> shown;
    for (int k = 0; k < kPhaseCount; ++k)
        if (fields.visible(phase(k))) shown.push_back(k);
    return shown;
}

TEST(MoonAge, WritesTheJulianDateOfTheMinute) {
    const struct {
        LocalDateTime local;
        const char *text3, *text6, *text7, *text8;
    } cases[] = {
        {{2026, 12, 7, 9, 19, 32}, "2461382.38819444", "2461382", "0.375", "0.388194444444444"},
        {{2026, 12, 7, 9, 19, 0}, "2461382.38819444", "2461382", "0.375", "0.388194444444444"},
        {{2016, 1, 9, 8, 31, 0},
         "2457397.35486111",
         "2457397",
         "0.333333333333333",
         "0.354861111111111"},
        {{2016, 1, 9, 0, 0, 0}, "2457397", "2457397", "0", "0"},
        {{2016, 2, 7, 23, 59, 59},
         "2457426.99930556",
         "2457426",
         "0.958333333333333",
         "0.999305555555556"},
    };
    for (const auto& c : cases) {
        Fields fields;
        showMoonAge(fields, FakeClock(c.local));
        EXPECT_EQ(fields.text(field("julian_date")), c.text3) << c.text3;
        EXPECT_EQ(fields.text(field("julian_day_number")), c.text6) << c.text3;
        EXPECT_EQ(fields.text(field("day_fraction")), c.text7) << c.text3;
        EXPECT_EQ(fields.text(field("time_of_day")), c.text8) << c.text3;
    }
}

TEST(MoonAge, ShowsTheAgeInWordsAndAsOnePicture) {
    const struct {
        LocalDateTime local;
        const char* caption;
        const char* label39;
        int picture;
    } cases[] = {
        // The worked example, the same minute without its seconds, the reference
        // new moon, a day before it, and midnight of the reference day.
        {{2026, 12, 7, 9, 19, 32}, "~27.9 days past new moon", "27.93466", 28},
        {{2026, 12, 7, 9, 19, 0}, "~27.9 days past new moon", "27.93466", 28},
        {{2016, 1, 9, 8, 31, 0}, "~0.0 days past new moon", "1.11293E-07", 0},
        {{2016, 1, 8, 8, 31, 0}, "~28.5 days past new moon", "28.53059", 29},
        {{2016, 1, 9, 0, 0, 0}, "~29.2 days past new moon", "29.17573", 29},
        // Ages of exactly n + 0.5 go to the even picture.
        {{2016, 1, 23, 20, 31, 0}, "~14.5 days past new moon", "14.5", 14},
        {{2016, 1, 24, 20, 31, 0}, "~15.5 days past new moon", "15.5", 16},
        // The last minutes of a cycle: from 29.5 days the new moon's picture.
        {{2016, 2, 7, 20, 30, 0}, "~29.5 days past new moon", "29.49931", 29},
        {{2016, 2, 7, 20, 31, 0}, "~29.5 days past new moon", "29.5", 0},
        {{2016, 2, 7, 21, 0, 0}, "~29.5 days past new moon", "29.52014", 0},
    };
    for (const auto& c : cases) {
        Fields fields;  // pictures 5 to 29 visible, as at creation
        showMoonAge(fields, FakeClock(c.local));
        EXPECT_EQ(fields.text(field("days_after_new")), c.caption) << c.label39;
        EXPECT_EQ(fields.text(field("moon_age_days")), c.label39) << c.label39;
        EXPECT_EQ(visiblePictures(fields), std::vector<int>{c.picture}) << c.label39;
    }
}

TEST(PhasePicture, RoundsHalvesToEvenAndWrapsThirtyToNewMoon) {
    const struct {
        float age;
        int picture;
    } cases[] = {
        {0.0F, 0},   {0.5F, 0},        {0.5000001F, 1}, {1.5F, 2},  {14.5F, 14},
        {15.5F, 16}, {27.934656F, 28}, {29.49999F, 29}, {29.5F, 0}, {29.530586F, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(phasePicture(c.age), c.picture) << c.age;
}

// Through two cycles, minute steps of a prime length, on one set of fields: after
// every call exactly one picture is visible, and it is the age in whole days.
TEST(MoonAge, AlwaysShowsExactlyThePictureOfTheAge) {
    using namespace std::chrono;
    Fields fields;
    const sys_time<minutes> start = sys_days{2016y / January / 1};
    for (sys_time<minutes> at = start; at < start + days{60}; at += minutes{37}) {
        const sys_days day = floor<days>(at);
        const year_month_day date{day};
        const hh_mm_ss time{at - day};
        const LocalDateTime local{static_cast<int>(date.year()),
                                  static_cast<int>(static_cast<unsigned>(date.month())),
                                  static_cast<int>(static_cast<unsigned>(date.day())),
                                  static_cast<int>(time.hours().count()),
                                  static_cast<int>(time.minutes().count()),
                                  0};
        showMoonAge(fields, FakeClock(local));

        const std::vector<int> shown = visiblePictures(fields);
        ASSERT_EQ(shown.size(), 1U) << fields.text(field("julian_date"));
        const double age = leadingNumber(fields.text(field("moon_age_days")));
        ASSERT_GE(age, 0.0) << fields.text(field("julian_date"));
        ASSERT_LT(age, kSynodicMonthDays) << fields.text(field("julian_date"));
        const double wholeDays = age >= 29.5 ? 0.0 : age;
        EXPECT_LE(std::fabs(shown[0] - wholeDays), 0.5)
            << fields.text(field("julian_date")) << ": age " << age << ", picture " << shown[0];
    }
}

}  // namespace
}  // namespace selvora
