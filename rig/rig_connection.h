// A connection to one radio. Every call blocks until the rig answers or times out, so
// only the rig worker's thread makes them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "hamlib/device_failure.h"

namespace selvora {

using RigFailure = DeviceFailure;
using RigError = DeviceError;

struct PttReading {
    bool transmitting = false;  // false too when the rig cannot tell
    RigError error;
};

struct FrequencyReading {
    std::int64_t hz = 0;
    RigError error;
};

class RigConnection {
  public:
    virtual ~RigConnection() = default;

    virtual RigError open() = 0;
    // Leaves the rig as it is: nothing is sent on closing.
    virtual void close() = 0;

    // Makes the main VFO (A or Main) the one the rig receives on, before an Rx figure:
    // WSJT-X or the operator may have left another selected. A rig with one VFO has
    // nothing to select.
    virtual RigError selectMainVfo() { return std::nullopt; }
    // The main (receive) VFO.
    virtual RigError setFrequency(std::int64_t hz) = 0;
    virtual FrequencyReading frequency() = 0;
    // Split: transmit on another VFO, at the split frequency.
    virtual RigError setSplit(bool on) = 0;
    virtual RigError setSplitFrequency(std::int64_t hz) = 0;
    virtual PttReading ptt() = 0;

    // Whether the open rig can be tuned there; a rig that tells no ranges takes any.
    virtual bool canReceive(std::int64_t /*hz*/) const { return true; }
    virtual bool canTransmit(std::int64_t /*hz*/) const { return true; }
};

}  // namespace selvora
