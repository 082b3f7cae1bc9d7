// The rig settings kept between runs, in $XDG_CONFIG_HOME/selvora/rig.conf (not in
// doppler.ini, whose one-line form other tools read): the rig, the tracked scheme and
// the transverters.
#pragma once

#include <optional>

#include <QString>

#include "plan/sked_scheme.h"
#include "rig/hamlib_rig.h"
#include "rig/transverter.h"

namespace selvora {

struct SavedRig {
    RigSettings settings;
    std::optional<SkedScheme> track;
    TransverterOffsets transverters;
    friend bool operator==(const SavedRig&, const SavedRig&) = default;
};

QString defaultRigSettingsFile();

// What is missing or unreadable keeps its default.
SavedRig loadSavedRig(const QString& file);
void saveRig(const QString& file, const SavedRig& rig);

}  // namespace selvora
