// Rotators through Hamlib: a RotatorConnection for any Hamlib rotator model, the
// models Hamlib knows (for the settings dialog), and a one-off test that reads the
// antenna's position.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "hamlib/hamlib_model.h"
#include "hamlib/loaded_hamlib.h"  // hamlibInUse(), for the settings dialog
#include "rotator/rotator_connection.h"
#include "rotator/rotator_settings.h"

namespace selvora {

using RotatorModel = HamlibModel;

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
