// The six sked schemes the window shows, as the rig can follow them: their names on
// the command line, their captions, and the window fields holding their figures.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "window/control_table.h"

namespace selvora {

enum class SkedScheme { FullDoppler, OwnEcho, Cfom, DxEcho, CallDx, NoDoppler };

struct SkedSchemeInfo {
    SkedScheme scheme;
    std::string_view name;     // on the command line and in the settings: "cfom"
    std::string_view caption;  // as the window's row label reads: "CFOM"
    FieldId captionField;      // that row label
    FieldId rx;                // the operator's Rx and Tx figures of the row
    FieldId tx;
};

// In the window's order, from the top row down.
inline constexpr std::array<SkedSchemeInfo, 6> kSkedSchemes{{
    {SkedScheme::FullDoppler, "full-doppler", "Full Doppler Both Ways", field("Label1"),
     field("rx_full_doppler"), field("tx_full_doppler")},
    {SkedScheme::OwnEcho, "own-echo", "Own Echo", field("Label2"), field("rx_own_echo"),
     field("tx_own_echo")},
    {SkedScheme::Cfom, "cfom", "CFOM", field("Label3"), field("rx_cfom"), field("tx_cfom")},
    {SkedScheme::DxEcho, "dx-echo", "On DX Echo", field("Label4"), field("rx_dx_echo"),
     field("tx_dx_echo")},
    {SkedScheme::CallDx, "call-dx", "Call Dx", field("Label5"), field("rx_call_dx"),
     field("tx_call_dx")},
    {SkedScheme::NoDoppler, "no-doppler", "No Doppler", field("Label6"), field("rx_no_doppler"),
     field("tx_no_doppler")},
}};

const SkedSchemeInfo& schemeInfo(SkedScheme scheme);
std::optional<SkedScheme> schemeNamed(std::string_view name);
// The scheme whose row holds this field (its caption, Rx or Tx figure), if any.
std::optional<SkedScheme> schemeOfField(FieldId id);

}  // namespace selvora
