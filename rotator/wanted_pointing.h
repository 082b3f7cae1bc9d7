// Where the antenna should point: the moon's or the sun's direction from azel.dat while
// its figures are live, or why not. Worked out above the rotator (app/device_wants.h).
#pragma once

#include <optional>
#include <string>

#include "common/az_el.h"
#include "rotator/rotator_settings.h"

namespace selvora {

struct WantedPointing {
    std::optional<AzEl> target;  // azimuth 0…360; empty while the figures are not live
    std::string notLiveReason;   // "waiting for azel.dat (not updating)"
    PointAt body = PointAt::Moon;
    int secondOfMinute = 0;  // of the UTC minute, 0 to 59, when the target was read
    friend bool operator==(const WantedPointing&, const WantedPointing&) = default;
};

}  // namespace selvora
