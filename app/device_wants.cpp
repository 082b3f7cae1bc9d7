#include "app/device_wants.h"

#include <cmath>

#include "common/megahertz.h"

namespace selvora {

namespace {

// Up to 999999.999999 MHz: every amateur band, as the settings read a MHz figure.
constexpr std::int64_t kHighestFigureHz = 1000000 * kHzPerMHz - 1;

// Why azel.dat's directions and figures are not live, worst first.
std::optional<std::string> azelNotLiveReason(const TrackingState& tracking) {
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
    return std::nullopt;
}

WantedFigures notLive(std::string reason) {
    return {std::nullopt, std::move(reason)};
}

// Why the figures do not follow the moon yet, in the order an operator would fix it.
std::optional<std::string> notLiveReason(const TrackingState& tracking, const SkedPlan& plan) {
    if (auto reason = azelNotLiveReason(tracking)) return reason;
    // Without a sked frequency the figures are Doppler offsets ("258 Hz"); a sked the
    // band set by itself may be the rig's own dial read back by WSJT-X.
    if (plan.hzMode || !tracking.skedChosen) return "enter a sked frequency";
    return std::nullopt;
}

bool isFrequency(const std::optional<std::int64_t>& hz) {
    return hz && *hz > 0 && *hz <= kHighestFigureHz;
}

// The band as a whole MHz (WSJT-X writes "1296"); 0 for nothing a band could be.
int bandMHz(double fileFrequencyMHz) {
    constexpr double kHighestBandMHz = 1e6;
    if (!(fileFrequencyMHz >= 1 && fileFrequencyMHz < kHighestBandMHz)) return 0;
    return static_cast<int>(std::floor(fileFrequencyMHz));
}

}  // namespace

WantedFigures wantedFigures(const TrackingState& tracking, const SkedPlan& plan,
                            SkedScheme scheme) {
    if (auto reason = notLiveReason(tracking, plan)) return notLive(std::move(*reason));
    const SchemeFigures& figures = plan.of(scheme);
    if (!isFrequency(figures.rxHz) || !isFrequency(figures.txHz))
        return notLive("waiting for " + std::string(schemeInfo(scheme).caption) + " figures");
    return {RigFigures{*figures.rxHz, *figures.txHz}, {}, bandMHz(tracking.skedBandMHz)};
}

WantedPointing wantedPointing(const TrackingState& tracking, PointAt body, int secondOfMinute) {
    WantedPointing wanted{std::nullopt, {}, body, secondOfMinute};
    if (auto reason = azelNotLiveReason(tracking)) {
        wanted.notLiveReason = std::move(*reason);
        return wanted;
    }
    const std::optional<AzEl>& direction = body == PointAt::Moon ? tracking.moon : tracking.sun;
    if (direction)
        wanted.target = direction;
    else
        wanted.notLiveReason = "waiting for the " + std::string(pointAtName(body)) + " in azel.dat";
    return wanted;
}

}  // namespace selvora
