// A real rigctld (Hamlib's dummy rig, model 1), started and stopped by the test, and
// asked what the rig is set to.
#pragma once

#include <string>
#include <vector>

#include "support/hamlib_daemon.h"

namespace selvora::testing {

// The dummy rig reports its PTT only with the PTT type "RIG". In VFO mode (-o) a command
// may name its VFO (without it, it goes to the VFO in use), so a read names its VFO
// instead of switching to it and reading back never moves what Selvora set.
inline std::vector<std::string> rigctldCommand(bool vfoMode) {
    std::vector<std::string> command = {"rigctld", "-m", "1", "-P", "RIG"};
    if (vfoMode) command.push_back("-o");
    return command;
}

class Rigctld : public HamlibDaemon {
  public:
    explicit Rigctld(int port, bool vfoMode = true) : HamlibDaemon(rigctldCommand(vfoMode), port) {}
};

}  // namespace selvora::testing
