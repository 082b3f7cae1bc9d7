// Texts of computed figures for the planner's fields.
//
// A figure that left the double range (absurd Doppler or tone texts, such as
// 1E308 doubled) has no honest text. Its field is emptied: the operator never
// sees "inf" or "nan", and no unit is left standing on its own.
#pragma once

#include <cmath>
#include <string>
#include <string_view>

#include "common/numbers.h"

namespace selvora::plan_detail {

// Number text (15 significant digits), or empty for a value that is not finite.
inline std::string figureText(double value) {
    if (!std::isfinite(value)) return {};
    return numberText(value);
}

// Pattern format ("0", "0.00000", "0.000000"), or empty for a value that is not finite.
inline std::string figureText(double value, std::string_view pattern) {
    if (!std::isfinite(value)) return {};
    return patternFormat(value, pattern);
}

}  // namespace selvora::plan_detail
