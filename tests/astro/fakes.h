// A local clock and a time-zone source that say what the test tells them.
#pragma once

#include <cstdint>

#include "astro/time_zone.h"
#include "common/local_clock.h"

namespace selvora::testing {

class FixedClock final : public LocalClock {
  public:
    explicit FixedClock(LocalDateTime at) : at_(at) {}
    LocalDateTime now() const override { return at_; }

  private:
    LocalDateTime at_;
};

// Returns `state` and copies `record` in, unless `writes` is false (a failure that
// leaves the record alone).
class FixedZone final : public TimeZoneSource {
  public:
    FixedZone(std::uint32_t state, TimeZoneInformation record, bool writes = true)
        : state_(state), record_(record), writes_(writes) {}

    std::uint32_t GetTimeZoneInformation(TimeZoneInformation& record) const override {
        if (writes_) record = record_;
        return state_;
    }

  private:
    std::uint32_t state_;
    TimeZoneInformation record_;
    bool writes_;
};

}  // namespace selvora::testing
