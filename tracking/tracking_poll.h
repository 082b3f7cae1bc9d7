// The tracking file poll: the first half of azeltest_Click, run on every tick of Timer1.
#pragma once

#include <string_view>

#include "common/local_clock.h"
#include "common/window_state.h"
#include "window/fields.h"

namespace selvora {

enum class PollOutcome { Continue, Map65Form };

// Ticks in a row on which azel.dat was found but could not be read or decoded before
// "AZEL IS NOT UPDATING" shows (about 3 s; WSJT-X rewrites the file every second).
inline constexpr int kStaleAfterFailedReads = 6;

// Steps 1 to 17 of the poll. Returns Map65Form when line 4 has the MAP65 form; the
// caller then shows kMap65Title / kMap65Message in a modal box (OK only) and ends the
// program without running anything else of the tick. The file is closed by then.
PollOutcome pollTrackingFile(Fields& fields, WindowState& state, const LocalClock& clock);

inline constexpr std::string_view kMap65Title = "AZEL file error";
inline constexpr std::string_view kMap65Message =
    "Sorry, MAP65 is not supported \r\n"
    "\r\n"
    "The MAP65 azel file does not contain\r\n"
    "the self Doppler information which is\r\n"
    "requred for these Doppler calculations";

}  // namespace selvora
