#include "common/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace selvora {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
// What the leading-number parse drops wherever it stands.
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

// A decimal number taken apart before conversion, e.g. "-12.5E-3".
struct DecimalText {
    bool negative = false;
    std::string mantissa;  // digits with at most one '.', at least one digit
    long exponent = 0;     // saturated far beyond the double range
};

// Walks a text for the number scanner; the leading-number parse skips blanks,
// tabs and line feeds wherever they stand, the strict conversion skips none.
class Cursor {
  public:
    Cursor(std::string_view text, bool skipBlanks) : text_(text), skipBlanks_(skipBlanks) {}

    char peek() {
        while (skipBlanks_ && pos_ < text_.size() && isBlank(text_[pos_]))
            ++pos_;
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }
    void advance() { ++pos_; }
    std::size_t position() const { return pos_; }
    void rewind(std::size_t pos) { pos_ = pos; }

  private:
    std::string_view text_;
    bool skipBlanks_;
    std::size_t pos_ = 0;
};

// Exponent digits after "E" and an optional sign; nullopt (cursor unmoved) when
// there are none, so "1E" and "1E+" read as 1.
std::optional<long> scanExponent(Cursor& cursor) {
    const std::size_t start = cursor.position();
    cursor.advance();  // the 'E'
    bool negative = false;
    if (cursor.peek() == '+' || cursor.peek() == '-') {
        negative = cursor.peek() == '-';
        cursor.advance();
    }
    if (!isDigit(cursor.peek())) {
        cursor.rewind(start);
        return std::nullopt;
    }
    long value = 0;
    constexpr long kSaturation = 1'000'000;  // far beyond any double exponent
    for (char c = cursor.peek(); isDigit(c); c = cursor.peek()) {
        value = std::min(kSaturation, value * 10 + (c - '0'));
        cursor.advance();
    }
    return negative ? -value : value;
}

// Sign, digits with one '.', optional exponent, from the cursor on.
std::optional<DecimalText> scanDecimal(Cursor& cursor) {
    DecimalText number;
    if (cursor.peek() == '+' || cursor.peek() == '-') {
        number.negative = cursor.peek() == '-';
        cursor.advance();
    }
    bool sawPoint = false;
    for (char c = cursor.peek(); isDigit(c) || (c == '.' && !sawPoint); c = cursor.peek()) {
        sawPoint = sawPoint || c == '.';
        number.mantissa += c;
        cursor.advance();
    }
    if (!std::any_of(number.mantissa.begin(), number.mantissa.end(), isDigit)) return std::nullopt;
    if (cursor.peek() == 'E' || cursor.peek() == 'e') {
        if (auto exponent = scanExponent(cursor)) number.exponent = *exponent;
    }
    return number;
}

// Decimal exponent of the leading significant digit: 2 for 150, -3 for 0.0015.
long leadingExponent(const DecimalText& number) {
    const std::string& digits = number.mantissa;
    const auto point = std::min(digits.find('.'), digits.size());
    const auto first = digits.find_first_of("123456789");
    if (first == std::string::npos) return 0;
    const long shift =
        first < point ? static_cast<long>(point - first) - 1 : -static_cast<long>(first - point);
    return shift + number.exponent;
}

// The value, or nullopt when it lies beyond the double range (either way).
std::optional<double> toDouble(const DecimalText& number) {
    std::string text = number.mantissa;
    text += 'e';
    text += std::to_string(number.exponent);
    double magnitude = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    if (result.ec != std::errc{}) return std::nullopt;
    return number.negative ? -magnitude : magnitude;
}

// Significant digits of a finite value and the decimal exponent of the first:
// 1296.0998715 to 15 digits is {"129609987150000", 3}.
struct SignificantDigits {
    bool negative;
    std::string digits;
    int exponent;
};

template <typename Number>
SignificantDigits significantDigits(Number value, int count) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::scientific, count - 1);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const auto e = text.find('e');
    SignificantDigits out{std::signbit(value), {}, 0};
    for (char c : text.substr(0, e))
        if (isDigit(c)) out.digits += c;
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+'), text.data() + text.size(),
                    out.exponent);
    return out;
}

