#include "rig/rig_figures.h"

#include <algorithm>

#include "display/window_title.h"

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

WantedFigures notLive(std::string reason) {
    return {std::nullopt, std::move(reason)};
}

// The stale and missing-file states the tracking poll shows, in the order an operator
// would fix them.
std::optional<std::string> azelDatProblem(const Fields& fields) {
    if (fields.visible(field("path_warning"))) return "waiting for azel.dat (not found)";
    // The poll writes the seconds of each good read into this hidden box, which no
    // one can type into: empty means no read yet.
    if (fields.text(field("azel_seconds")).empty()) return "waiting for azel.dat";
    if (showsStaleWarning(fields)) return "waiting for azel.dat (not updating)";
    return std::nullopt;
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
    for (int i = 0; i < kHzDecimals; ++i)
        hz = hz * 10 + (static_cast<std::size_t>(i) < decimals.size() ? decimals[i] - '0' : 0);
    if (hz <= 0) return std::nullopt;
    return hz;
}

std::string mhzText(std::int64_t hz) {
    const std::string fraction = std::to_string(1000000 + hz % 1000000);
    return std::to_string(hz / 1000000) + "." + fraction.substr(1) + " MHz";
}

WantedFigures wantedFigures(const Fields& fields, SkedScheme scheme) {
    if (auto problem = azelDatProblem(fields)) return notLive(std::move(*problem));
    const SkedSchemeInfo& info = schemeInfo(scheme);
    const std::string& rxText = fields.text(info.rx);
    const std::string& txText = fields.text(info.tx);
    // Without a sked frequency the fields show Doppler offsets ("258 Hz"), not frequencies.
    if (rxText.ends_with(" Hz") || txText.ends_with(" Hz"))
        return notLive("waiting for a sked frequency");
    const auto rxHz = wholeHzOfMHzText(rxText);
    const auto txHz = wholeHzOfMHzText(txText);
    if (!rxHz || !txHz) return notLive("waiting for " + std::string(info.caption) + " figures");
    return {RigFigures{*rxHz, *txHz}, {}};
}

}  // namespace selvora
