#include "plan/display_units.h"

#include <cmath>
#include <string>

#include "common/numbers.h"

namespace selvora {
namespace {

using namespace colours;

// Five decimals of a MHz figure are 10 Hz steps, six are 1 Hz steps. hz10 is read
// first, so hz1 would win should both ever read selected.
void chooseResolution(const Fields& fields, PlanState& state) {
    if (fields.selected(field("hz10"))) state.resolutionDecimals = 5;
    if (fields.selected(field("hz1"))) state.resolutionDecimals = 6;
}

// Hz offsets while no sked frequency is set (exactly 0); MHz frequencies for any
// other value, negative ones included.
void chooseMode(double skedFrequencyMHz, PlanState& state, PlanTick& tick) {
    state.hzMode = skedFrequencyMHz == 0;
    if (state.hzMode) {
        tick.frequencyDivisor = 1;
        tick.decimals = 0;
        tick.unitSuffix = " Hz";
    } else {
        tick.frequencyDivisor = 1000000;
        tick.decimals = state.resolutionDecimals;
    }
}

// The DX station hears its own echo shifted by twice the mutual Doppler less ours.
// Absurd Doppler texts (1E308 doubled) leave the double range: the field is emptied.
void showDxSelfDoppler(Fields& fields, PlanTick& tick) {
    const double self = leadingNumber(fields.text(field("self_doppler")));
    const double mutual = leadingNumber(fields.text(field("mutual_doppler")));
    tick.dxSelfDopplerHz = 2.0 * mutual - self;
    fields.setText(field("dx_self_doppler"), numberText(tick.dxSelfDopplerHz));
}

// Text first, then the colours. A Tx tone above the Rx tone reads LOW, one below
// it HIGH; the figure shown is never negative. A difference beyond the double
// range has no figure: the check is emptied but stays red.
void showToneCheck(Fields& fields, double toneDifference) {
    const FieldId check = field("tone_check");
    if (toneDifference == 0) {
        fields.setText(check, " On Frequency");
        fields.setBackColour(check, kWhite);
        fields.setForeColour(check, kBlack);
        return;
    }
    const std::string figure = numberText(std::fabs(toneDifference));
    const char* direction = toneDifference > 0 ? " Hz LOW" : " Hz HIGH";
    fields.setText(check, figure.empty() ? std::string{} : figure + direction);
    fields.setForeColour(check, kWhite);
    fields.setBackColour(check, kRed);
}

void checkTones(Fields& fields, PlanTick& tick) {
    const double rx = leadingNumber(fields.text(field("rx_tone_frequency")));
    const double tx = leadingNumber(fields.text(field("tx_tone_frequency")));
    tick.toneDifferenceHz = tx - rx;
    showToneCheck(fields, tick.toneDifferenceHz);
}

}  // namespace

PlanTick prepareDisplayUnits(Fields& fields, double skedFrequencyMHz, PlanState& state) {
    PlanTick tick;
    chooseResolution(fields, state);
    chooseMode(skedFrequencyMHz, state, tick);
    showDxSelfDoppler(fields, tick);
    checkTones(fields, tick);
    return tick;
}

}  // namespace selvora
