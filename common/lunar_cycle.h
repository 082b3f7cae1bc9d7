// The mean length of the lunar cycle, shared by the moon's age and its pictures.
#pragma once

namespace selvora {

// Days from one new moon to the next, on average (the synodic month).
inline constexpr double kSynodicMonthDays = 29.530588;

}  // namespace selvora
