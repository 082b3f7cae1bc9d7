// A real rotctld (Hamlib's dummy rotator, model 1), started and ended by the test, and
// asked where the antenna is.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "support/hamlib_daemon.h"

namespace selvora::testing {

class Rotctld : public HamlibDaemon {
  public:
    explicit Rotctld(int port) : HamlibDaemon({"rotctld", "-m", "1"}, port) {}

    // Where rotctld says the antenna is (azimuth, elevation); none while it does not
    // answer.
    std::optional<std::pair<double, double>> position() const {
        const std::vector<std::string> values = ask({"p"});
        if (values.size() != 2) return std::nullopt;
        return std::pair{std::stod(values[0]), std::stod(values[1])};
    }
};

}  // namespace selvora::testing
