#include "astro/utc_clock.h"

#include <chrono>
#include <cstdint>
#include <ctime>
#include <string>

#include <gtest/gtest.h>

#include "support/fakes.h"
#include "support/library_utc_text.h"

namespace selvora {
namespace {

using testing::FakeClock;
using testing::FixedZone;

TEST(UtcTimeText, AddsTheBiasTheZoneStateSelects) {
    const LocalDateTime noon{2026, 6, 15, 12, 0, 7};
    const struct {
        ZoneReading zone;  // state, base, standard and daylight biases
        LocalDateTime local;
        const char* expected;
    } cases[] = {
        // Daylight: Bias + DaylightBias, whatever StandardBias holds.
        {{ZoneState::Daylight, 300, 17, -60}, noon, "Monday Jun 15, 2026 16:00:07"},
        // Every other state: Bias + StandardBias, whatever DaylightBias holds.
        {{ZoneState::Standard, -60, 0, -60}, noon, "Monday Jun 15, 2026 11:00:07"},
        {{ZoneState::Standard, 300, 30, -60}, noon, "Monday Jun 15, 2026 17:30:07"},
        {{ZoneState::NoDaylightSaving, -345, 0, -60}, noon, "Monday Jun 15, 2026 06:15:07"},
        {{ZoneState::Unknown, 120, 0, -60}, noon, "Monday Jun 15, 2026 14:00:07"},
        // Calendar carry and the text's shape.
        {{ZoneState::NoDaylightSaving, 0, 0, 0},
         {2026, 12, 7, 9, 19, 32},
         "Monday Dec 07, 2026 09:19:32"},
        {{ZoneState::Standard, 60, 0, 0},
         {2026, 12, 31, 23, 30, 15},
         "Friday Jan 01, 2027 00:30:15"},
        {{ZoneState::Standard, -60, 0, 0},
         {2024, 3, 1, 0, 10, 0},
         "Thursday Feb 29, 2024 23:10:00"},
        {{ZoneState::NoDaylightSaving, 0, 0, 0},
         {2026, 3, 1, 5, 4, 3},
         "Sunday Mar 01, 2026 05:04:03"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(utcTimeText(FakeClock(c.local), FixedZone(c.zone)), c.expected)
            << "state " << int(c.zone.state) << ", biases " << c.zone.baseBiasMinutes << '/'
            << c.zone.standardBiasMinutes << '/' << c.zone.daylightBiasMinutes;
    }
    // A zone that could not be read, as a source gives it: local time shows.
    EXPECT_EQ(utcTimeText(FakeClock(noon), FixedZone({})), "Monday Jun 15, 2026 12:00:07");
}

// The same arithmetic done by the C library: the local fields read as if they were
// UTC, moved by the offset, broken down by gmtime_r and written by strftime.
std::string libraryText(const LocalDateTime& local, int offsetMinutes) {
    using namespace std::chrono;
    const sys_days day = year{local.year} / month{static_cast<unsigned>(local.month)} /
                         std::chrono::day{static_cast<unsigned>(local.day)};
    return testing::libraryUtcText(day + hours{local.hour} + minutes{local.minute + offsetMinutes} +
                                   seconds{local.second});
}

TEST(UtcTimeText, AgreesWithTheCLibraryOverTwoCenturies) {
    using namespace std::chrono;
    const int offsets[] = {-840, -765, -630, -345, -60, -30, 0, 30, 60, 240, 300, 570, 720};
#ifdef _WIN32
    const sys_days first = 1970y / January / 2;  // where Windows' C library starts
#else
    const sys_days first = 1899y / December / 20;
#endif
    const sys_days last = 2101y / January / 10;
    int i = 0;
    for (sys_days d = first; d <= last; d += days{1}, ++i) {
        const year_month_day date{d};
        const LocalDateTime local{static_cast<int>(date.year()),
                                  static_cast<int>(static_cast<unsigned>(date.month())),
                                  static_cast<int>(static_cast<unsigned>(date.day())),
                                  (i * 7) % 24,
                                  (i * 13) % 60,
                                  i % 60};
        const int offset = offsets[static_cast<std::size_t>(i) % std::size(offsets)];
        const FixedZone zone({ZoneState::Standard, offset, 0, 0});
        const std::string text = utcTimeText(FakeClock(local), zone);
        ASSERT_EQ(text, libraryText(local, offset))
            << local.year << '-' << local.month << '-' << local.day << ' ' << local.hour << ':'
            << local.minute << " offset " << offset;
    }
}

TEST(ShowUtcTime, WritesTheUtcTimeBox) {
    Fields fields;
    const FixedZone zone({ZoneState::Daylight, 300, 0, -60});
    showUtcTime(fields, FakeClock({2026, 7, 4, 21, 5, 9}), zone);
    EXPECT_EQ(fields.text(field("utc_time")), "Sunday Jul 05, 2026 01:05:09");
}

}  // namespace
}  // namespace selvora
