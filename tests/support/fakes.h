// Fakes for the program's side effects: the clock, the time zone, the message boxes.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "astro/time_zone.h"
#include "common/local_clock.h"
#include "common/user_messages.h"

namespace selvora::testing {

// Who was asked for what, in order: "clock", "zone".
using CallLog = std::vector<std::string>;

class FakeClock final : public LocalClock {
  public:
    explicit FakeClock(LocalDateTime start, CallLog* log = nullptr) : time(start), log_(log) {}
    LocalDateTime now() const override {
        if (log_ != nullptr) log_->push_back("clock");
        return time;
    }
    LocalDateTime time;

  private:
    CallLog* log_;
};

// One reading per call, in order; the last one repeats.
class SequenceClock final : public LocalClock {
  public:
    std::vector<LocalDateTime> readings{{2026, 12, 7, 9, 5, 30}};
    LocalDateTime now() const override { return readings[std::min(calls_++, readings.size() - 1)]; }
    void set(int hour, int minute, int second) {
        readings = {{2026, 12, 7, hour, minute, second}};
        calls_ = 0;
    }

  private:
    mutable std::size_t calls_ = 0;
};

class FakeZone final : public TimeZoneSource {
  public:
    explicit FakeZone(CallLog* log = nullptr) : log_(log) {}
    ZoneReading read() const override {
        if (log_ != nullptr) log_->push_back("zone");
        return {ZoneState::NoDaylightSaving, bias, 0, 0};
    }
    std::int32_t bias = 0;

  private:
    CallLog* log_;
};

// Always the same reading.
class FixedZone final : public TimeZoneSource {
  public:
    explicit FixedZone(ZoneReading reading) : reading_(reading) {}
    ZoneReading read() const override { return reading_; }

  private:
    ZoneReading reading_;
};

struct Message {
    std::string title;
    std::string text;
    bool ends;
    friend bool operator==(const Message&, const Message&) = default;
};

class FakeMessages final : public UserMessages {
  public:
    void inform(std::string_view title, std::string_view text) override {
        shown.push_back({std::string(title), std::string(text), false});
    }
    void informAndEnd(std::string_view title, std::string_view text) override {
        shown.push_back({std::string(title), std::string(text), true});
    }
    std::vector<Message> shown;
};

}  // namespace selvora::testing
