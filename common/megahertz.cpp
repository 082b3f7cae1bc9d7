#include "common/megahertz.h"

#include <algorithm>

namespace selvora {

namespace {

constexpr int kHzDecimals = 6;            // MHz to Hz
constexpr std::size_t kMaxMHzDigits = 6;  // up to 999 GHz: no overflow, every amateur band

bool allDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::int64_t digitsValue(std::string_view digits) {
    std::int64_t value = 0;
    for (const char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

}  // namespace

std::optional<std::int64_t> wholeHzOfMHzText(std::string_view text) {
    const auto point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view decimals =
        point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    if (whole.empty() || whole.size() > kMaxMHzDigits || decimals.size() > kHzDecimals ||
        !allDigits(whole) || !allDigits(decimals))
        return std::nullopt;
    std::int64_t hz = digitsValue(whole);
    for (std::size_t i = 0; i < kHzDecimals; ++i)
        hz = hz * 10 + (i < decimals.size() ? decimals[i] - '0' : 0);
    if (hz <= 0) return std::nullopt;
    return hz;
}

std::string mhzText(std::int64_t hz) {
    const std::string fraction = std::to_string(kHzPerMHz + hz % kHzPerMHz);
    return std::to_string(hz / kHzPerMHz) + "." + fraction.substr(1) + " MHz";
}

}  // namespace selvora
