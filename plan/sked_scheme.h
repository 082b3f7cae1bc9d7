// The six sked schemes: what the planner works out for each, their names on the
// command line and in the settings, and the window fields of each scheme's row.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "display/control_table.h"

namespace selvora {

// In the order of the window's rows (kSchemeRows): a scheme's value is its row.
enum class SkedScheme : std::uint8_t { FullDoppler, OwnEcho, Cfom, DxEcho, CallDx, NoDoppler };

struct SkedSchemeInfo {
    SkedScheme scheme;
    std::string_view name;     // on the command line and in the settings: "cfom"
    std::string_view caption;  // as the window's row label reads: "CFOM"
    FieldId captionField;      // that row label
    FieldId rx;                // the operator's Rx and Tx figures of the row
    FieldId tx;
};

namespace detail {
// The command line's names, in the order of the window's rows.
inline constexpr std::string_view kSchemeNames[] = {"full-doppler", "own-echo", "cfom",
                                                    "dx-echo",      "call-dx",  "no-doppler"};
static_assert(std::size(kSchemeNames) == std::size(kSchemeRows));
static_assert(std::size(kSchemeRows) == std::size_t(SkedScheme::NoDoppler) + 1);

// The row label of the scheme whose ids end in `key`: "caption_" + "cfom".
consteval FieldId captionOf(std::string_view key) {
    constexpr std::string_view prefix = "caption_";
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const std::string_view id = kControls[i].id;
        if (id.size() == prefix.size() + key.size() && id.starts_with(prefix) && id.ends_with(key))
            return FieldId{static_cast<std::uint16_t>(i)};
    }
    throw "a scheme row has no caption";
}

consteval std::array<SkedSchemeInfo, std::size(kSchemeRows)> skedSchemes() {
    std::array<SkedSchemeInfo, std::size(kSchemeRows)> out{};
    for (std::size_t row = 0; row < out.size(); ++row) {
        const SchemeRow& scheme = kSchemeRows[row];
        out[row] = {SkedScheme(row),
                    kSchemeNames[row],
                    scheme.caption,
                    captionOf(scheme.key),
                    planField(row, PlanColumnId::Rx),
                    planField(row, PlanColumnId::Tx)};
    }
    return out;
}
}  // namespace detail

// In the window's order, from the top row down.
inline constexpr auto kSkedSchemes = detail::skedSchemes();

const SkedSchemeInfo& schemeInfo(SkedScheme scheme);
std::optional<SkedScheme> schemeNamed(std::string_view name);
// The scheme whose row holds this field (its caption, Rx or Tx figure), if any.
std::optional<SkedScheme> schemeOfField(FieldId id);

}  // namespace selvora
