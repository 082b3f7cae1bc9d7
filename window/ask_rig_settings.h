// "Rig settings…" as one question to the operator: the rig and the transverters as
// the dialog was left with OK, or nothing when it was cancelled.
#pragma once

#include <optional>

#include "rig/hamlib_rig.h"
#include "rig/transverter.h"

class QWidget;

namespace selvora {

struct RigChoice {
    RigSettings settings;
    TransverterOffsets transverters;
};

std::optional<RigChoice> askRigSettings(const RigSettings& settings,
                                        const TransverterOffsets& transverters, QWidget* parent);

}  // namespace selvora
