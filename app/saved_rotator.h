// The antenna settings kept between runs, in $XDG_CONFIG_HOME/selvora/rotator.conf,
// beside rig.conf: the rotator, what it points at (or nothing) and how it may move.
#pragma once

#include <optional>

#include <QString>

#include "rotator/rotator_settings.h"

namespace selvora {

struct SavedRotator {
    RotatorSettings settings;
    std::optional<PointAt> point;  // none: the antenna is not kept on anything
    MovePolicy policy;
    friend bool operator==(const SavedRotator&, const SavedRotator&) = default;
};

QString defaultRotatorSettingsFile();

// What is missing or unreadable keeps its default.
SavedRotator loadSavedRotator(const QString& file);
void saveRotator(const QString& file, const SavedRotator& rotator);

}  // namespace selvora
