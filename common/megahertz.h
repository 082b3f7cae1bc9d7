// Frequencies in whole Hz and their MHz text: the one Hz-per-MHz, reading an operator's
// MHz figure digit by digit, and writing whole Hz as an operator reads a frequency.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace selvora {

inline constexpr std::int64_t kHzPerMHz = 1000000;

// A MHz figure ("1296.100129", "1296.10013") as whole Hz, read digit by digit so no
// binary rounding creeps in. Anything else (a Hz offset, a sign, more than six decimals,
// an empty text, zero) is no frequency.
std::optional<std::int64_t> wholeHzOfMHzText(std::string_view text);
// Whole Hz as the operator reads a frequency: "1296.100130 MHz".
std::string mhzText(std::int64_t hz);

}  // namespace selvora
