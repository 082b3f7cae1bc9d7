#include "plan/sked_scheme.h"

namespace selvora {

const SkedSchemeInfo& schemeInfo(SkedScheme scheme) {
    return kSkedSchemes[schemeRow(scheme)];
}

std::optional<SkedScheme> schemeNamed(std::string_view name) {
    for (const auto& info : kSkedSchemes)
        if (info.name == name) return info.scheme;
    return std::nullopt;
}

}  // namespace selvora
