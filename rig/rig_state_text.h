// What the window's title says of the rig, after its caption: "rig: CFOM".
#pragma once

#include <optional>
#include <string>

#include "plan/sked_scheme.h"
#include "rig/rig_tracker.h"

namespace selvora {

// Empty while no scheme is tracked. Tracking: "rig: CFOM", with the rig's own
// frequency where a transverter's LO is taken off ("rig: CFOM on 144.100130 MHz") and
// what the rig does not follow (", Rx only — the rig cannot split"). Otherwise why the
// rig is not following: "rig: enter a sked frequency", "rig: no answer (IO error)".
std::string rigStateText(std::optional<SkedScheme> tracked, const RigStatus& status);

}  // namespace selvora
