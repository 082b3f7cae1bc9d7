// What the rig should be tuned to: the tracked scheme's Rx and Tx figures of the plan
// the window shows, in whole Hz, with their band, or why the figures are not live.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/megahertz.h"  // whole Hz and their MHz text, for the rig's messages
#include "plan/sked_plan.h"
#include "plan/sked_scheme.h"
#include "tracking/tracking_poll.h"

namespace selvora {

struct RigFigures {
    std::int64_t rxHz = 0;
    std::int64_t txHz = 0;
    friend bool operator==(const RigFigures&, const RigFigures&) = default;
};

struct WantedFigures {
    std::optional<RigFigures> figures;  // empty while the figures are not live
    std::string notLiveReason;          // "waiting for azel.dat (not found)"
    // The band azel.dat gives (1296, 10368), which picks a transverter; 0 for none.
    int bandMHz = 0;
    friend bool operator==(const WantedFigures&, const WantedFigures&) = default;
};

// The figures of `scheme` while they are live: azel.dat found, its time stamp seen to
// move since the path was set and still moving, a sked frequency the operator chose
// (not the Hz offsets, not one the band set), and both figures a frequency (above 0
// and below 1 THz).
WantedFigures wantedFigures(const TrackingState& tracking, const SkedPlan& plan, SkedScheme scheme);

}  // namespace selvora
