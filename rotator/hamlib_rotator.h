// Rotators through Hamlib: a RotatorConnection for any Hamlib rotator model, the
// models Hamlib knows (for the settings dialog), and a one-off test that reads the
// antenna's position.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "hamlib/loaded_hamlib.h"  // hamlibInUse(), for the settings dialog
#include "rotator/rotator_connection.h"
#include "rotator/rotator_settings.h"

namespace selvora {

struct RotatorModel {
    int id = 0;
    std::string maker;
    std::string name;
    bool serial = false;  // the port is a serial line, so a speed applies
};

// Null for model 0 (no rotator).
std::unique_ptr<RotatorConnection> makeHamlibRotator(const RotatorSettings& settings);

// Every rotator model Hamlib knows, by maker and name.
std::vector<RotatorModel> hamlibRotatorModels();

// Opens the rotator, reads its position and closes it again, leaving the antenna where
// it is. Blocks for as long as the rotator takes to answer or time out.
struct RotatorTestResult {
    bool answered = false;
    std::string message;  // "The antenna points at 123.4° 45.6°." or why not
};
RotatorTestResult testRotator(const RotatorSettings& settings);

}  // namespace selvora
