// Number reading and writing with the exact text semantics the window relies on.
//
// Every figure the operator sees passes through these functions, so they are
// locale-independent ("." is always the decimal point) and never print "inf" or
// "nan". Built on std::from_chars / std::to_chars only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace selvora {

// Reads the longest leading decimal number: optional sign, digits with one ".",
// optional exponent ("E-05"). Blanks, tabs and line feeds are dropped wherever they
// stand ("1 2" reads 12); text after the number is ignored; no number gives 0.
// Never fails: a magnitude beyond the double range saturates to +/- the largest
// double, one below it gives 0.
double leadingNumber(std::string_view text);

// The whole text, spaces around it allowed (no tabs), must be one decimal number.
// Empty text, anything else in it, or a magnitude too large for a double: nullopt.
// A magnitude too small for a double converts to 0 with its sign ("1e-324", "-1e-400").
std::optional<double> strictNumber(std::string_view text);

// Shortest decimal text with at most 15 significant digits ("144.12", "-1235",
// "1.2E-05"). Exponent form below 1E-05 and from 1E+15 on; leadingNumber reads
// it back. A non-finite value gives the empty text.
std::string numberText(double value);
// The same for a 32-bit value, with at most 7 significant digits ("27.93466").
std::string numberText(float value);

// Fixed-point text with `decimals` digits after the point (none and no point for 0).
// The value is first taken to 15 significant digits (7 for a float), then that
// decimal is rounded to the last digit shown, halves away from zero: 1296.0998715
// to 6 decimals gives "1296.099872". A result that rounds to zero has no sign; a
// non-finite value gives "".
std::string fixedText(double value, int decimals);
std::string fixedText(float value, int decimals);
// The same rounding as a whole number of the last digit shown: 1296.0998715 to 6
// decimals gives 1296099872. Nothing for a non-finite value, nor from 2^53 units on,
// where a double would no longer hold every unit exactly.
std::optional<std::int64_t> fixedUnits(double value, int decimals);

// Nearest whole number, halves to the even neighbour (0.5 -> 0, 1.5 -> 2, 2.5 -> 2).
double bankersRound(double value);

}  // namespace selvora
