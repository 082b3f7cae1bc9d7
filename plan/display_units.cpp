#include "plan/display_units.h"

#include <cmath>
#include <string>

#include "common/numbers.h"

namespace selvora {
namespace {

constexpr Rgb kWhite = 0xFFFFFF;
constexpr Rgb kBlack = 0x000000;
constexpr Rgb kRed = 0xFF0000;

// Five decimals of a MHz figure are 10 Hz steps, six are 1 Hz steps. hz10 is read
// first, so hz1 would win should both ever read selected.
void chooseResolution(const Fields& fields, WindowState& state) {
    if (fields.selected(field("hz10"))) state.resolutionFormat = "0.00000";
    if (fields.selected(field("hz1"))) state.resolutionFormat = "0.000000";
}

// Hz offsets while no sked frequency is set (exactly 0); MHz frequencies for any
// other value, negative ones included.
void chooseMode(WindowState& state, PlanTick& tick) {
    if (state.skedFrequency == 0) {
        tick.frequencyDivisor = 1;
        state.displayFormat = "0";
        tick.unitSuffix = " Hz";
    } else {
        tick.frequencyDivisor = 1000000;
        state.displayFormat = state.resolutionFormat;
    }
}

// The DX station hears its own echo shifted by twice the mutual Doppler less ours.
// Absurd Doppler texts (1E308 doubled) leave the double range: the field is emptied.
void showDxSelfDoppler(Fields& fields, PlanTick& tick) {
    const double self = leadingNumber(fields.text(field("Self_doppler")));
    const double mutual = leadingNumber(fields.text(field("dx_doppler")));
    tick.dxSelfDoppler = 2.0 * mutual - self;
    fields.setText(field("dx_self_doppler"), numberText(tick.dxSelfDoppler));
}

// Text first, then the colours. A Tx tone above the Rx tone reads LOW, one below
// it HIGH; the figure shown is never negative. A difference beyond the double
// range has no figure: the check is emptied but stays red.
void showToneCheck(Fields& fields, double toneDifference) {
    const FieldId check = field("frequency_error");
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
    const double rx = leadingNumber(fields.text(field("Rx_tone_frequency")));
    const double tx = leadingNumber(fields.text(field("Tx_tone_frequency")));
    tick.toneDifference = tx - rx;
    showToneCheck(fields, tick.toneDifference);
}

}  // namespace

PlanTick prepareDisplayUnits(Fields& fields, WindowState& state) {
    PlanTick tick;
    chooseResolution(fields, state);
    chooseMode(state, tick);
    showDxSelfDoppler(fields, tick);
    checkTones(fields, tick);
    return tick;
}

}  // namespace selvora
