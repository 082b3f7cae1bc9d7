#include "astro/julian_date.h"

#include <cstdint>

#include "common/integers.h"

namespace selvora {

// The formula's own letters, as the almanac writes it: Y, M, D the date; G the
// Gregorian switch; J the day count; S, A and K the century correction.
double julianDayNumber(const LocalDateTime& date) {
    // 64-bit throughout: 367 * Y alone outgrows 16 bits, and no int year can overflow this.
    const std::int64_t Y = date.year;
    const std::int64_t M = date.month;
    const std::int64_t D = date.day;

    const std::int64_t G = Y <= 1585 ? 0 : 1;  // the Gregorian century correction, on or off
    std::int64_t J = -floorDiv(7 * (Y + floorDiv(M + 9, 12)), 4);
    const std::int64_t S = M - 9 < 0 ? -1 : 1;
    const std::int64_t A = M - 9 < 0 ? 9 - M : M - 9;
    std::int64_t K = Y + S * floorDiv(A, 7);
    K = -floorDiv((floorDiv(K, 100) + 1) * 3, 4);
    J = J + floorDiv(275 * M, 9) + D + G * K;
    J = J + 1721027 + 2 * G + 367 * Y;
    return static_cast<double>(J);
}

}  // namespace selvora
