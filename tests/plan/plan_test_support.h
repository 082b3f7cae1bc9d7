// Shared set-up for the planner tests: the display fields and window state of
// one window, addressed by the names the logic uses.
#pragma once

#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "common/window_state.h"
#include "window/control_table.h"
#include "window/fields.h"

namespace selvora {

class PlanWindow : public ::testing::Test {
  protected:
    static FieldId id(std::string_view name) { return findField(name).value(); }
    void set(std::string_view name, std::string_view text) { fields.setText(id(name), text); }
    const std::string& text(std::string_view name) const { return fields.text(id(name)); }

    // The Doppler and tone texts as the tracking poll and the window leave them.
    void inputs(std::string_view self, std::string_view mutual, std::string_view txTone = "1270",
                std::string_view rxTone = "1270") {
        set("Self_doppler", self);
        set("dx_doppler", mutual);
        set("Tx_tone_frequency", txTone);
        set("Rx_tone_frequency", rxTone);
    }
    void oneHz() { fields.select(id("hz1")); }
    void tenHz() { fields.select(id("hz10")); }

    Fields fields;
    WindowState state;
};

}  // namespace selvora
