// A connection to one antenna rotator. Every call blocks until the rotator answers or
// times out, so only the rotator worker's thread makes them.
#pragma once

#include "common/az_el.h"
#include "hamlib/device_failure.h"

namespace selvora {

using RotatorError = DeviceError;

// Which axes the rotator turns.
enum class RotatorKind { AzEl, AzimuthOnly, ElevationOnly };

// How far the rotator turns, in its own degrees: azimuth may run beyond 0…360
// (−180…450 turns past north both ways), elevation from its lowest to its highest.
struct RotatorRange {
    double minAzimuthDeg = 0.0;
    double maxAzimuthDeg = 360.0;
    double minElevationDeg = 0.0;
    double maxElevationDeg = 90.0;
    RotatorKind kind = RotatorKind::AzEl;
    friend bool operator==(const RotatorRange&, const RotatorRange&) = default;
};

struct PositionReading {
    AzEl position;  // in the rotator's own degrees (an azimuth of 400 is 40 past north)
    RotatorError error;
};

class RotatorConnection {
  public:
    virtual ~RotatorConnection() = default;

    virtual RotatorError open() = 0;
    // Leaves the antenna where it is: nothing is sent on closing.
    virtual void close() = 0;

    virtual PositionReading position() = 0;
    // In the rotator's own degrees, inside range().
    virtual RotatorError setPosition(AzEl target) = 0;
    // Halts a move under way.
    virtual RotatorError stop() = 0;
    // To the rotator's own park position.
    virtual RotatorError park() = 0;

    // Once open: the range the rotator tells.
    virtual RotatorRange range() const = 0;
};

}  // namespace selvora
