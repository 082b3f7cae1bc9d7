// A connection to one radio. Every call blocks until the rig answers or times out, so
// only the rig worker's thread makes them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace selvora {

// Empty on success, else what went wrong in an operator's words ("IO error").
using RigError = std::optional<std::string>;

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

    // The main (receive) VFO.
    virtual RigError setFrequency(std::int64_t hz) = 0;
    virtual FrequencyReading frequency() = 0;
    // Split: transmit on another VFO, at the split frequency.
    virtual RigError setSplit(bool on) = 0;
    virtual RigError setSplitFrequency(std::int64_t hz) = 0;
    virtual PttReading ptt() = 0;
};

}  // namespace selvora
