#include "astro/locator.h"

#include <cctype>

namespace selvora {
namespace {

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The letter's place from 'A' (either case) when it lies in A..last, else nothing.
std::optional<int> letterIndex(char c, char last) {
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper < 'A' || upper > last) return std::nullopt;
    return upper - 'A';
}

std::optional<int> digitIndex(char c) {
    if (c < '0' || c > '9') return std::nullopt;
    return c - '0';
}

LocatorReading refused(std::string_view text, std::string_view why) {
    return {std::nullopt, std::string(text) + " is not a locator: " + std::string(why)};
}

}  // namespace

LocatorReading readLocator(std::string_view text) {
    const std::string_view locator = trimmed(text);
    if (locator.empty())
        return {std::nullopt, "No locator given: give 4 or 6 characters such as JO65 or JO65fr"};
    if (locator.size() != 4 && locator.size() != 6)
        return refused(locator, "give 4 or 6 characters such as JO65 or JO65fr");

    const auto fieldLon = letterIndex(locator[0], 'R');
    const auto fieldLat = letterIndex(locator[1], 'R');
    if (!fieldLon || !fieldLat)
        return refused(locator, "the first two characters are letters from A to R");
    const auto squareLon = digitIndex(locator[2]);
    const auto squareLat = digitIndex(locator[3]);
    if (!squareLon || !squareLat)
        return refused(locator, "the third and fourth characters are digits");

    // South-west corner of the 2° by 1° square, then the centre of the named square.
    double longitudeDeg = -180.0 + 20.0 * *fieldLon + 2.0 * *squareLon;
    double latitudeDeg = -90.0 + 10.0 * *fieldLat + 1.0 * *squareLat;

    // A 4-character locator is taken as WSJT-X takes it: as its sub-square "mm".
    const auto subsquareLon = locator.size() == 4 ? 12 : letterIndex(locator[4], 'X');
    const auto subsquareLat = locator.size() == 4 ? 12 : letterIndex(locator[5], 'X');
    if (!subsquareLon || !subsquareLat)
        return refused(locator, "the fifth and sixth characters are letters from A to X");
    longitudeDeg += (*subsquareLon + 0.5) * 5.0 / 60.0;
    latitudeDeg += (*subsquareLat + 0.5) * 2.5 / 60.0;
    return {GeoPosition{latitudeDeg, longitudeDeg}, {}};
}

}  // namespace selvora
