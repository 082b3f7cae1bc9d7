#include "plan/sked_plan_text.h"

#include "plan_test_support.h"

namespace selvora {
namespace {

class PlanText : public PlanWindow {
  protected:
    void SetUp() override {
        inputs("258", "124", "1270", "1220");
        set("utc_time", "Monday Dec 07, 2026 09:19:33");
    }
};

// The worked 1296.1 MHz example, as a partner would be sent it.
TEST_F(PlanText, WorkedExampleAtOneHz) {
    skedFrequency = 1296.1;
    oneHz();
    plan();
    EXPECT_EQ(skedPlanText(lastPlan, text("utc_time")),
              "Sked frequency: 1296.1 MHz\n"
              "Resolution: 1 Hz\n"
              "UTC time: Monday Dec 07, 2026 09:19:33\n"
              "\n"
              "Scheme                  Your Tx      Your Rx      Partner Tx   Partner Rx\n"
              "Full Doppler Both Ways  1296.099876  1296.100124  1296.100000  1296.100000\n"
              "Own Echo                1296.100000  1296.100258  1296.100134  1296.100124\n"
              "CFOM                    1296.099871  1296.100129  1296.100005  1296.099995\n"
              "On DX Echo              1296.099866  1296.100124  1296.100000  1296.099990\n"
              "Call Dx                 1296.099742  1296.100000  1296.099876  1296.099866\n"
              "No Doppler              1296.100000  1296.100000  1296.099876  1296.100124\n");
}

// Without a sked frequency the window shows offsets; the partner's are not worked out.
TEST_F(PlanText, HzModeAtTenHz) {
    tenHz();
    plan();
    EXPECT_EQ(skedPlanText(lastPlan, text("utc_time")),
              "Sked frequency: none (Doppler offsets in Hz)\n"
              "Resolution: 10 Hz\n"
              "UTC time: Monday Dec 07, 2026 09:19:33\n"
              "\n"
              "Scheme                  Your Tx  Your Rx  Partner Tx  Partner Rx\n"
              "Full Doppler Both Ways  -124 Hz  124 Hz   -           -\n"
              "Own Echo                0 Hz     258 Hz   -           -\n"
              "CFOM                    -129 Hz  129 Hz   -           -\n"
              "On DX Echo              -134 Hz  124 Hz   -           -\n"
              "Call Dx                 -258 Hz  0 Hz     -           -\n"
              "No Doppler              0 Hz     0 Hz     -           -\n");
}

}  // namespace
}  // namespace selvora
