// The values of `selvora --ahead`'s options, as typed.
#pragma once

#include <optional>
#include <string>

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

}  // namespace selvora
