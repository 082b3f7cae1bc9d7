// Why one call to a station device (a rig or a rotator) did not do what it was asked.
#pragma once

#include <optional>
#include <string>

namespace selvora {

struct DeviceFailure {
    std::string message;  // in an operator's words ("IO error", "Feature not available")
    // The device answered "no" to this one command (Hamlib's soft errors): it is still there.
    bool refused = false;
    friend bool operator==(const DeviceFailure&, const DeviceFailure&) = default;
};

// Empty on success.
using DeviceError = std::optional<DeviceFailure>;

}  // namespace selvora
