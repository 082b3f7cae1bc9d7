// The first half of the sked planner: the resolution and units of this tick's
// plan, the DX station's self Doppler and the tone check.
#pragma once

#include <string_view>

#include "display/fields.h"

namespace selvora {

// What the plan keeps from one tick to the next.
struct PlanState {
    int resolutionDecimals = 0;  // of a MHz figure: 5 for 10 Hz steps, 6 for 1 Hz steps
    bool hzMode = true;          // the figures are Doppler offsets in Hz: no sked frequency
};

// Values worked out for one tick and handed on to the plan table of that tick.
struct PlanTick {
    int decimals = 0;             // of every plan figure: 0 in Hz mode, else the resolution's
    double frequencyDivisor = 0;  // 1 in Hz mode, 1000000 in MHz mode
    std::string_view unitSuffix;  // " Hz" in Hz mode, empty in MHz mode
    double dxSelfDopplerHz = 0;   // 2 x mutual Doppler - own self Doppler
    double toneDifferenceHz = 0;  // Tx tone frequency - Rx tone frequency
};

// Takes the resolution from hz10/hz1 and the mode from the sked frequency (Hz
// offsets while it is exactly 0, MHz otherwise), shows dx_self_doppler and the
// tone check, and returns this tick's values.
PlanTick prepareDisplayUnits(Fields& fields, double skedFrequencyMHz, PlanState& state);

}  // namespace selvora
