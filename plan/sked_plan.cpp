#include "plan/sked_plan.h"

#include <cmath>
#include <cstdlib>

#include "common/megahertz.h"
#include "common/numbers.h"

namespace selvora {
namespace {

// A finite value as number text shows it, 15 significant digits: 12 Hz in MHz comes
// back from "1.2E-05".
double asNumberTextShowsIt(double value) {
    return leadingNumber(numberText(value));
}

// The units the figures are worked out in: Hz offsets, or MHz at the resolution.
struct Units {
    double divisor;  // Hz per unit of the sums: 1 in Hz mode, 1000000 in MHz mode
    int decimals;    // of a figure in those units
    std::int64_t hzPerStep;
};

Units unitsOf(const SkedPlan& plan) {
    if (plan.hzMode) return {1, 0, 1};
    std::int64_t hzPerStep = 1;
    for (int d = plan.resolutionDecimals; d < 6; ++d)
        hzPerStep *= 10;
    return {static_cast<double>(kHzPerMHz), plan.resolutionDecimals, hzPerStep};
}

// A value in the plan's units, rounded as the window shows it, in whole Hz.
std::optional<std::int64_t> figureHz(double value, const Units& units) {
    const std::optional<std::int64_t> steps = fixedUnits(value, units.decimals);
    if (!steps) return std::nullopt;
    return *steps * units.hzPerStep;
}

// A figure back in the plan's units: the value its text reads as, exactly (steps and
// the power of ten are exact doubles, and the quotient is correctly rounded).
double unitsValue(std::int64_t hz, const Units& units) {
    double scale = 1;
    for (int d = 0; d < units.decimals; ++d)
        scale *= 10;
    return static_cast<double>(hz / units.hzPerStep) / scale;
}

struct OwnValues {
    double tx;
    double rx;
};

// The own values of a scheme, in the plan's units: the quotient first, then the sum
// or difference with the sked frequency S.
OwnValues ownValues(SkedScheme scheme, const PlanInputs& in, double dxSelfHz, double divisor) {
    const double s = in.skedFrequencyMHz;
    const double self = in.selfDopplerHz.value_or(0);
    const double mutual = in.mutualDopplerHz.value_or(0);
    switch (scheme) {
        case SkedScheme::FullDoppler:
            return {s - mutual / divisor, s + mutual / divisor};
        case SkedScheme::OwnEcho:
            return {s, s + self / divisor};
        case SkedScheme::Cfom:
            return {s - (self / 2) / divisor, s + (self / 2) / divisor};
        case SkedScheme::DxEcho:
            return {s + (dxSelfHz - mutual) / divisor, s + mutual / divisor};
        case SkedScheme::CallDx:
            return {s - self / divisor, s};
        case SkedScheme::NoDoppler:
            return {s, s};
    }
    return {s, s};
}

// Own Echo has DX figures only for a sked frequency above 0, the others for any but 0.
bool partnerFiguresShown(SkedScheme scheme, double skedFrequencyMHz) {
    return scheme == SkedScheme::OwnEcho ? skedFrequencyMHz > 0 : skedFrequencyMHz != 0;
}

// The DX station's figures, each from the figure it comes from as shown, so each
// inherits that rounding. A missing input leaves the figure out.
void planPartner(SchemeFigures& figures, const PlanInputs& in, const Units& units) {
    if (!in.mutualDopplerHz) return;
    const double mutualMHz = asNumberTextShowsIt(*in.mutualDopplerHz / double(kHzPerMHz));
    // What we hear on our Rx frequency was sent mutual Doppler lower; what we send
    // arrives mutual Doppler higher.
    if (figures.rxHz)
        figures.partnerTxHz = figureHz(unitsValue(*figures.rxHz, units) - mutualMHz, units);
    if (figures.txHz)
        figures.partnerRxHz = figureHz(unitsValue(*figures.txHz, units) + mutualMHz, units);
    // Nothing for a tone difference beyond the double range.
    const double toneOffsetMHz = in.toneDifferenceHz / double(kHzPerMHz);
    if (figures.partnerTxHz && std::isfinite(toneOffsetMHz))
        figures.partnerToneTxHz = figureHz(
            unitsValue(*figures.partnerTxHz, units) - asNumberTextShowsIt(toneOffsetMHz), units);
}

}  // namespace

SkedPlan planSked(const PlanInputs& in) {
    SkedPlan plan;
    plan.skedFrequencyMHz = in.skedFrequencyMHz;
    plan.hzMode = in.skedFrequencyMHz == 0;
    plan.resolutionDecimals = in.resolutionDecimals;
    plan.toneDifferenceHz = in.toneDifferenceHz;
    const double dxSelfHz = 2.0 * in.mutualDopplerHz.value_or(0) - in.selfDopplerHz.value_or(0);
    if (std::isfinite(dxSelfHz)) plan.dxSelfDopplerHz = dxSelfHz;
    const Units units = unitsOf(plan);
    for (const SkedSchemeInfo& info : kSkedSchemes) {
        SchemeFigures& figures = plan.schemes[static_cast<std::size_t>(info.scheme)];
        const OwnValues own = ownValues(info.scheme, in, dxSelfHz, units.divisor);
        figures.txHz = figureHz(own.tx, units);
        figures.rxHz = figureHz(own.rx, units);
        if (partnerFiguresShown(info.scheme, in.skedFrequencyMHz)) planPartner(figures, in, units);
    }
    return plan;
}

std::string figureText(const SkedPlan& plan, std::int64_t hz) {
    if (plan.hzMode) return std::to_string(hz) + " Hz";
    const std::int64_t magnitude = std::llabs(hz);
    std::string text = hz < 0 ? "-" : "";
    text += std::to_string(magnitude / kHzPerMHz);
    if (plan.resolutionDecimals <= 0) return text;
    text += '.';
    text += std::to_string(kHzPerMHz + magnitude % kHzPerMHz)
                .substr(1, static_cast<std::size_t>(plan.resolutionDecimals));
    return text;
}

std::string figureText(const SkedPlan& plan, const std::optional<std::int64_t>& hz) {
    return hz ? figureText(plan, *hz) : std::string{};
}

}  // namespace selvora
