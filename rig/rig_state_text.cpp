#include "rig/rig_state_text.h"

#include "common/megahertz.h"

namespace selvora {

std::string rigStateText(std::optional<std::string_view> trackedCaption, const RigStatus& status) {
    if (!trackedCaption) return {};
    std::string text = "rig: ";
    switch (status.state) {
        case RigStatus::State::Tracking:
            text += *trackedCaption;
            if (status.rigRxHz) text += " on " + mhzText(*status.rigRxHz);
            return text + status.note;
        case RigStatus::State::NoAnswer:
            return text + "no answer (" + status.reason + ")";
        case RigStatus::State::Waiting:
            break;
    }
    return text + (status.reason.empty() ? std::string("waiting") : status.reason);
}

}  // namespace selvora
