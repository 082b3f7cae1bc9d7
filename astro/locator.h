// A station's place on the Earth from its Maidenhead locator.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace selvora {

// A place on the WGS84 ellipsoid: geodetic latitude, longitude east positive, degrees.
struct GeoPosition {
    double latitudeDeg;
    double longitudeDeg;
};

// The place a locator names, or why the text is not a locator (a sentence to show).
struct LocatorReading {
    std::optional<GeoPosition> position;
    std::string refusal;
};

// A 4-character (JO65) or 6-character (JO65fr) Maidenhead locator, letters in either
// case, surrounding blanks ignored; the place is the centre of its square (2° by 1°, or
// 5' by 2.5').
LocatorReading readLocator(std::string_view text);

}  // namespace selvora
