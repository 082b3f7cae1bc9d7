// The values of `selvora --ahead`'s options or the Sked ahead window's boxes, as typed,
// read into a sked-ahead request or refused with a one-line reason.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <variant>

#include "plan/sked_ahead.h"

namespace selvora {

// As given on the command line; nullopt for an option not given.
struct AheadArguments {
    std::optional<std::string> at;  // "YYYY-MM-DD HH:MM:SS" UTC; now without it
    std::optional<std::string> myGrid;
    std::optional<std::string> dxGrid;
    std::optional<std::string> skedMHz;
    std::optional<std::string> days;
    std::optional<std::string> minElevationDeg;
};

// What stands in for an option not given.
struct AheadDefaults {
    std::chrono::sys_seconds now;
    std::string myGrid;  // the saved locator, else WSJT-X's; may be empty
};

inline constexpr int kMaxAheadDays = 31;

// How a refusal names each value: the option on the command line, the box in the window.
struct AheadValueNames {
    std::string_view at, myGrid, dxGrid, skedMHz, days, minElevationDeg;
};
inline constexpr AheadValueNames kOptionNames{"--at",   "--my-grid", "--dx-grid",
                                              "--sked", "--days",    "--min-elevation"};

// The request, or why it cannot be made ("--dx-grid: 'XX' is not a locator: ...").
std::variant<AheadRequest, std::string> readAheadArguments(
    const AheadArguments& arguments, const AheadDefaults& defaults,
    const AheadValueNames& names = kOptionNames);

}  // namespace selvora
