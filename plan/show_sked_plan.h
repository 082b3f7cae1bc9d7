// The plan in the window: the 30 figures of the sked table, the DX self Doppler and
// the tone check, each rendered from the typed plan.
#pragma once

#include "display/fields.h"
#include "plan/sked_plan.h"

namespace selvora {

void showSkedPlan(Fields& fields, const SkedPlan& plan);

}  // namespace selvora
