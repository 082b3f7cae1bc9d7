// The inputs of a tick's plan from what the operator set in the window: the
// resolution buttons, the Doppler boxes (azel.dat fills them, the operator may type
// over them) and the tone boxes, with the sked frequency the tick holds.
#pragma once

#include "display/fields.h"
#include "plan/sked_plan.h"

namespace selvora {

// The resolution is the selected button's; with neither selected, the last plan's.
// A Doppler box that holds no plain number has no Doppler; a tone box reads as its
// leading number (an empty one as 0).
PlanInputs planInputs(const Fields& fields, double skedFrequencyMHz, int lastResolutionDecimals);

}  // namespace selvora
