// Windows' time-zone record through HostTimeZoneSource, on the real clock. Under Wine
// the record follows the host's TZ; scripts/test-windows runs these tests under several
// zones with SELVORA_EXPECTED_UTC_OFFSET set from the host's tz database.
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <string>

#include <gtest/gtest.h>

#include "astro/time_zone.h"
#include "astro/utc_clock.h"
#include "common/local_clock.h"
#include "support/library_utc_text.h"

namespace selvora {
namespace {

using namespace std::chrono;

// Minutes to add to the machine's local clock to get UTC, as Windows itself keeps it.
int platformBias() {
    const LocalDateTime local = SystemLocalClock().now();
    const auto utc = floor<minutes>(system_clock::now());
    const sys_days day = year{local.year} / local.month / local.day;
    const auto localAsUtc = day + hours{local.hour} + minutes{local.minute};
    return static_cast<int>(round<minutes>(utc - localAsUtc).count());
}

// "+0545" or "-0300" (date +%z) as minutes to add to local time to get UTC.
int biasFromOffset(const std::string& offset) {
    const int hhmm = std::atoi(offset.c_str() + 1);
    const int minutesEast = (hhmm / 100) * 60 + hhmm % 100;
    return offset[0] == '-' ? minutesEast : -minutesEast;
}

TEST(WindowsTimeZoneSource, TheUtcClockShowsUtcNow) {
    const SystemLocalClock clock;
    const HostTimeZoneSource zone;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const std::string before = testing::libraryUtcText(system_clock::now());
        const std::string shown = utcTimeText(clock, zone);
        if (testing::libraryUtcText(system_clock::now()) != before)
            continue;  // a second turned meanwhile
        EXPECT_EQ(shown, before);
        return;
    }
    FAIL() << "the clock's second kept turning during the reads";
}

TEST(WindowsTimeZoneSource, SelectsTheOffsetTheHostZoneHasNow) {
    const char* expected = std::getenv("SELVORA_EXPECTED_UTC_OFFSET");
    if (expected == nullptr) GTEST_SKIP() << "SELVORA_EXPECTED_UTC_OFFSET is not set";
    const int expectedBias = biasFromOffset(expected);
    const ZoneReading reading = HostTimeZoneSource().read();
    ASSERT_NE(reading.state, ZoneState::Unknown);
    const std::int64_t selected = reading.utcOffsetMinutes();
    const char* zone = std::getenv("TZ");
    const std::string where = std::string("TZ=") + (zone != nullptr ? zone : "(unset)") +
                              ": state " + std::to_string(int(reading.state)) + ", biases " +
                              std::to_string(reading.baseBiasMinutes) + "/" +
                              std::to_string(reading.standardBiasMinutes) + "/" +
                              std::to_string(reading.daylightBiasMinutes);
    // The source passes Windows' record on; where Windows' own local clock is off
    // the zone as well, no program on it can show UTC from local time.
    if (platformBias() != expectedBias)
        GTEST_SKIP() << where << ": this Windows' own local clock is " << platformBias()
                     << " minutes from UTC, the zone " << expectedBias;
    EXPECT_EQ(selected, expectedBias) << where;
}

}  // namespace
}  // namespace selvora