// Rounds the decimal to `decimals` places, halves away from zero, and writes it.
std::string roundedDecimal(SignificantDigits number, int decimals) {
    // Digits that stay: those before the point plus `decimals` after it.
    const int kept = number.exponent + 1 + decimals;
    std::string digits;  // the result's digits, the last `decimals` after the point
    if (kept >= 0) {
        const bool roundUp = kept < static_cast<int>(number.digits.size()) &&
                             number.digits[static_cast<std::size_t>(kept)] >= '5';
        digits = number.digits.substr(0, static_cast<std::size_t>(kept));
        digits.resize(static_cast<std::size_t>(kept), '0');
        if (roundUp) {
            auto it = digits.rbegin();
            for (; it != digits.rend() && *it == '9'; ++it)
                *it = '0';
            if (it == digits.rend())
                digits.insert(digits.begin(), '1');
            else
                ++*it;
        }
    }
    const auto width = static_cast<std::size_t>(decimals) + 1;
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    const bool isZero = digits.find_first_not_of('0') == std::string::npos;
    std::string out = number.negative && !isZero ? "-" : "";
    out += std::string_view(digits).substr(0, digits.size() - width + 1);
    if (decimals > 0) {
        out += '.';
        out += std::string_view(digits).substr(digits.size() - width + 1);
    }
    return out;
}

template <typename Number>
std::string shortestText(Number value, int precision) {
    if (!std::isfinite(value)) return {};
    if (value == 0) return "0";  // also for -0
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, precision);
    std::string text(buffer, result.ptr);
    if (auto e = text.find('e'); e != std::string::npos) text[e] = 'E';
    return text;
}

// The value of a number beyond the double range: a magnitude too large saturates
// to the largest double, one too small underflows to zero, each with its sign.
double outOfRange(const DecimalText& number) {
    const double magnitude = leadingExponent(number) > 0 ? std::numeric_limits<double>::max() : 0.0;
    return number.negative ? -magnitude : magnitude;
}

}  // namespace

double leadingNumber(std::string_view text) {
    Cursor cursor(text, /*skipBlanks=*/true);
    const auto number = scanDecimal(cursor);
    if (!number) return 0.0;
    if (auto value = toDouble(*number)) return *value;
    return outOfRange(*number);
}

std::optional<double> strictNumber(std::string_view text) {
    while (text.starts_with(' '))
        text.remove_prefix(1);
    while (text.ends_with(' '))
        text.remove_suffix(1);
    Cursor cursor(text, /*skipBlanks=*/false);
    const auto number = scanDecimal(cursor);
    if (!number || cursor.position() != text.size()) return std::nullopt;
    if (auto value = toDouble(*number)) return *value;
    if (leadingExponent(*number) > 0) return std::nullopt;  // too large for a double
    return outOfRange(*number);                             // underflow: a signed zero
}

std::string numberText(double value) {
    return shortestText(value, 15);
}
std::string numberText(float value) {
    return shortestText(value, 7);
}

std::string fixedText(double value, int decimals) {
    if (!std::isfinite(value)) return {};
    return roundedDecimal(significantDigits(value, 15), decimals);
}

std::string fixedText(float value, int decimals) {
    if (!std::isfinite(value)) return {};
    return roundedDecimal(significantDigits(value, 7), decimals);
}

std::optional<std::int64_t> fixedUnits(double value, int decimals) {
    constexpr std::int64_t kExactLimit = std::int64_t{1} << 53;
    const std::string text = fixedText(value, decimals);
    std::int64_t units = 0;
    for (const char c : text) {
        if (!isDigit(c)) continue;
        units = units * 10 + (c - '0');
        if (units >= kExactLimit) return std::nullopt;
    }
    if (text.empty()) return std::nullopt;
    return text.starts_with('-') ? -units : units;
}

double bankersRound(double value) {
    // The rounding mode is never changed in this program: round to nearest, ties to even.
    return std::nearbyint(value);
}

}  // namespace selvora
