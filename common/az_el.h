// A direction in the sky as a station points at it: azimuth from true north through
// east, elevation above the horizon, both in degrees.
#pragma once

namespace selvora {

struct AzEl {
    double azimuthDeg = 0.0;
    double elevationDeg = 0.0;
    friend bool operator==(const AzEl&, const AzEl&) = default;
};

}  // namespace selvora
