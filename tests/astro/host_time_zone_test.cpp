#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "astro/time_zone.h"
#include "astro/utc_clock.h"
#include "support/fakes.h"

namespace selvora {
namespace {

using namespace std::chrono;
using testing::FakeClock;

// Sets TZ for the life of the object and puts the old value back afterwards.
class ScopedTimeZone {
  public:
    explicit ScopedTimeZone(const char* zone) {
        if (const char* old = std::getenv("TZ")) saved_ = old;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ScopedTimeZone() {
        if (saved_)
            setenv("TZ", saved_->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

  private:
    std::optional<std::string> saved_;
};

// Without the zone files the C library quietly falls back to UTC, which would make
// every zone below look wrong (or, for UTC itself, right by accident).
std::filesystem::path zoneFile(const std::string& zone) {
    const char* dir = std::getenv("TZDIR");
    return std::filesystem::path(dir != nullptr ? dir : "/usr/share/zoneinfo") / zone;
}

std::time_t utcInstant(year_month_day date, hours h, minutes m, seconds s) {
    return system_clock::to_time_t(sys_days{date} + h + m + s);
}

// What the machine's local clock reads at `instant` in the current TZ.
LocalDateTime localFields(std::time_t instant) {
    std::tm local{};
    localtime_r(&instant, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::string gmtimeText(std::time_t instant) {
    std::tm utc{};
    gmtime_r(&instant, &utc);
    char text[64];
    std::strftime(text, sizeof text, "%A %b %d, %Y %H:%M:%S", &utc);
    return text;
}

struct ZoneCase {
    const char* zone;
    std::time_t instant;
    ZoneState state;
    std::int32_t bias;     // the zone's standard offset
    std::int32_t inForce;  // the offset the state selects
};

TEST(HostTimeZoneSource, MatchesTheCLibraryInAndOutOfDaylightSavingTime) {
    constexpr auto kStandard = ZoneState::Standard;
    constexpr auto kDaylight = ZoneState::Daylight;
    constexpr auto kNone = ZoneState::NoDaylightSaving;
    const auto jan = 2026y / January / 15;
    const auto jul = 2026y / July / 15;
    // Mid-winter and mid-summer, and pairs of instants a second apart on either side
    // of each change of the clocks.
    const ZoneCase cases[] = {
        {"America/New_York", utcInstant(jan, 12h, 0min, 0s), kStandard, 300, 300},
        {"America/New_York", utcInstant(jul, 12h, 0min, 0s), kDaylight, 300, 240},
        {"America/New_York", utcInstant(2026y / March / 8, 6h, 59min, 59s), kStandard, 300, 300},
        {"America/New_York", utcInstant(2026y / March / 8, 7h, 0min, 0s), kDaylight, 300, 240},
        {"America/New_York", utcInstant(2026y / November / 1, 5h, 59min, 59s), kDaylight, 300, 240},
        {"America/New_York", utcInstant(2026y / November / 1, 6h, 0min, 0s), kStandard, 300, 300},
        {"Europe/London", utcInstant(jan, 12h, 0min, 0s), kStandard, 0, 0},
        {"Europe/London", utcInstant(jul, 12h, 0min, 0s), kDaylight, 0, -60},
        {"Europe/London", utcInstant(2026y / March / 29, 0h, 59min, 59s), kStandard, 0, 0},
        {"Europe/London", utcInstant(2026y / March / 29, 1h, 0min, 0s), kDaylight, 0, -60},
        {"Europe/London", utcInstant(2026y / October / 25, 0h, 59min, 59s), kDaylight, 0, -60},
        {"Europe/London", utcInstant(2026y / October / 25, 1h, 0min, 0s), kStandard, 0, 0},
        // Lord Howe Island: +10:30, and +11:00 in the southern summer.
        {"Australia/Lord_Howe", utcInstant(jan, 12h, 0min, 0s), kDaylight, -630, -660},
        {"Australia/Lord_Howe", utcInstant(jul, 12h, 0min, 0s), kStandard, -630, -630},
        {"Australia/Lord_Howe", utcInstant(2026y / April / 4, 14h, 59min, 59s), kDaylight, -630,
         -660},
        {"Australia/Lord_Howe", utcInstant(2026y / April / 4, 15h, 0min, 0s), kStandard, -630,
         -630},
        {"Australia/Lord_Howe", utcInstant(2026y / October / 3, 15h, 29min, 59s), kStandard, -630,
         -630},
        {"Australia/Lord_Howe", utcInstant(2026y / October / 3, 15h, 30min, 0s), kDaylight, -630,
         -660},
        {"Asia/Kathmandu", utcInstant(jan, 12h, 0min, 0s), kNone, -345, -345},
        {"Asia/Kathmandu", utcInstant(jul, 12h, 0min, 0s), kNone, -345, -345},
        // Chatham Islands: +12:45, and +13:45 in the southern summer.
        {"Pacific/Chatham", utcInstant(jan, 12h, 0min, 0s), kDaylight, -765, -825},
        {"Pacific/Chatham", utcInstant(jul, 12h, 0min, 0s), kStandard, -765, -765},
        {"Pacific/Chatham", utcInstant(2026y / April / 4, 13h, 59min, 59s), kDaylight, -765, -825},
        {"Pacific/Chatham", utcInstant(2026y / April / 4, 14h, 0min, 0s), kStandard, -765, -765},
        {"Pacific/Chatham", utcInstant(2026y / September / 26, 13h, 59min, 59s), kStandard, -765,
         -765},
        {"Pacific/Chatham", utcInstant(2026y / September / 26, 14h, 0min, 0s), kDaylight, -765,
         -825},
        {"UTC", utcInstant(jan, 12h, 0min, 0s), kNone, 0, 0},
        {"UTC", utcInstant(jul, 12h, 0min, 0s), kNone, 0, 0},
    };
    for (const ZoneCase& c : cases) {
        ASSERT_TRUE(std::filesystem::exists(zoneFile(c.zone)))
            << zoneFile(c.zone) << " is missing: the tz database (Debian package tzdata) is "
            << "not installed";
        const ScopedTimeZone tz(c.zone);
        const HostTimeZoneSource source([&c] { return c.instant; });
        const std::string when = std::string(c.zone) + " at UTC " + gmtimeText(c.instant);

        const ZoneReading reading = source.read();
        EXPECT_EQ(reading.state, c.state) << when;
        EXPECT_EQ(reading.baseBiasMinutes, c.bias) << when;
        EXPECT_EQ(reading.standardBiasMinutes, 0) << when;
        EXPECT_EQ(reading.utcOffsetMinutes(), c.inForce) << when;

        EXPECT_EQ(utcTimeText(FakeClock(localFields(c.instant)), source), gmtimeText(c.instant))
            << when;
    }
}

// Every ten days and a few hours through 2025 and 2026, in zones with unusual
// shifts too (Newfoundland's -3:30, Troll's two-hour daylight shift, Ireland's
// winter time, Brazil's abolished daylight saving time): the bias the state selects
// is the offset the C library applies at that instant.
TEST(HostTimeZoneSource, TheSelectedBiasIsAlwaysTheOffsetInForce) {
    const char* zones[] = {"America/New_York", "Europe/London",    "Australia/Lord_Howe",
                           "Asia/Kathmandu",   "Pacific/Chatham",  "UTC",
                           "America/St_Johns", "Antarctica/Troll", "Europe/Dublin",
                           "America/Sao_Paulo"};
    const sys_seconds first = sys_days{2025y / January / 1};
    const sys_seconds last = sys_days{2027y / January / 1};
    for (const char* zone : zones) {
        ASSERT_TRUE(std::filesystem::exists(zoneFile(zone))) << zoneFile(zone) << " is missing";
        const ScopedTimeZone tz(zone);
        for (sys_seconds at = first; at < last; at += days{10} + hours{7} + minutes{13}) {
            const std::time_t instant = system_clock::to_time_t(at);
            const HostTimeZoneSource source([instant] { return instant; });
            ASSERT_EQ(utcTimeText(FakeClock(localFields(instant)), source), gmtimeText(instant))
                << zone;
        }
    }
}

TEST(HostTimeZoneSource, ReadsTzAfreshOnEveryCall) {
    ASSERT_TRUE(std::filesystem::exists(zoneFile("Asia/Kathmandu")));
    const ScopedTimeZone tz("UTC");
    const HostTimeZoneSource source([] { return std::time_t{1'780'000'000}; });
    ASSERT_EQ(source.read().state, ZoneState::NoDaylightSaving);
    EXPECT_EQ(source.read().baseBiasMinutes, 0);

    setenv("TZ", "Asia/Kathmandu", 1);  // no tzset(): the source must notice by itself
    ASSERT_EQ(source.read().state, ZoneState::NoDaylightSaving);
    EXPECT_EQ(source.read().baseBiasMinutes, -345);
}

TEST(HostTimeZoneSource, AnInstantTheCLibraryCannotConvertFails) {
    const ScopedTimeZone tz("UTC");
    const HostTimeZoneSource source([] { return std::numeric_limits<std::time_t>::max(); });
    const ZoneReading reading = source.read();
    EXPECT_EQ(reading.state, ZoneState::Unknown);
    EXPECT_EQ(reading.utcOffsetMinutes(), 0);
    // The clock then shows local time.
    EXPECT_EQ(utcTimeText(FakeClock({2026, 12, 7, 9, 19, 32}), source),
              "Monday Dec 07, 2026 09:19:32");
}

}  // namespace
}  // namespace selvora
