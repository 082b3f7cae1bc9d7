// What the window says of the antenna, beside the rig's, in words read at a glance
// (and by a screen reader):
//   "antenna: off"                               no rotator
//   "antenna: moon 123.4° 45.6°"                 following; where the antenna points
//   "antenna: moon"                              following, position not read yet
//   "antenna: waiting, moon below 0°"            the target is under the lowest elevation
//   "antenna: waiting, moon outside the range"   the target is beyond the range or limits
//   "antenna: waiting for azel.dat (not updating)"  why the figures are not live
//   "antenna: waiting for the rotator"           a call to it has been in flight for long
//   "antenna: refused (Invalid parameter)"       the rotator said no to a move, stop or park
//   "antenna: no answer (IO error)"
//   "antenna: stopped", "antenna: parked"
#pragma once

#include <string>

#include "rotator/rotator_tracker.h"

namespace selvora {

std::string rotatorStateText(const RotatorStatus& status);

// "123.4° 45.6°": azimuth as a bearing 0…360, one decimal each.
std::string directionText(const AzEl& direction);

}  // namespace selvora
