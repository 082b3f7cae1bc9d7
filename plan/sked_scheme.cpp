#include "plan/sked_scheme.h"

namespace selvora {

const SkedSchemeInfo& schemeInfo(SkedScheme scheme) {
    return kSkedSchemes[static_cast<std::size_t>(scheme)];
}

std::optional<SkedScheme> schemeNamed(std::string_view name) {
    for (const auto& info : kSkedSchemes)
        if (info.name == name) return info.scheme;
    return std::nullopt;
}

std::optional<SkedScheme> schemeOfField(FieldId id) {
    for (const auto& info : kSkedSchemes)
        if (id == info.captionField || id == info.rx || id == info.tx) return info.scheme;
    return std::nullopt;
}

}  // namespace selvora
