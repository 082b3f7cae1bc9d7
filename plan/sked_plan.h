// The Doppler sked planner: from typed inputs to the Tx and Rx figures of the six sked
// schemes, for the operator and for the DX station, in whole Hz at the resolution shown.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "plan/sked_scheme.h"

namespace selvora {

// What one plan is worked out from.
struct PlanInputs {
    double skedFrequencyMHz = 0;  // 0: no sked frequency, the figures are Hz offsets
    // As the window shows them; none while there is no figure (before azel.dat is read).
    std::optional<double> selfDopplerHz, mutualDopplerHz;
    int resolutionDecimals = 5;   // of a MHz figure: 5 (10 Hz steps) or 6 (1 Hz steps)
    double toneDifferenceHz = 0;  // Tx tone - Rx tone (0 normally)
};

// One scheme's figures: whole Hz (offsets in Hz mode), already at the resolution
// shown. None where the figure cannot be worked out or is not shown.
struct SchemeFigures {
    std::optional<std::int64_t> rxHz, txHz;
    std::optional<std::int64_t> partnerRxHz, partnerTxHz;
    std::optional<std::int64_t> partnerToneTxHz;  // the partner's Tx, tone-corrected
    friend bool operator==(const SchemeFigures&, const SchemeFigures&) = default;
};

struct SkedPlan {
    double skedFrequencyMHz = 0;
    bool hzMode = true;  // no sked frequency: every figure is a Doppler offset in Hz
    int resolutionDecimals = 5;
    std::optional<double> dxSelfDopplerHz;  // 2 x mutual Doppler - own self Doppler
    double toneDifferenceHz = 0;
    std::array<SchemeFigures, std::size(kSkedSchemes)> schemes{};  // by SkedScheme

    const SchemeFigures& of(SkedScheme scheme) const {
        return schemes[static_cast<std::size_t>(scheme)];
    }
    friend bool operator==(const SkedPlan&, const SkedPlan&) = default;
};

// Pure: the same inputs always give the same plan.
SkedPlan planSked(const PlanInputs& inputs);

// A figure as the window shows it: "1296.099876" (1 Hz steps), "1296.09988" (10 Hz
// steps) or "258 Hz" (Hz mode); the empty text for no figure.
std::string figureText(const SkedPlan& plan, std::int64_t hz);
std::string figureText(const SkedPlan& plan, const std::optional<std::int64_t>& hz);

}  // namespace selvora
