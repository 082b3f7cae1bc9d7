#include "display/control_table.h"

#include <stdexcept>
#include <string>

namespace selvora {

std::optional<FieldId> findField(std::string_view id) {
    for (std::size_t i = 0; i < kControls.size(); ++i)
        if (hasId(kControls[i], id)) return FieldId{static_cast<std::uint16_t>(i)};
    return std::nullopt;
}

FieldId phase(int k) {
    if (k < 0 || k >= kPhaseCount)
        throw std::out_of_range("phase has no picture " + std::to_string(k));
    return FieldId{static_cast<std::uint16_t>(field("phase").index + k)};
}

}  // namespace selvora
