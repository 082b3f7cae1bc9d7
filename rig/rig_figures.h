// What the rig should be tuned to: the tracked scheme's Rx and Tx figures of the plan
// the window shows, in whole Hz, with their band, or why the figures are not live.
// Worked out above the rig (app/device_wants.h), where tracking and the plan meet.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

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

}  // namespace selvora
