// The plan runs on every tick, and the view repaints only what a tick changed: so
// working the plan out again over its own output must change nothing, whatever
// happened to the window between ticks.
#include "plan/plan_inputs.h"
#include "plan/show_sked_plan.h"
#include "plan/sked_plan.h"

#include <array>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace selvora {
namespace {

// One window: its fields, its state, and what the view was told changed.
struct Window {
    Fields fields;
    double skedFrequencyMHz = 0;
    SkedPlan plan;
    std::vector<std::pair<std::uint16_t, unsigned>> pushed;

    void tick() {
        plan = planSked(planInputs(fields, skedFrequencyMHz, plan.resolutionDecimals));
        showSkedPlan(fields, plan);
    }

    void takeChanges() {
        fields.takeChanges(
            [this](FieldId id, unsigned mask) { pushed.emplace_back(id.index, mask); });
    }
};

// The fields the plan reads: the Doppler and tone texts, the resolution buttons, and
// its own output, which the DX figures read back.
std::vector<FieldId> planInputs() {
    std::vector<FieldId> ids = {
        field("self_doppler"),      field("mutual_doppler"), field("rx_tone_frequency"),
        field("tx_tone_frequency"), field("hz10"),           field("hz1"),
        field("dx_self_doppler"),   field("tone_check")};
    for (std::size_t row = 0; row < std::size(kSchemeRows); ++row)
        for (std::size_t column = 0; column < std::size(kPlanColumns); ++column)
            ids.push_back(planField(row, PlanColumnId(column)));
    return ids;
}

// Texts that recur, as they do between ticks.
constexpr std::array<std::string_view, 10> kTexts = {"",      "0",   "-1234", "56",   "12.5",
                                                     "1E308", "abc", "1270",  "1000", "-0"};
constexpr std::array<double, 6> kSkeds = {0.0, 144.12, 1296.05, -50.0, 1e308, -0.0};

TEST(Replan, PlannedAgainChangesNothingWhateverChangesBetweenTicks) {
    for (const unsigned seed : {1u, 2u, 3u, 4u}) {
        std::mt19937 random(seed);
        const auto pick = [&random](std::size_t count) {
            return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
        };
        const std::vector<FieldId> inputs = planInputs();
        Window window;
        for (int step = 0; step < 3000; ++step) {
            // Something happens to both windows alike (or nothing, half the time).
            const std::string_view text = kTexts[pick(kTexts.size())];
            const FieldId anyField{static_cast<std::uint16_t>(pick(kControls.size()))};
            const FieldId planField = inputs[pick(inputs.size())];
            const FieldId resolution = pick(2) == 0 ? field("hz10") : field("hz1");
            const double sked = kSkeds[pick(kSkeds.size())];
            switch (pick(12)) {
                case 0:
                case 1:  // a new figure from azel.dat or the window
                    window.fields.setText(planField, text);
                    break;
                case 2:  // the operator types into any box
                    window.fields.acceptTyping(anyField, text);
                    break;
                case 3:  // the resolution buttons
                    window.fields.select(resolution);
                    break;
                case 4:  // Enter in the sked box, or a re-seed from the band
                    window.skedFrequencyMHz = sked;
                    break;
                case 5:  // any other field changes
                    window.fields.setText(anyField, text);
                    break;
                default:
                    break;
            }
            window.tick();
            window.takeChanges();
            const SkedPlan before = window.plan;
            window.pushed.clear();
            window.tick();
            window.takeChanges();
            ASSERT_TRUE(window.pushed.empty())
                << kControls[window.pushed.front().first].name << " changed again at step " << step;
            ASSERT_EQ(window.plan, before) << "step " << step;
        }
    }
}

}  // namespace
}  // namespace selvora
