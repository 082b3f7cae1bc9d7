// The number semantics every figure passes through, on any text and any bit pattern.
//
// The input as text: the leading-number parse always gives a finite number, and where
// the strict conversion accepts the text it agrees with it.
// Its first 8 (4) bytes as a double (float) x, and byte 8 as a count of decimals:
//  - number text of a finite x is plain decimal text (digits, ".", "-", "E", "+"; never
//    "inf", "nan" or ","); read back it gives the double nearest to x taken to
//    15 (7) significant digits (past the largest double, the largest double), and that
//    text again: the round trip is stable. It cannot give x itself: 0.1 + 0.2 shows 0.3;
//  - fixed text of a finite x is "-"? digits, and "." with exactly that many
//    decimals; it lies within half a unit of the last decimal of x taken to 15 (7)
//    digits; a result that is all zeros has no sign;
//  - a non-finite x has no number text and no fixed text at all;
//  - banker's rounding gives the nearest whole number, halves to even.
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <system_error>

#include "common/numbers.h"
#include "fuzz/fuzz_support.h"

namespace {

using selvora::fixedText;
using selvora::leadingNumber;
using selvora::numberText;

// x taken to `digits` significant digits, as the nearest double; saturated as the
// leading-number parse saturates.
template <typename Number>
double roundedTo(Number x, int digits) {
    char text[64];
    const auto end =
        std::to_chars(text, text + sizeof text, x, std::chars_format::scientific, digits - 1).ptr;
    double value = 0;
    const auto result = std::from_chars(text, end, value);
    if (result.ec == std::errc::result_out_of_range)
        return std::signbit(x) ? -DBL_MAX : DBL_MAX;  // a 15-digit DBL_MAX lies above it
    return value;
}

bool isPlainNumberText(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789.-+E") == std::string::npos;
}

template <typename Number>
void checkNumberText(Number x, int digits) {
    const std::string text = numberText(x);
    if (!std::isfinite(x)) {
        FUZZ_REQUIRE(text.empty());
        return;
    }
    FUZZ_REQUIRE(isPlainNumberText(text));
    const double back = leadingNumber(text);
    FUZZ_REQUIRE(back == roundedTo(x, digits));
    FUZZ_REQUIRE(numberText(static_cast<Number>(back)) == text);
}

template <typename Number>
void checkFixedText(Number x, int digits, int decimals) {
    const std::string text = fixedText(x, decimals);
    if (!std::isfinite(x)) {
        FUZZ_REQUIRE(text.empty());
        return;
    }
    const std::string_view body = std::string_view(text).substr(text.starts_with('-') ? 1 : 0);
    const auto point = body.find('.');
    const std::string_view whole = body.substr(0, point);
    FUZZ_REQUIRE(!whole.empty() && whole.find_first_not_of("0123456789") == std::string::npos);
    if (decimals == 0) {
        FUZZ_REQUIRE(point == std::string_view::npos);
    } else {
        const std::string_view fraction = body.substr(point + 1);
        FUZZ_REQUIRE(point != std::string_view::npos &&
                     fraction.size() == static_cast<std::size_t>(decimals) &&
                     fraction.find_first_not_of("0123456789") == std::string::npos);
    }
    if (text.starts_with('-')) FUZZ_REQUIRE(body.find_first_not_of("0.") != std::string::npos);

    const double rounded = roundedTo(x, digits);
    const double halfUnit = 0.5 * std::pow(10.0, -decimals);
    const double error = std::fabs(leadingNumber(text) - rounded);
    // Reading the result back and taking x to 15 digits each round once more.
    FUZZ_REQUIRE(error <= halfUnit * (1 + 1e-9) + std::fabs(rounded) * 4 * DBL_EPSILON);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double parsed = leadingNumber(text);
    FUZZ_REQUIRE(std::isfinite(parsed));
    if (const auto strict = selvora::strictNumber(text)) {
        FUZZ_REQUIRE(std::isfinite(*strict));
        FUZZ_REQUIRE(*strict == parsed);
    }
    checkNumberText(parsed, 15);

    if (size < sizeof(double)) return 0;
    double x;
    float f;
    std::memcpy(&x, data, sizeof x);
    std::memcpy(&f, data, sizeof f);
    const int decimals = size > sizeof(double) ? data[sizeof(double)] % 16 : 0;
    checkNumberText(x, 15);
    checkNumberText(f, 7);
    checkFixedText(x, 15, decimals);
    checkFixedText(f, 7, decimals);

    if (std::isfinite(x)) {
        const double r = selvora::bankersRound(x);
        FUZZ_REQUIRE(std::floor(r) == r && std::fabs(r - x) <= 0.5);
        if (std::fabs(r - x) == 0.5) FUZZ_REQUIRE(std::fmod(r, 2.0) == 0);
    }
    return 0;
}
