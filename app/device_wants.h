// What each station device is asked for, worked out where tracking and the plan meet,
// so neither the rig nor the rotator code sees them.
#pragma once

#include "plan/sked_plan.h"
#include "plan/sked_scheme.h"
#include "rig/rig_figures.h"
#include "rotator/rotator_settings.h"
#include "rotator/wanted_pointing.h"
#include "tracking/tracking_poll.h"

namespace selvora {

// The figures of `scheme` while they are live: azel.dat found, its time stamp seen to
// move since the path was set and still moving, a sked frequency the operator chose
// (not the Hz offsets, not one the band set), and both figures a frequency (above 0
// and below 1 THz).
WantedFigures wantedFigures(const TrackingState& tracking, const SkedPlan& plan, SkedScheme scheme);

// The moon's direction (azel.dat's line 1) or the sun's (line 2) while the figures are
// live by the rig's rule; none while not found or not updating, nor for a sun the file
// does not give. `secondOfMinute`: of the UTC minute now.
WantedPointing wantedPointing(const TrackingState& tracking, PointAt body, int secondOfMinute);

}  // namespace selvora
