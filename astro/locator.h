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
// case, surrounding blanks ignored. The place is the centre of the 5' by 2.5' sub-square;
// a 4-character locator is read as WSJT-X reads it, as its sub-square "mm" (JO65 as
// JO65mm), whose centre lies 2.5' east and 1.25' north of the 2° by 1° square's, so that
// the moon and Doppler figures match those WSJT-X will show for the same locators (at
// 24 GHz the exact centre is some 10 Hz off them).

LocatorReading readLocator(std::string_view text);

}  // namespace selvora
