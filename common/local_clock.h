// The computer's local date and time, behind an interface so tests can set it.
#pragma once

namespace selvora {

struct LocalDateTime {
    int year = 2000;  // e.g. 2026
    int month = 1;    // 1 to 12
    int day = 1;      // 1 to 31
    int hour = 0;     // 0 to 23
    int minute = 0;   // 0 to 59
    int second = 0;   // 0 to 59 (60 in a leap second)
};

class LocalClock {
  public:
    virtual ~LocalClock() = default;
    virtual LocalDateTime now() const = 0;
};

// The host's clock in the host's time zone (TZ or /etc/localtime).
class SystemLocalClock final : public LocalClock {
  public:
    LocalDateTime now() const override;
};

}  // namespace selvora
