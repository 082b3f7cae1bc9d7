// The sked plan as plain text, for the clipboard: what a sked partner asks for
// ("which frequencies do I use?") without copying figures by hand.
#pragma once

#include <string>

#include "display/fields.h"
#include "plan/display_units.h"

namespace selvora {

// The sked frequency, the resolution and the UTC time, then a line a scheme in the
// window's order with your Tx and Rx and your partner's Tx and Rx, in columns.
// The figures are the texts the window holds (the offsets with " Hz" while there is
// no sked frequency); a figure not worked out yet shows as "-".
std::string skedPlanText(const Fields& fields, double skedFrequencyMHz, const PlanState& state);

}  // namespace selvora
