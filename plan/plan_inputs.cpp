#include "plan/plan_inputs.h"

#include "common/numbers.h"

namespace selvora {

PlanInputs planInputs(const Fields& fields, double skedFrequencyMHz, int lastResolutionDecimals) {
    PlanInputs in;
    in.skedFrequencyMHz = skedFrequencyMHz;
    in.selfDopplerHz = strictNumber(fields.text(field("self_doppler")));
    in.mutualDopplerHz = strictNumber(fields.text(field("mutual_doppler")));
    // Five decimals of a MHz figure are 10 Hz steps, six are 1 Hz steps. hz10 is read
    // first, so hz1 would win should both ever read selected.
    in.resolutionDecimals = lastResolutionDecimals;
    if (fields.selected(field("hz10"))) in.resolutionDecimals = 5;
    if (fields.selected(field("hz1"))) in.resolutionDecimals = 6;
    in.toneDifferenceHz = leadingNumber(fields.text(field("tx_tone_frequency"))) -
                          leadingNumber(fields.text(field("rx_tone_frequency")));
    return in;
}

}  // namespace selvora
