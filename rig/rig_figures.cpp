#include "rig/rig_figures.h"

#include <algorithm>
#include <cmath>

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

// Why the figures do not follow the moon yet, in the order an operator would fix it.
std::optional<std::string> notLiveReason(const TrackingState& tracking, const PlanState& plan) {
    switch (azelFreshness(tracking)) {
        case AzelFreshness::NotFound:
            return "waiting for azel.dat (not found)";
        case AzelFreshness::NotReadYet:
            return "waiting for azel.dat";
        case AzelFreshness::NotUpdating:
            return "waiting for azel.dat (not updating)";
        case AzelFreshness::NotSeenMoving:
            return "waiting for azel.dat to update";
        case AzelFreshness::Live:
            break;
    }
    // Without a sked frequency the fields show Doppler offsets ("258 Hz"); a sked the
    // band set by itself may be the rig's own dial read back by WSJT-X.
    if (plan.hzMode || !tracking.skedChosen) return "enter a sked frequency";
    return std::nullopt;
}

// The band as a whole MHz (WSJT-X writes "1296"); 0 for nothing a band could be.
int bandMHz(double fileFrequencyMHz) {
    constexpr double kHighestBandMHz = 1e6;
    if (!(fileFrequencyMHz >= 1 && fileFrequencyMHz < kHighestBandMHz)) return 0;
    return static_cast<int>(std::floor(fileFrequencyMHz));
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

WantedFigures wantedFigures(const Fields& fields, const TrackingState& tracking,
                            const PlanState& plan, SkedScheme scheme) {
    if (auto reason = notLiveReason(tracking, plan)) return notLive(std::move(*reason));
    const SkedSchemeInfo& info = schemeInfo(scheme);
    const auto rxHz = wholeHzOfMHzText(fields.text(info.rx));
    const auto txHz = wholeHzOfMHzText(fields.text(info.tx));
    if (!rxHz || !txHz) return notLive("waiting for " + std::string(info.caption) + " figures");
    return {RigFigures{*rxHz, *txHz}, {}, bandMHz(tracking.skedBandMHz)};
}

}  // namespace selvora
