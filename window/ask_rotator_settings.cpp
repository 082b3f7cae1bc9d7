#include "window/ask_rotator_settings.h"

#include "window/rotator_settings_dialog.h"

namespace selvora {

std::optional<AntennaChoice> askRotatorSettings(const RotatorSettings& settings,
                                                const MovePolicy& policy, QWidget* parent) {
    RotatorSettingsDialog dialog(settings, policy, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return AntennaChoice{dialog.settings(), dialog.policy()};
}

}  // namespace selvora
