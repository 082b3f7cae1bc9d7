// The first half of the sked planner in azeltest_Click: the resolution and units
// of this tick's plan, the DX station's self Doppler and the tone check.
#pragma once

#include <string>

#include "common/window_state.h"
#include "window/fields.h"

namespace selvora {

// Values worked out for one tick and handed on to the plan table of that tick.
struct PlanTick {
    double frequencyDivisor = 0;  // 1 in Hz mode, 1000000 in MHz mode
    std::string unitSuffix;       // " Hz" in Hz mode, empty in MHz mode
    double dxSelfDoppler = 0;     // Hz: 2 x mutual Doppler - own self Doppler
    double toneDifference = 0;    // Hz: Tx tone frequency - Rx tone frequency
};

// Sets resolutionFormat from hz10/hz1 and displayFormat from the mode (Hz offsets
// while skedFrequency is exactly 0, MHz otherwise), shows dx_self_doppler and the
// tone check in frequency_error, and returns this tick's values.
PlanTick prepareDisplayUnits(Fields& fields, WindowState& state);

}  // namespace selvora
