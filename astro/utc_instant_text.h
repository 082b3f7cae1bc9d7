// A UTC instant typed by the operator ("2026-12-09 21:30:00") and shown back.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace selvora {

struct UtcReading {
    std::optional<std::chrono::sys_seconds> instant;
    std::string refusal;  // why the text is no time, when it is not
};

// "YYYY-MM-DD HH:MM:SS" or "YYYY-MM-DD HH:MM", UTC, a real calendar day; blanks
// around it allowed.
UtcReading readUtcInstant(std::string_view text);

// "2026-12-09 21:30:00"
std::string utcInstantText(std::chrono::sys_seconds instant);
// "2026-12-09 21:30": seconds dropped, not rounded.
std::string utcMinuteText(std::chrono::sys_seconds instant);

}  // namespace selvora
