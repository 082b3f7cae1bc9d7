// The planner that skips an unchanged plan must leave the window exactly as working
// the plan out afresh every tick does, whatever happens between ticks.
#include "plan/sked_planner.h"

#include <array>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "plan/sked_plan.h"

namespace selvora {
namespace {

// One window: its fields, its state, and what the view was told changed.
struct Window {
    Fields fields;
    double skedFrequencyMHz = 0;
    PlanState state;
    std::vector<std::pair<std::uint16_t, unsigned>> pushed;

    void takeChanges() {
        fields.takeChanges(
            [this](FieldId id, unsigned mask) { pushed.emplace_back(id.index, mask); });
    }
};

void expectSameWindow(const Window& cached, const Window& fresh, int step) {
    ASSERT_EQ(cached.pushed, fresh.pushed) << "step " << step;
    EXPECT_EQ(cached.state.resolutionDecimals, fresh.state.resolutionDecimals) << "step " << step;
    for (std::uint16_t i = 0; i < kControls.size(); ++i) {
        const FieldId id{i};
        const Fields& a = cached.fields;
        const Fields& b = fresh.fields;
        ASSERT_TRUE(a.text(id) == b.text(id) && a.toolTip(id) == b.toolTip(id) &&
                    a.visible(id) == b.visible(id) && a.selected(id) == b.selected(id) &&
                    a.backColour(id) == b.backColour(id) && a.foreColour(id) == b.foreColour(id))
            << kControls[i].name << " differs at step " << step << ": " << a.text(id) << " / "
            << b.text(id);
    }
}

// Texts that recur, so the same inputs come back often, as they do between ticks.
constexpr std::array<std::string_view, 10> kTexts = {"",      "0",   "-1234", "56",   "12.5",
                                                     "1E308", "abc", "1270",  "1000", "-0"};
constexpr std::array<double, 6> kSkeds = {0.0, 144.12, 1296.05, -50.0, 1e308, -0.0};

TEST(SkedPlanner, LeavesTheWindowAsAFreshPlanDoesWhateverChangesBetweenTicks) {
    for (const unsigned seed : {1u, 2u, 3u, 4u}) {
        std::mt19937 random(seed);
        const auto pick = [&random](std::size_t count) {
            return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
        };
        const std::vector<FieldId>& inputs = planFields();
        Window cached, fresh;
        SkedPlanner planner;
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
                    for (Window* w : {&cached, &fresh})
                        w->fields.setText(planField, text);
                    break;
                case 2:  // the operator types into any box
                    for (Window* w : {&cached, &fresh})
                        w->fields.acceptTyping(anyField, text);
                    break;
                case 3:  // the resolution buttons
                    for (Window* w : {&cached, &fresh})
                        w->fields.select(resolution);
                    break;
                case 4:  // Enter in the sked box, or a re-seed from the band
                    for (Window* w : {&cached, &fresh})
                        w->skedFrequencyMHz = sked;
                    break;
                case 5:  // any other field changes
                    for (Window* w : {&cached, &fresh})
                        w->fields.setText(anyField, text);
                    break;
                default:
                    break;
            }
            planner.plan(cached.fields, cached.skedFrequencyMHz, cached.state);
            planSked(fresh.fields, fresh.skedFrequencyMHz, fresh.state);
            cached.takeChanges();
            fresh.takeChanges();
            expectSameWindow(cached, fresh, step);
            if (HasFatalFailure()) return;
        }
    }
}

}  // namespace
}  // namespace selvora
