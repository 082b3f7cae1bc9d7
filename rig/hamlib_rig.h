// Rigs through Hamlib: a RigConnection for any Hamlib model, the models Hamlib knows
// (for the settings dialog), and a one-off test that reads the rig's frequency.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "hamlib/hamlib_model.h"
#include "hamlib/loaded_hamlib.h"  // hamlibInUse(), for the settings dialog
#include "rig/rig_connection.h"

namespace selvora {

struct RigSettings {
    int model = 2;        // Hamlib's model number; 2 is NET rigctl (a shared rigctld)
    std::string port;     // "/dev/ttyUSB0" or "localhost:4532"; empty: Hamlib's default
    int serialSpeed = 0;  // baud; 0: the model's default
    friend bool operator==(const RigSettings&, const RigSettings&) = default;
};

using RigModel = HamlibModel;

std::unique_ptr<RigConnection> makeHamlibConnection(const RigSettings& settings);

// Every model Hamlib knows, by maker and name.
std::vector<RigModel> hamlibModels();

// Opens the rig, reads its frequency and closes it again. Blocks for as long as the rig
// takes to answer or time out.
struct RigTestResult {
    bool answered = false;
    std::string message;  // "The rig is on 1296.100000 MHz." or why not
};
RigTestResult testRig(const RigSettings& settings);

}  // namespace selvora
