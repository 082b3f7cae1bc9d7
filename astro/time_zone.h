// The time-zone settings that turn the local clock into UTC: the zone state and
// three biases, in the shape of the Windows TIME_ZONE_INFORMATION record, behind
// an interface so tests can pass a zone of their own.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>

namespace selvora {

// Minutes, under the rule UTC = local time + bias. Only these three fields of the
// Windows record are used; the zone names and change-over dates are not.
struct TimeZoneInformation {
    std::int32_t Bias = 0;          // the zone's base offset
    std::int32_t StandardBias = 0;  // added to Bias while standard time is in force
    std::int32_t DaylightBias = 0;  // added to Bias while daylight saving time is in force
};

// Zone states, as GetTimeZoneInformation returns them. <windows.h> defines the same
// names, with the same values, as macros; where it came first, those serve.
#ifndef TIME_ZONE_ID_INVALID
inline constexpr std::uint32_t TIME_ZONE_ID_UNKNOWN = 0;  // the zone keeps no daylight saving time
inline constexpr std::uint32_t TIME_ZONE_ID_STANDARD = 1;
inline constexpr std::uint32_t TIME_ZONE_ID_DAYLIGHT = 2;
inline constexpr std::uint32_t TIME_ZONE_ID_INVALID = 0xFFFFFFFF;  // the call failed
#endif

// Fills the record for the machine's current zone and returns the zone state.
// The contract: in state TIME_ZONE_ID_DAYLIGHT, Bias + DaylightBias is the number
// of minutes to add to the local clock to get UTC now; in any other state
// Bias + StandardBias is. A failed call returns TIME_ZONE_ID_INVALID.
class TimeZoneSource {
  public:
    virtual ~TimeZoneSource() = default;
    virtual std::uint32_t GetTimeZoneInformation(TimeZoneInformation& record) const = 0;
};

#ifdef _WIN32
// Windows' own GetTimeZoneInformation: its state and the three biases of its record,
// passed on as they are. Read afresh on every call.
class HostTimeZoneSource final : public TimeZoneSource {
  public:
    std::uint32_t GetTimeZoneInformation(TimeZoneInformation& record) const override;
};
#else
// The host's own time-zone data (TZ, or /etc/localtime), read through the C
// library's local time conversion at the instant `now` gives:
//   - Bias: the zone's standard offset (from the instant itself when standard
//     time is in force, else from a standard-time instant within a year, half a
//     year away where there is one);
//   - StandardBias: 0;
//   - DaylightBias: the daylight saving shift (-60 in most zones, -30 on Lord Howe
//     Island), 0 in a zone without daylight saving time.
// State 2 while the C library says daylight saving time is in force; 1 when it is
// not but the zone's rules have it within a year either side; else 0. Whatever the zone's
// history, the bias the state selects is always the offset in force at that instant.
// (Where the tz database counts winter time as the daylight saving period, as it
// does for Ireland, winter is state 2 with a DaylightBias of +60.)
// TZ is read afresh on every call, so a change of zone shows at once.
class HostTimeZoneSource final : public TimeZoneSource {
  public:
    using InstantSource = std::function<std::time_t()>;

    // The instant the record describes comes from `now`; by default the present.
    explicit HostTimeZoneSource(InstantSource now = [] { return std::time(nullptr); });

    std::uint32_t GetTimeZoneInformation(TimeZoneInformation& record) const override;

  private:
    InstantSource now_;
};
#endif

}  // namespace selvora
