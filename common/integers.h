// Integer arithmetic the calendar formulas rely on.
#pragma once

#include <cstdint>

namespace selvora {

// The floor of the real quotient a / b, for any signs of a and b (b != 0):
// floorDiv(-7, 2) is -4 where C++'s a / b gives -3. The quotient must fit in 64
// bits (not INT64_MIN / -1).
constexpr std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t quotient = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? quotient - 1 : quotient;
}

}  // namespace selvora
