// One of Hamlib's rig or rotator models, as the settings dialogs list them.
#pragma once

#include <string>

namespace selvora {

struct HamlibModel {
    int id = 0;  // Hamlib's model number; a list may offer 0 for "none"
    std::string maker;
    std::string name;
    bool serial = false;  // the port is a serial line, so a speed applies
};

}  // namespace selvora
