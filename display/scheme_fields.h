// The window fields of each row of the sked table: the row label and the operator's Rx
// and Tx figures. A sked scheme's row is its place in the planner's list, from the top.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "display/control_table.h"

namespace selvora {

struct SchemeFields {
    FieldId caption;
    FieldId rx;
    FieldId tx;
};

inline constexpr std::size_t kSchemeRowCount = std::size(kSchemeRows);

namespace detail {
// The row label of the row whose ids end in `key`: "caption_" + "cfom".
consteval FieldId captionOf(std::string_view key) {
    constexpr std::string_view prefix = "caption_";
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const std::string_view id = kControls[i].id;
        if (id.size() == prefix.size() + key.size() && id.starts_with(prefix) && id.ends_with(key))
            return FieldId{static_cast<std::uint16_t>(i)};
    }
    throw "a scheme row has no caption";
}

consteval std::array<SchemeFields, kSchemeRowCount> schemeFieldsByRow() {
    std::array<SchemeFields, kSchemeRowCount> out{};
    for (std::size_t row = 0; row < out.size(); ++row)
        out[row] = {captionOf(kSchemeRows[row].key), planField(row, PlanColumnId::Rx),
                    planField(row, PlanColumnId::Tx)};
    return out;
}
}  // namespace detail

// By row, from the top.
inline constexpr auto kSchemeFields = detail::schemeFieldsByRow();

}  // namespace selvora
