// The Doppler sked planner: the Tx and Rx frequencies of the six sked schemes,
// for the operator and (in hidden fields) for the DX station.
#pragma once

#include "display/fields.h"
#include "plan/display_units.h"

namespace selvora {

// The second half of every tick, whether or not azel.dat was read: resolution and
// units, DX self Doppler and tone check, then the 30 plan fields.
void planSked(Fields& fields, double skedFrequencyMHz, PlanState& state);

}  // namespace selvora
