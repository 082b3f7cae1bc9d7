#include "window/ask_rig_settings.h"

#include "window/rig_settings_dialog.h"

namespace selvora {

std::optional<RigChoice> askRigSettings(const RigSettings& settings,
                                        const TransverterOffsets& transverters, QWidget* parent) {
    RigSettingsDialog dialog(settings, transverters, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return RigChoice{dialog.settings(), dialog.transverters()};
}

}  // namespace selvora
