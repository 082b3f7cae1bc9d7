// Shared set-up for the planner tests: the display fields of one window,
// addressed by the ids the logic uses, the sked frequency and the plan shown.
#pragma once

#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "display/control_table.h"
#include "display/fields.h"
#include "plan/plan_inputs.h"
#include "plan/show_sked_plan.h"
#include "plan/sked_plan.h"

namespace selvora {

class PlanWindow : public ::testing::Test {
  protected:
    static FieldId id(std::string_view name) { return findField(name).value(); }
    void set(std::string_view name, std::string_view text) { fields.setText(id(name), text); }
    const std::string& text(std::string_view name) const { return fields.text(id(name)); }

    // The Doppler and tone texts as the tracking poll and the window leave them.
    void inputs(std::string_view self, std::string_view mutual, std::string_view txTone = "1270",
                std::string_view rxTone = "1270") {
        set("self_doppler", self);
        set("mutual_doppler", mutual);
        set("tx_tone_frequency", txTone);
        set("rx_tone_frequency", rxTone);
    }
    void oneHz() { fields.select(id("hz1")); }
    void tenHz() { fields.select(id("hz10")); }

    // One tick's plan, as the window shows it.
    void plan() {
        lastPlan = planSked(planInputs(fields, skedFrequency, lastPlan.resolutionDecimals));
        showSkedPlan(fields, lastPlan);
    }

    Fields fields;
    double skedFrequency = 0;  // MHz
    SkedPlan lastPlan;         // of the last plan()
};

}  // namespace selvora
