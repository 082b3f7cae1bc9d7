#include "rotator/rotator_settings.h"

#include <cmath>

#include "common/numbers.h"

namespace selvora {

namespace {

template <typename T>
Typed<T> refuse(std::string why) {
    return {std::nullopt, std::move(why)};
}

// What the operator typed, on one line whatever it holds.
std::string quoted(std::string_view text) {
    std::string out = "'";
    for (const char c : text)
        out += static_cast<unsigned char>(c) < 0x20 || c == 0x7f ? '?' : c;
    return out + "'";
}

// A number of degrees from `low` to `high` (each inclusive unless said otherwise).
Typed<double> degrees(std::string_view text, std::string_view what, double low, double high,
                      bool lowIncluded = true) {
    const std::optional<double> value = strictNumber(text);
    const std::string range = (lowIncluded ? "from " : "above ") + numberText(low) +
                              (lowIncluded ? " to " : " and at most ") + numberText(high);
    if (!value || !std::isfinite(*value))
        return refuse<double>(std::string(what) + ": " + quoted(text) +
                              " is not a number of degrees (" + range + ")");
    if (*value > high || *value < low || (!lowIncluded && *value == low))
        return refuse<double>(std::string(what) + ": " + quoted(text) + " is not " + range +
                              " degrees");
    return {*value, {}};
}

// A whole second of the minute, 0 to 59, in plain digits.
std::optional<int> wholeSecond(std::string_view text) {
    if (text.empty() || text.size() > 2) return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > 59) return std::nullopt;
    return value;
}

}  // namespace

Typed<PointAt> readPointAt(std::string_view text) {
    if (text == "moon") return {PointAt::Moon, {}};
    if (text == "sun") return {PointAt::Sun, {}};
    return refuse<PointAt>("point at: " + quoted(text) + " is neither moon nor sun");
}

Typed<double> readToleranceDeg(std::string_view text) {
    return degrees(text, "tolerance", 0, 90, false);
}

Typed<MoveSeconds> readMoveSeconds(std::string_view text) {
    const std::size_t dash = text.find('-');
    const std::optional<int> first =
        dash == std::string_view::npos ? std::nullopt : wholeSecond(text.substr(0, dash));
    const std::optional<int> last =
        dash == std::string_view::npos ? std::nullopt : wholeSecond(text.substr(dash + 1));
    if (!first || !last)
        return refuse<MoveSeconds>("move seconds: " + quoted(text) +
                                   " is not two seconds of the minute, 0 to 59, as in 50-59");
    return {MoveSeconds{*first, *last}, {}};
}

Typed<double> readMinElevationDeg(std::string_view text) {
    return degrees(text, "lowest elevation", -90, 90);
}

Typed<double> readAzimuthLimitDeg(std::string_view text) {
    return degrees(text, "azimuth limit", -360, 720);
}

std::string_view pointAtName(PointAt body) {
    return body == PointAt::Moon ? "moon" : "sun";
}

std::string moveSecondsText(const MoveSeconds& seconds) {
    return std::to_string(seconds.first) + "-" + std::to_string(seconds.last);
}

bool isMoveSecond(const MoveSeconds& seconds, int second) {
    if (seconds.first <= seconds.last) return second >= seconds.first && second <= seconds.last;
    return second >= seconds.first || second <= seconds.last;
}

}  // namespace selvora
