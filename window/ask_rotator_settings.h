// "Antenna settings…" as one question to the operator: the rotator and how it may move
// as the dialog was left with OK, or nothing when it was cancelled.
#pragma once

#include <optional>

#include "rotator/rotator_settings.h"

class QWidget;

namespace selvora {

struct AntennaChoice {
    RotatorSettings settings;
    MovePolicy policy;
};

std::optional<AntennaChoice> askRotatorSettings(const RotatorSettings& settings,
                                                const MovePolicy& policy, QWidget* parent);

}  // namespace selvora
