// What the rig should be tuned to: the tracked scheme's Rx and Tx figures exactly as
// the window shows them, in whole Hz, with their band, or why the figures are not live.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "display/fields.h"
#include "plan/display_units.h"
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

// A shown MHz figure ("1296.100129", "1296.10013") as whole Hz, read digit by digit so no
// binary rounding creeps in. Anything else (a Hz offset, a sign, more than six decimals,
// an empty text, zero) is no frequency.
std::optional<std::int64_t> wholeHzOfMHzText(std::string_view text);
// Whole Hz as the operator reads a frequency: "1296.100130 MHz".
std::string mhzText(std::int64_t hz);

// The figures of `scheme` while they are live: azel.dat found, its time stamp seen to
// move since the path was set and still moving, a sked frequency the operator chose
// (not the Hz offsets, not one the band set), and both fields showing a frequency.
WantedFigures wantedFigures(const Fields& fields, const TrackingState& tracking,
                            const PlanState& plan, SkedScheme scheme);

}  // namespace selvora
