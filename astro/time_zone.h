// The time-zone settings that turn the local clock into UTC: whether daylight saving
// time is in force and three biases, behind an interface so tests can pass a zone of
// their own. The shape is that of Windows' own time-zone record.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>

namespace selvora {

enum class ZoneState : std::uint8_t {
    NoDaylightSaving,  // the zone keeps no daylight saving time
    Standard,          // standard time in force
    Daylight,          // daylight saving time in force
    Unknown,           // the zone could not be read
};

// Biases are minutes, under the rule UTC = local time + bias.
struct ZoneReading {
    ZoneState state = ZoneState::Unknown;
    std::int32_t baseBiasMinutes = 0;      // the zone's base offset
    std::int32_t standardBiasMinutes = 0;  // added to the base while standard time is in force
    std::int32_t daylightBiasMinutes = 0;  // added to the base while daylight saving time is

    // Minutes to add to the local clock for UTC now: the base and the bias the state
    // selects (the standard one in every state but Daylight). In 64 bits: no pair of
    // 32-bit biases can overflow.
    std::int64_t utcOffsetMinutes() const {
        const std::int64_t base = baseBiasMinutes;
        return base + (state == ZoneState::Daylight ? daylightBiasMinutes : standardBiasMinutes);
    }
};

class TimeZoneSource {
  public:
    virtual ~TimeZoneSource() = default;
    // The machine's current zone, read afresh on every call.
    virtual ZoneReading read() const = 0;
};

// The host's own zone. On Windows: GetTimeZoneInformation's state and the three biases
// of its record, passed on as they are.
// Elsewhere: the host's time-zone data (TZ, or /etc/localtime), read through the C
// library's local time conversion at the instant `now` gives:
//   - base: the zone's standard offset (from the instant itself when standard
//     time is in force, else from a standard-time instant within a year, half a
//     year away where there is one);
//   - standard: 0;
//   - daylight: the daylight saving shift (-60 in most zones, -30 on Lord Howe
//     Island), 0 in a zone without daylight saving time.
// Daylight while the C library says daylight saving time is in force; Standard when it
// is not but the zone's rules have it within a year either side; else NoDaylightSaving.
// Whatever the zone's history, the bias the state selects is always the offset in force
// at that instant. (Where the tz database counts winter time as the daylight saving
// period, as it does for Ireland, winter is Daylight with a daylight bias of +60.)
// TZ is read afresh on every call, so a change of zone shows at once.
class HostTimeZoneSource final : public TimeZoneSource {
  public:
    using InstantSource = std::function<std::time_t()>;

    // The instant the reading describes comes from `now`; by default the present
    // (Windows reads its own clock and ignores it).
    explicit HostTimeZoneSource(InstantSource now = [] { return std::time(nullptr); });

    ZoneReading read() const override;

  private:
    InstantSource now_;
};

}  // namespace selvora
