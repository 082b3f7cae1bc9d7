// The six sked schemes the planner works out: their names on the command line and in
// the settings, and their captions as the operator reads them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace selvora {

// From the top row of the window's sked table down: a scheme's value is its row.
enum class SkedScheme : std::uint8_t { FullDoppler, OwnEcho, Cfom, DxEcho, CallDx, NoDoppler };

struct SkedSchemeInfo {
    SkedScheme scheme;
    std::string_view name;     // on the command line and in the settings: "cfom"
    std::string_view caption;  // as the window's row label reads: "CFOM"
};

// In the window's order, from the top row down.
inline constexpr std::array<SkedSchemeInfo, 6> kSkedSchemes = {{
    {SkedScheme::FullDoppler, "full-doppler", "Full Doppler Both Ways"},
    {SkedScheme::OwnEcho, "own-echo", "Own Echo"},
    {SkedScheme::Cfom, "cfom", "CFOM"},
    {SkedScheme::DxEcho, "dx-echo", "On DX Echo"},
    {SkedScheme::CallDx, "call-dx", "Call Dx"},
    {SkedScheme::NoDoppler, "no-doppler", "No Doppler"},
}};
static_assert(kSkedSchemes.size() == std::size_t(SkedScheme::NoDoppler) + 1);

// The scheme's row in the window's sked table, from the top.
constexpr std::size_t schemeRow(SkedScheme scheme) {
    return static_cast<std::size_t>(scheme);
}

const SkedSchemeInfo& schemeInfo(SkedScheme scheme);
std::optional<SkedScheme> schemeNamed(std::string_view name);

}  // namespace selvora
