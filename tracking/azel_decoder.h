// Decoding of azel.dat, the tracking file WSJT and WSJT-X rewrite about once a second.
// WSJT-X writes (LF line ends on Linux, CR LF on Windows):
//
//   hh:mm:ss,AAA.A,EEE.E,Moon        line 1: time stamp, moon azimuth and elevation
//   hh:mm:ss,AAA.A,EEE.E,Sun         line 2: the sun's azimuth and elevation, if it reads
//   hh:mm:ss,  0.0,  0.0,Source      line 3: ignored
//   FFFFF,DDDDDD.D,RRRRR.RR,SSSSSS.S,QQQQQ.QQ,Doppler, R
//                                    line 4: MHz, mutual Hz, its rate, self Hz, its rate
//      -62.8,     4.7,    -2.0,Pol   line 5 and later: ignored
//
// A line's meaning is its position alone. Lines are cut at every "," with nothing trimmed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "common/az_el.h"

namespace selvora {

// Lines 1 to 4 must lie within this many bytes of the file's start; real files are
// about 200 bytes, and nothing after line 4 matters, however large the file is.
inline constexpr std::size_t kAzelDecodeLimit = 4096;

struct AzelRecord {
    std::int16_t fileSeconds = 0;  // seconds of line 1's time stamp, rounded half to even
    double moonAzimuth = 0.0;      // degrees, rounded half to even to a whole number
    double moonElevation = 0.0;    // the same; negative below the horizon
    // For pointing an antenna, as written: line 1's figures when both are numbers, and
    // line 2's when it is the sun's with both figures numbers. Either may be unknown;
    // neither ever makes the file unreadable nor changes what the window shows.
    std::optional<AzEl> moon;
    std::optional<AzEl> sun;
    // Line 4 has three fields: written by MAP65, it carries no self Doppler and the
    // values below are not set.
    bool map65Form = false;
    double fileFrequency = 0.0;  // MHz, the WSJT band setting
    double mutualDoppler = 0.0;  // Hz, floored to a whole number
    std::string mutualRate;      // Hz/min, the field's text unchanged (blanks included)
    double selfDoppler = 0.0;    // Hz, floored to a whole number
    std::string selfRate;        // Hz/min, unchanged; empty for MAP65 3.0's four-field line
};

struct AzelError {
    std::string reason;  // names the line and what is wrong with it
};

using AzelDecoding = std::variant<AzelRecord, AzelError>;

// Decodes the start of azel.dat. `wholeFile` tells whether the file ends within
// `bytes`; when it does not, lines 1 to 4 must each end within them.
AzelDecoding decodeAzel(std::string_view bytes, bool wholeFile);

}  // namespace selvora
