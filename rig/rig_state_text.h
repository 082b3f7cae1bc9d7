// What the window's title says of the rig, after its caption: "rig: CFOM".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "rig/rig_tracker.h"

namespace selvora {

// `trackedCaption`: the tracked scheme's caption; empty while no scheme is tracked,
// and so is the text. Tracking: "rig: CFOM", with the rig's own frequency where a
// transverter's LO is taken off ("rig: CFOM on 144.100130 MHz") and what the rig does
// not follow (", Rx only — the rig cannot split"). Otherwise why the rig is not
// following: "rig: enter a sked frequency", "rig: no answer (IO error)".
std::string rigStateText(std::optional<std::string_view> trackedCaption, const RigStatus& status);

}  // namespace selvora
