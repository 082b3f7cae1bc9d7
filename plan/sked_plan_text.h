// The sked plan as plain text, for the clipboard: what a sked partner asks for
// ("which frequencies do I use?") without copying figures by hand.
#pragma once

#include <string>
#include <string_view>

#include "plan/sked_plan.h"

namespace selvora {

// The sked frequency, the resolution and the UTC time as the window shows it, then a
// line a scheme in the window's order with your Tx and Rx and your partner's Tx and
// Rx, in columns. The figures read as the window shows them (the offsets with " Hz"
// while there is no sked frequency); a figure not worked out shows as "-".
std::string skedPlanText(const SkedPlan& plan, std::string_view utcTimeText);

}  // namespace selvora
